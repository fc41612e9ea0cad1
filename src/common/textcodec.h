#pragma once
// Conversions between the UTF-16 text held in memory and the byte encodings of files and
// terminals: code page 932 (Shift_JIS as Windows writes it) and UTF-8. Every file the program
// reads or writes goes through here.

#include <optional>
#include <string>
#include <string_view>

namespace sarvo {

// Code page 932 bytes to UTF-16; nullopt when the bytes are not valid code page 932.
std::optional<std::u16string> fromCp932(std::string_view bytes);
// UTF-16 to code page 932; nullopt when a character has no code page 932 form.
std::optional<std::string> toCp932(std::u16string_view text);

std::optional<std::u16string> fromUtf8(std::string_view bytes);
std::string toUtf8(std::u16string_view text);

} // namespace sarvo
