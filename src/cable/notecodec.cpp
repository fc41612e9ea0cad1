#include "cable/notecodec.h"

#include "formats/melodytokens.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::cable {
namespace {

int pitchValueOf(const NoteCodec& codec, std::optional<int> pitch) {
    if (!pitch)
        return codec.restValue;
    for (int p = *pitch; p < formats::kPitchCount; p += 12)
        if (int value = codec.pitchValue(p); value >= 0)
            return value;
    return codec.restValue;
}

struct DecodedPitch {
    bool valid = false;
    std::optional<int> pitch; // nullopt: a rest
};

DecodedPitch pitchOfValue(const NoteCodec& codec, int value) {
    if (value == codec.restValue)
        return {true, std::nullopt};
    for (int p = 0; p < formats::kPitchCount; ++p)
        if (codec.pitchValue(p) == value)
            return {true, p};
    return {};
}

int lengthTicksOf(const LengthValue& length) {
    return melody::lengthTicks(length.code, length.dotted);
}

// The lengths of the notes a duration is written as.
std::vector<int> lengthValues(const NoteCodec& codec, char16_t code, bool dotted, int ties) {
    const int unit = melody::lengthTicks(code, dotted);
    const int total = unit * (ties + 1);
    std::vector<int> values;
    if (codec.lengths.empty()) {
        // A note longer than a value holds goes as several notes of whole token lengths.
        const int perNote = std::max(1, kMaxUnits * kUnitTicks / unit);
        for (int left = ties + 1; left > 0; left -= perNote)
            values.push_back(std::clamp(std::min(left, perNote) * unit / kUnitTicks, 1, kMaxUnits));
        return values;
    }
    int left = total;
    for (const LengthValue& length : codec.lengths) {
        while (left >= lengthTicksOf(length)) {
            values.push_back(length.value);
            left -= lengthTicksOf(length);
        }
    }
    if (values.empty())
        values.push_back(codec.lengths.back().value);
    return values;
}

} // namespace

EncodedNotes encodeNotes(const NoteCodec& codec, std::u16string_view melody, size_t limit) {
    EncodedNotes encoded;
    for (const melody::Note& note : formats::readTokens(melody)) {
        if (note.length.empty())
            continue;
        char16_t code = note.length[0];
        if (melody::isRestCode(code))
            code = melody::noteCodeOf(code);
        if (!melody::isNoteCode(code))
            continue;
        const int pitch = pitchValueOf(codec, formats::pitchNumber(note));
        for (int length : lengthValues(codec, code, !note.dot.empty(), note.tieCount)) {
            if (encoded.notes.size() == limit) {
                encoded.cut = true;
                return encoded;
            }
            encoded.notes.push_back({pitch, length});
        }
    }
    return encoded;
}

std::optional<std::u16string> decodeNotes(const NoteCodec& codec,
                                          std::span<const NoteValue> notes) {
    formats::TokenWriter writer;
    for (const NoteValue& note : notes) {
        const DecodedPitch decoded = pitchOfValue(codec, note.pitch);
        if (!decoded.valid)
            return std::nullopt;
        const std::optional<int> pitch = decoded.pitch;
        if (codec.lengths.empty()) {
            if (note.length < 1 || note.length > kMaxUnits)
                return std::nullopt;
            writer.appendSplit(note.length * kUnitTicks, pitch);
            continue;
        }
        const auto length =
            std::find_if(codec.lengths.begin(), codec.lengths.end(),
                         [&](const LengthValue& l) { return l.value == note.length; });
        if (length == codec.lengths.end())
            return std::nullopt;
        writer.append(length->code, length->dotted, pitch);
    }
    return writer.text();
}

} // namespace sarvo::cable
