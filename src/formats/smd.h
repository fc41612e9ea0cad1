#pragma once
// The Sky Melody format (.smd): the 7-bit byte stream of a ringtone for phones of the J-PHONE
// family, sent as a mail attachment and imported from files.
//
// Layout: the title (its first 9 characters in ISO-2022-JP), then per part ESC $ D (1B 24 44),
// an optional tempo code (21 2B, 21 2A or 21 28), the notes and the part end 0F. A note is one
// byte: a pitch code (a multiple of 4 from 0x28, read in the current octave register) OR'ed with
// a length index (0 a sixteenth, 1 an eighth, 2 a quarter, 3 a half); "#" to "&" are rests of
// those lengths; 0x22 ties the next length to the note or rest before; 21 22, 21 23 and 21 24
// move the register up, down and back to the middle.

#include "common/converted.h"
#include "formats/hexbytes.h"
#include "formats/ringtone.h"

#include <string_view>

namespace sarvo::formats {

inline constexpr size_t kSmdTitleCharacters = 9;

// Encodes the first four parts. Fails (with the bytes empty) when the title cannot be written in
// ISO-2022-JP, as a title with half-width katakana.
Converted<Bytes> encodeSmd(const Ringtone& ringtone);

// One part (counting from 0) as melody text. The tempo is the upper end of the tempo code's
// range (100, 120 or 148); the format holds no voice. Fails when the part is missing or empty.
DecodeResult decodeSmdBytes(const Bytes& bytes, int part);

// The same from the base64 text of a mail attachment.
DecodeResult decodeSmdMail(std::u16string_view base64, int part);

} // namespace sarvo::formats
