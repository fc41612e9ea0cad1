#pragma once
// One character at a time in code page 932: the numeric value of a character's code page 932
// form (its single byte, or lead byte × 256 + trail byte) and back. The byte formats and the
// ISO-2022-JP conversions work on these values; whole texts go through textcodec.h instead.

#include <cstdint>
#include <optional>

namespace sarvo {

// The code page 932 value of a character: 0x00-0x7F and 0xA1-0xDF (half-width katakana) for the
// one-byte forms, 0x8140 and above for the two-byte forms; nullopt when the character has no
// code page 932 form (a surrogate, most characters outside Japanese).
std::optional<uint16_t> cp932CodeOf(char16_t c);

// The character with a code page 932 value; nullopt when the value is not assigned.
std::optional<char16_t> charOfCp932(uint16_t code);

// True for the values of one-byte forms.
constexpr bool isSingleByteCp932(uint16_t code) {
    return code <= 0xFF;
}
// ASCII in the sense of the mail and byte formats: a one-byte value from 0 to 127. Half-width
// katakana and every two-byte character are non-ASCII.
constexpr bool isAsciiCp932(uint16_t code) {
    return code <= 0x7F;
}

} // namespace sarvo
