#include "cable/probe.h"

#include "common/interaction.h"

#include <algorithm>
#include <array>

namespace sarvo::cable {
namespace {

struct ProbeRow {
    std::u16string_view prefix;
    ProbeResult result;
};

constexpr std::array<ProbeRow, 8> kProbeRows = {{
    {u"6C 0D 00 02 00 07 00 05 00 00 00 03 00 0A 00 0D", {CableType::E}},
    {u"6C 0D 00 02 00 07 00 07 00 00 00 07 01 02 00 0D", {CableType::S}},
    {u"6C 0D 00 02 00 07 00 07 00 00 00 07 01 02 00 0D 01 03 00 0A 01", {CableType::AA}},
    {u"6C 0D 00 02 00 07 01 0C 00 00 00 07 01 02 00 0D", {CableType::AA}},
    {u"6C 0D 00 02 00 07 00 07 00 00 00 07 00 0C 00 0D", {CableType::AD}},
    {u"6C 0D 00 02 00 07 00 05 00 00 00 07 01 00 00 0D", {CableType::AD}},
    {u"6C 0D 00 02 00 07 00 05 00 00 00 03 00 0C 00 0D", {CableType::AC}},
    {u"6C 0D 00 02 00 07 00 05 00 00 00 03 01 08 00 0D", {CableType::AC, true}},
}};

constexpr std::array<LineSettings, 5> kSpeeds = {
    {{600, true}, {1200, true}, {2400, true}, {4800, true}, {9600, true}}};

constexpr size_t kPinAt = 2;
constexpr size_t kPinDigits = 4;
constexpr uint8_t kPinZero = 0x9A;

} // namespace

Bytes frameBytes(std::u16string_view hex) {
    RecordingInteractive literalsAreValid;
    Bytes bytes;
    formats::str2Byte(hex, bytes, literalsAreValid);
    return bytes;
}

std::optional<ProbeResult> typeOfProbeReply(const Bytes& reply) {
    const std::u16string text = formats::byte2Str(reply);
    std::optional<ProbeResult> found;
    for (const ProbeRow& row : kProbeRows)
        if (text.find(row.prefix) != std::u16string::npos)
            found = row.result;
    return found;
}

Bytes pinFrame(std::u16string_view frame, std::u16string_view pin) {
    Bytes bytes = frameBytes(frame);
    const bool digits = pin.size() == kPinDigits &&
                        std::ranges::all_of(pin, [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!digits || pin == u"0000" || bytes.size() < kPinAt + kPinDigits)
        return bytes;
    for (size_t i = 0; i < kPinDigits; ++i) {
        const int digit = pin[i] - u'0';
        bytes[kPinAt + i] = digit == 0 ? kPinZero : static_cast<uint8_t>(0x90 + digit);
    }
    return bytes;
}

std::optional<LineSettings> speedSettings(uint8_t code) {
    if (code < 1 || code > kSpeeds.size())
        return std::nullopt;
    return kSpeeds[code - 1];
}

} // namespace sarvo::cable
