#pragma once
// The melody text of a kyara-mail: "]]", a tempo digit, then three digits per note: the length
// (0 whole ... 1 sixteenth, 7 dotted half), the step (1 = ド ... 7 = シ, 0 a rest) and the octave
// with its sharp (3 低, 5 中, 7 高, one more for a sharp; 0 for a rest).
//
// A tied note is written as the same note repeated once per tie. docs/formats.md lists what
// the text cannot carry.

#include "common/converted.h"
#include "formats/ringtone.h"

#include <string>
#include <string_view>

namespace sarvo::formats {

inline constexpr std::u16string_view kKyaraStart = u"]]";

// The text of the first part. Tuplets have no length digit: the encoding then fails, with no
// text, and the error names the token.
Converted<std::u16string> encodeKyara(const Ringtone& ringtone);

// The melody and tempo of a kyara-mail text, with or without the leading "]]". Blanks and line
// breaks between the digits are skipped; reading stops at any other character. A group whose
// digits mean no note is skipped. Fails when there is no tempo digit or no note.
DecodeResult decodeKyara(std::u16string_view text);

} // namespace sarvo::formats
