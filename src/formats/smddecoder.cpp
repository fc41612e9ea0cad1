#include "formats/melodytokens.h"
#include "formats/smd.h"
#include "formats/smdcodes.h"

#include "common/base64.h"
#include "common/jistext.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace sarvo::formats {
namespace {

using namespace smd;

// A note or rest with the ticks of all its tied lengths.
struct Element {
    int ticks = 0;
    std::optional<int> pitch;
};

struct PartReading {
    std::vector<Element> elements;
    std::optional<int> tempo;
};

bool isPartStart(std::span<const uint8_t> bytes, size_t at) {
    return at + 3 <= bytes.size() && std::equal(std::begin(kPartStart), std::end(kPartStart),
                                                bytes.begin() + static_cast<long>(at));
}

// Offsets of the bytes right after each part start.
std::vector<size_t> partOffsets(std::span<const uint8_t> bytes) {
    std::vector<size_t> offsets;
    for (size_t at = 0; at < bytes.size(); ++at)
        if (isPartStart(bytes, at))
            offsets.push_back(at + 3);
    return offsets;
}

int applyRegisterCode(int reg, uint8_t code) {
    switch (code) {
    case kRegisterUp: return 1;
    case kRegisterDown: return -1;
    case kRegisterMiddle: return 0;
    default: return reg;
    }
}

PartReading readPart(std::span<const uint8_t> bytes, size_t at) {
    PartReading part;
    int reg = 0;
    bool tied = false;
    auto addLength = [&](int ticks, std::optional<int> pitch) {
        if (tied && !part.elements.empty())
            part.elements.back().ticks += ticks;
        else
            part.elements.push_back({ticks, pitch});
        tied = false;
    };
    for (; at < bytes.size() && bytes[at] != kPartEnd && !isPartStart(bytes, at); ++at) {
        const uint8_t b = bytes[at];
        if (b == kCommand && at + 1 < bytes.size()) {
            const uint8_t code = bytes[++at];
            reg = applyRegisterCode(reg, code);
            for (const TempoRange& tempo : kTempoRanges)
                if (tempo.code == code && !part.tempo)
                    part.tempo = tempo.to;
        } else if (b == kTie) {
            tied = true;
        } else if (b >= kFirstRest && b < kFirstRest + 4) {
            addLength(ticksOfIndex(b - kFirstRest), std::nullopt);
        } else if (b >= kFirstPitchCode && b <= kLastNoteByte) {
            const int step = ((b & 0x7C) - kFirstPitchCode) / 4;
            addLength(ticksOfIndex(b & 0x03),
                      foldIntoRange(kFirstPitchOfMiddleRegister + step + 12 * reg));
        }
        // Other bytes carry nothing a melody can hold.
    }
    return part;
}

} // namespace

DecodeResult decodeSmdBytes(const Bytes& bytes, int part) {
    const std::vector<size_t> offsets = partOffsets(bytes);
    if (offsets.empty())
        return {std::nullopt, u"not a Sky Melody stream: no part starts with ESC $ D"};
    if (part < 0 || static_cast<size_t>(part) >= offsets.size())
        return {std::nullopt, u"the Sky Melody stream has no such part"};
    const PartReading reading = readPart(bytes, offsets[static_cast<size_t>(part)]);
    if (reading.elements.empty())
        return {std::nullopt, u"the Sky Melody part holds no notes"};

    DecodedPart decoded;
    // A title that stops converting keeps what converted before.
    decoded.title =
        jisBytesToText(std::span<const uint8_t>(bytes).first(offsets.front() - 3)).value;
    decoded.tempo = reading.tempo;
    TokenWriter writer;
    for (const Element& element : reading.elements)
        writer.appendSplit(element.ticks, element.pitch);
    decoded.melody = writer.text();
    return {decoded, {}};
}

DecodeResult decodeSmdMail(std::u16string_view base64, int part) {
    const auto bytes = base64Decode(base64);
    if (!bytes)
        return {std::nullopt, u"the attachment is not base64 text"};
    return decodeSmdBytes(*bytes, part);
}

} // namespace sarvo::formats
