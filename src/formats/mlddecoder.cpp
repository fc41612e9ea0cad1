#include "formats/melodytokens.h"
#include "formats/mld.h"
#include "formats/mldcontents.h"
#include "formats/tokenlengths.h"

#include "common/base64.h"

#include <algorithm>
#include <array>
#include <string>

namespace sarvo::formats {
namespace {

constexpr int kLowestKey = 15;
constexpr int kUnitsPerTick = kMldTimeUnitsPerQuarter / 48;
constexpr int kMaxGate = 255;

// Fills a gap with rests, the largest that fits first; a gap below 16 ticks that is no length
// of its own ends with the shortest rest. Less than half the shortest rest is left out: such a
// gap comes only from rounding, and a rest would put the next note later than it was.
int64_t writeRests(TokenWriter& writer, int64_t gap) {
    int64_t written = 0;
    auto write = [&](const TokenLength& length) {
        writer.append(length.code, length.dotted, std::nullopt);
        written += length.ticks;
    };
    while (gap >= kTokenLengths.back().ticks / 2) {
        if (const TokenLength* exact = exactTokenLength(gap)) {
            write(*exact);
            break;
        }
        const TokenLength* length = gapRestLength(gap);
        if (!length) {
            write(kTokenLengths.back());
            break;
        }
        write(*length);
        gap -= length->ticks;
    }
    return written;
}

std::u16string numberText(int number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

int64_t toTicks(int64_t units) {
    return (units + kUnitsPerTick / 2) / kUnitsPerTick;
}

struct PartNote {
    int64_t start;
    int64_t gate;
    int pitch;
};

// The part's notes on the 48-ticks grid as one voice: of notes that start together the highest
// stays, and a note that still sounds when the next starts is cut there.
std::vector<PartNote> singleVoice(const std::vector<MldNote>& notes) {
    std::vector<PartNote> voice;
    for (const MldNote& note : notes) {
        const PartNote next{toTicks(note.start), std::max<int64_t>(1, toTicks(note.gate)),
                            foldIntoRange(note.key - kLowestKey)};
        voice.push_back(next);
    }
    std::stable_sort(voice.begin(), voice.end(),
                     [](const PartNote& a, const PartNote& b) { return a.start < b.start; });
    std::vector<PartNote> kept;
    for (const PartNote& note : voice) {
        if (!kept.empty() && kept.back().start == note.start) {
            if (note.pitch > kept.back().pitch)
                kept.back() = note;
            continue;
        }
        if (!kept.empty())
            kept.back().gate = std::min(kept.back().gate, note.start - kept.back().start);
        kept.push_back(note);
    }
    return kept;
}

std::u16string melodyText(const std::vector<MldNote>& notes) {
    TokenWriter writer;
    int64_t written = 0; // ticks of the melody text so far
    for (const PartNote& note : singleVoice(notes)) {
        written += writeRests(writer, note.start - written);
        if (note.gate <= kMaxGate) {
            const TokenLength& length = gateLength(note.gate);
            writer.append(length.code, length.dotted, note.pitch);
            written += length.ticks;
        } else {
            written += writer.appendSplit(static_cast<int>(note.gate), note.pitch);
        }
    }
    return writer.text();
}

} // namespace

DecodeResult decodeMldBytes(const Bytes& bytes, int part) {
    const MldContents contents = readMldContents(bytes);
    if (!contents.error.empty())
        return {std::nullopt, contents.error};
    const auto notes = contents.notes.find(part);
    if (notes == contents.notes.end())
        return {std::nullopt, u"the i-melody file has no notes in part " + numberText(part)};
    DecodedPart decoded;
    decoded.title = contents.title;
    decoded.tempo = contents.tempo;
    if (part >= 0 && part < static_cast<int>(contents.voice.size()))
        decoded.voice = contents.voice[part];
    decoded.melody = melodyText(notes->second);
    return {decoded, {}};
}

DecodeResult decodeMldMail(std::u16string_view base64, int part) {
    const auto bytes = base64Decode(base64);
    if (!bytes)
        return {std::nullopt, u"the attachment is not base64 text"};
    return decodeMldBytes(*bytes, part);
}

std::vector<int> mldParts(const Bytes& bytes) {
    std::vector<int> parts;
    for (const auto& [part, notes] : readMldContents(bytes).notes)
        parts.push_back(part);
    return parts;
}

} // namespace sarvo::formats
