#pragma once
// Base64 with the alphabet of MIME mail (A-Z, a-z, 0-9, "+", "/", "=" padding), as ringtone
// attachments travel.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo {

// Exactly 4 × ceil(n / 3) characters for n bytes, padded with "=" or "==", on one line whatever
// the length.
std::u16string base64Encode(std::span<const uint8_t> bytes);

// Reads groups of four symbols, skipping every character outside the alphabet and "=" (line
// breaks, blanks), so text broken into lines anywhere decodes as the unbroken text. "=" counts as
// a symbol: in the third or fourth place of a group it adds no byte; in the second place it
// still completes the group's first byte. Nothing, or a group that starts with "=" and goes on,
// does not decode: the result is then nullopt.
std::optional<std::vector<uint8_t>> base64Decode(std::u16string_view text);

// The value 0-63 of a base64 character; nullopt outside the alphabet (and for "=").
std::optional<uint8_t> base64Value(char16_t c);

} // namespace sarvo
