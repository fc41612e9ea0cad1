#pragma once
// Shift_JIS (code page 932) and ISO-2022-JP, the 7-bit form of Japanese text in mail and in some
// ringtone formats.
//
// Writing, the conversions use exactly two escape sequences: ESC $ B (1B 24 42) to enter JIS X
// 0208 and ESC ( B (1B 28 42) to return to ASCII. Reading, text also accepts ESC ( J (taken as
// ASCII) and bytes also accept SO (0x0E) and SI (0x0F) around half-width katakana. ISO-2022-JP
// held as text has one byte value per character (0 to 127).
//
// A two-byte character outside the convertible lead and trail ranges is written as two zero
// bytes, and an unconvertible JIS pair reads as the character U+0000; neither is reported. Only
// a character that has no two-byte form stops a conversion to ISO-2022-JP (half-width katakana
// and characters without a code page 932 form), and only a byte outside 0x20-0x5F between SO
// and SI stops a conversion from it.

#include "common/converted.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo {

struct JisPair {
    uint8_t first = 0;
    uint8_t second = 0;
    bool operator==(const JisPair&) const = default;
};

// The JIS X 0208 bytes of a Shift_JIS lead and trail byte; {0, 0} when the lead byte is outside
// 0x81-0x9F and 0xE0-0xEF (the user-defined area 0xF0-0xFC included) or the trail byte outside
// 0x40-0x7E and 0x80-0xFC.
JisPair sjisToJisPair(uint8_t lead, uint8_t trail);

// The character of a JIS X 0208 pair; U+0000 when the pair has no Shift_JIS form or the
// Shift_JIS code it gives is not assigned in code page 932.
char16_t jisToSjisPair(unsigned first, unsigned second);

// Text to ISO-2022-JP held as text (one byte value per character). An empty text gives an empty
// text. Fails at the first character that has no two-byte code page 932 form.
Converted<std::u16string> sjisToJisText(std::u16string_view text);

// The same conversion written as bytes.
Converted<std::vector<uint8_t>> textToJisBytes(std::u16string_view text);

// ISO-2022-JP held as text back to text: ESC $ B, ESC ( B and ESC ( J switch modes; a first
// byte left without its second at the end is dropped. Never fails.
std::u16string jisTextToSjis(std::u16string_view jis);

// ISO-2022-JP bytes to text: ESC $ B and ESC ( B switch modes, SO and SI enter and leave
// half-width katakana at any point. Fails at a byte outside 0x20-0x5F in half-width katakana
// mode; the value then holds the text decoded before that byte.
Converted<std::u16string> jisBytesToText(std::span<const uint8_t> bytes);

// The first and second byte of a character's code page 932 form. The first byte of a one-byte
// form is that byte; a one-byte form has no second byte. Both are nullopt for a character
// without a code page 932 form.
std::optional<uint8_t> sjisLeadByte(char16_t c);
std::optional<uint8_t> sjisTrailByte(char16_t c);

// What byte b stands for between SO and SI: entry b - 0x20. Entry 0 is a blank, entries 1 to 63
// the half-width katakana U+FF61 to U+FF9F, so b stands for the JIS X 0201 katakana b + 0x80.
inline constexpr std::array<char16_t, 64> halfKanaTable = [] {
    std::array<char16_t, 64> table{};
    table[0] = u' ';
    for (int i = 1; i < 64; ++i)
        table[i] = static_cast<char16_t>(0xFF60 + i);
    return table;
}();

} // namespace sarvo
