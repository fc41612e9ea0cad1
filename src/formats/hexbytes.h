#pragma once
// Byte arrays and their hex text. Fixed byte sequences (file magics, command frames) are written
// as hex text such as "6D 65 6C 6F" and turned into bytes by str2Byte; byte2Str writes bytes
// back as the same text for protocol logs.

#include "common/interaction.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::formats {

using Bytes = std::vector<uint8_t>;

// True when every character has a code from 0 to 127.
bool isAsciiStr(std::u16string_view text);

// Converts hex text into bytes: pair i is the two characters at index 3i, the characters between
// pairs are never looked at and a trailing fragment shorter than a pair is ignored. Returns false
// and leaves the array alone when the text holds no pair. A pair that is not hexadecimal shows
// "str2Byte 変換エラー &H" and the pair, and returns false with the bytes before it converted and
// the rest zero.
bool str2Byte(std::u16string_view hex, Bytes& bytes, IInteractive& ui);

// The bytes as upper-case hex pairs separated by one blank: {0xD1, 0x06, 0x0F} gives "D1 06 0F".
std::u16string byte2Str(const Bytes& bytes);

// Stores value big-endian in the width bytes from start on, which the array must already hold;
// the bytes before the significant ones are zero.
void setNumBytes(Bytes& bytes, size_t start, uint32_t value, int width);

// The bytes of an ASCII literal such as a chunk tag.
Bytes asciiBytes(std::string_view text);

} // namespace sarvo::formats
