#pragma once
// Text of private-profile files as Windows keeps it in code page 932. Unlike the strict codec of
// common/textcodec.h these conversions never fail: a profile with a few broken bytes must still
// load, and a value the user typed must still be written.
//
// The single bytes 0x80, 0xA0 and 0xFD to 0xFF, which code page 932 leaves undefined, travel as
// the code points Windows gives them (U+0080, U+F8F0 to U+F8F3), so they survive a read and a
// write unchanged; a double-byte sequence that code page 932 lacks reads as U+FFFD.

#include <string>
#include <string_view>

namespace sarvo::settings {

std::u16string decodeProfileText(std::string_view bytes);

struct EncodedText {
    std::string bytes;
    bool lossless = true; // false when a character became "?"
};

// Characters code page 932 cannot hold are written as "?", as an ANSI program writes them.
EncodedText encodeProfileText(std::u16string_view text);

// True for a byte that starts a double-byte character of code page 932.
inline bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace sarvo::settings
