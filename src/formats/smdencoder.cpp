#include "formats/melodytokens.h"
#include "formats/smd.h"
#include "formats/smdcodes.h"

#include "common/jistext.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace sarvo::formats {
namespace {

using namespace smd;

// The length indexes a token's length is written with: one, or two joined by a tie where no
// single index fits. A dotted whole note takes three half notes; codes without an index of their
// own (tuplets, the sixteenth and shorter) take a sixteenth.
std::vector<int> lengthIndexes(const melody::Note& note) {
    const char16_t code = note.length.empty() ? u' ' : melody::noteCodeOf(note.length[0]);
    const bool dotted = note.dot == u"." && melody::isPlainNoteCode(code);
    switch (code) {
    case u'A': return dotted ? std::vector<int>{3, 3, 3} : std::vector<int>{3, 3};
    case u'B': return dotted ? std::vector<int>{3, 2} : std::vector<int>{3};
    case u'C': return dotted ? std::vector<int>{2, 1} : std::vector<int>{2};
    case u'D': return dotted ? std::vector<int>{1, 0} : std::vector<int>{1};
    case u'2': return {1};
    default: return {0};
    }
}

int registerOf(int pitch) {
    if (pitch < kFirstPitchOfMiddleRegister)
        return -1;
    return pitch < kFirstPitchOfMiddleRegister + 21 ? 0 : 1;
}

uint8_t pitchCode(int pitch, int reg) {
    return static_cast<uint8_t>(kFirstPitchCode +
                                4 * (pitch - 12 * reg - kFirstPitchOfMiddleRegister));
}

void appendRegisterChange(Bytes& bytes, int from, int to) {
    if (from == to)
        return;
    if (from != 0)
        bytes.insert(bytes.end(), {kCommand, kRegisterMiddle});
    if (to != 0)
        bytes.insert(bytes.end(), {kCommand, to > 0 ? kRegisterUp : kRegisterDown});
}

std::optional<uint8_t> tempoCode(const TempoUnit& tempo) {
    const int code = tempoCodeOf(tempo, kTempoRanges, kNoTempoCode);
    return code == kNoTempoCode ? std::nullopt : std::optional<uint8_t>(code);
}

void appendPart(Bytes& bytes, std::u16string_view melodyText, std::optional<uint8_t> tempo) {
    bytes.insert(bytes.end(), std::begin(kPartStart), std::end(kPartStart));
    if (tempo)
        bytes.insert(bytes.end(), {kCommand, *tempo});
    int currentRegister = 0;
    for (const melody::Note& note : readTokens(melodyText)) {
        const std::vector<int> indexes = lengthIndexes(note);
        const std::optional<int> pitch = pitchNumber(note);
        std::optional<uint8_t> code;
        if (pitch) {
            const int reg = registerOf(*pitch);
            appendRegisterChange(bytes, currentRegister, reg);
            currentRegister = reg;
            code = pitchCode(*pitch, reg);
        }
        auto lengthByte = [&](int index) {
            return static_cast<uint8_t>(code ? *code | index : kFirstRest + index);
        };
        for (size_t i = 0; i < indexes.size(); ++i) {
            if (i > 0)
                bytes.push_back(kTie);
            bytes.push_back(lengthByte(indexes[i]));
        }
        // Each tie adds the whole length again, written as rest characters after the tie.
        for (int tie = 0; tie < note.tieCount; ++tie) {
            for (int index : indexes) {
                bytes.push_back(kTie);
                bytes.push_back(static_cast<uint8_t>(kFirstRest + index));
            }
        }
    }
    bytes.push_back(kPartEnd);
}

} // namespace

Converted<Bytes> encodeSmd(const Ringtone& ringtone) {
    const std::u16string_view title =
        std::u16string_view(ringtone.title).substr(0, kSmdTitleCharacters);
    Converted<std::vector<uint8_t>> titleBytes = textToJisBytes(title);
    if (!titleBytes.ok())
        return {{}, titleBytes.error};
    Bytes bytes = std::move(titleBytes.value);
    const std::optional<uint8_t> tempo = tempoCode(ringtone.tempo);
    const size_t parts = std::min<size_t>(ringtone.parts.size(), kMaxParts);
    for (size_t p = 0; p < parts; ++p)
        appendPart(bytes, ringtone.parts[p].melody, tempo);
    return {bytes, {}};
}

} // namespace sarvo::formats
