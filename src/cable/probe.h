#pragma once
// What every transfer opens with: the phone-type probe, the PIN frame and the speed codes.

#include "cable/cabletypes.h"
#include "cable/transport.h"

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::cable {

inline constexpr std::u16string_view kProbeFrame =
    u"B3 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 00 00 00 00 00 00 00 00 "
    u"00 00 00 00 00 00 00 00";
inline constexpr std::u16string_view kProbeTemplate =
    u"6C 0D 00 02 00 07 FF FF 00 00 00 FF FF FF 00 0D FF FF FF FF FF";

// The bytes of a frame written as hex text in the tables.
Bytes frameBytes(std::u16string_view hex);

struct ProbeResult {
    CableType type;
    bool d502i = false; // the D502i model of Type-AC
};

// The type the filled probe template selects: every row whose prefix occurs selects its type, a
// later one overriding an earlier one; nullopt when none occurs.
std::optional<ProbeResult> typeOfProbeReply(const Bytes& reply);

// The PIN frame with the four bytes from index 2 replaced by the digits of the PIN: when it
// holds four digits and is not 0000, digit 0 stays 9A and digits 1 to 9 become 0x90 + digit.
Bytes pinFrame(std::u16string_view frame, std::u16string_view pin);

// The port setting of a speed code 1 to 5; nullopt for another byte.
std::optional<LineSettings> speedSettings(uint8_t code);

} // namespace sarvo::cable
