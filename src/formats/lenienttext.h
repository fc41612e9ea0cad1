#pragma once
// Code page 932 conversions for titles that must never fail: a title typed with a character that
// code page 932 lacks is still sent, and a file with a damaged title is still read.

#include <string>
#include <string_view>

namespace sarvo::formats {

// Each character without a code page 932 form becomes "?".
std::string toCp932Lenient(std::u16string_view text);
// Each byte that starts no valid code page 932 character becomes U+FFFD.
std::u16string fromCp932Lenient(std::string_view bytes);

} // namespace sarvo::formats
