#include "formats/melodytokens.h"
#include "formats/mld.h"
#include "formats/mldcontents.h"

#include "common/base64.h"

#include <algorithm>
#include <array>
#include <string>

namespace sarvo::formats {
namespace {

constexpr int kLowestKey = 15;
constexpr int kUnitsPerTick = kMldTimeUnitsPerQuarter / 48;
constexpr int kMaxGate = 255;

struct Length {
    int ticks;
    char16_t code; // the note code; rests are written as the rest of the same length
    bool dotted;
};

constexpr std::array<Length, 11> kExactLengths = {{{192, u'A', false},
                                                   {144, u'B', true},
                                                   {96, u'B', false},
                                                   {72, u'C', true},
                                                   {48, u'C', false},
                                                   {36, u'D', true},
                                                   {32, u'2', false},
                                                   {24, u'D', false},
                                                   {16, u'3', false},
                                                   {12, u'E', false},
                                                   {8, u'6', false}}};

// The lower bound of the range each length takes when no length fits exactly. The last row
// takes every shorter gate time.
struct Range {
    int from;
    Length length;
};
constexpr std::array<Range, 11> kGateRanges = {{{200, {192, u'A', false}},
                                                {152, {144, u'B', true}},
                                                {104, {96, u'B', false}},
                                                {80, {72, u'C', true}},
                                                {56, {48, u'C', false}},
                                                {44, {36, u'D', true}},
                                                {40, {32, u'2', false}},
                                                {32, {24, u'D', false}},
                                                {24, {16, u'3', false}},
                                                {20, {12, u'E', false}},
                                                {0, {8, u'6', false}}}};
constexpr std::array<Range, 11> kGapRanges = {{{200, {192, u'A', false}},
                                               {152, {144, u'B', true}},
                                               {104, {96, u'B', false}},
                                               {80, {72, u'C', true}},
                                               {56, {48, u'C', false}},
                                               {44, {36, u'D', true}},
                                               {40, {32, u'2', false}},
                                               {32, {24, u'D', false}},
                                               {24, {16, u'3', false}},
                                               {20, {12, u'E', false}},
                                               {16, {8, u'6', false}}}};

const Length* exactLength(int64_t ticks) {
    for (const Length& length : kExactLengths)
        if (length.ticks == ticks)
            return &length;
    return nullptr;
}

// The length of the first range whose lower bound the value reaches; the last range otherwise.
template <size_t N> const Length& rangeLength(const std::array<Range, N>& ranges, int64_t value) {
    for (const Range& range : ranges)
        if (value >= range.from)
            return range.length;
    return ranges.back().length;
}

const Length& gateLength(int gate) {
    const Length* exact = exactLength(gate);
    return exact ? *exact : rangeLength(kGateRanges, gate);
}

// Fills a gap with rests, the largest that fits first; a gap below 16 ticks that is no length
// of its own ends with the shortest rest. Less than half the shortest rest is left out: such a
// gap comes only from rounding, and a rest would put the next note later than it was.
int64_t writeRests(TokenWriter& writer, int64_t gap) {
    int64_t written = 0;
    auto write = [&](const Length& length) {
        writer.append(length.code, length.dotted, std::nullopt);
        written += length.ticks;
    };
    while (gap >= kExactLengths.back().ticks / 2) {
        if (const Length* exact = exactLength(gap)) {
            write(*exact);
            break;
        }
        if (gap < kGapRanges.back().from) {
            write(kExactLengths.back());
            break;
        }
        const Length& length = rangeLength(kGapRanges, gap);
        write(length);
        gap -= length.ticks;
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
            const Length& length = gateLength(static_cast<int>(note.gate));
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
