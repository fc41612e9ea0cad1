#pragma once
// The two byte streams of a P-mail DX mail.
//
// The melody stream: E1 F0, the title in code page 932, FD F1, the tempo in quarter notes per
// minute (one byte), a length code (C0-C9) and a pitch code (0x27 = 低ド ... 0x4A = 高シ, 0x00 a
// rest) for every note, and FF. The last two bytes of every 256-byte block after the tempo are
// the filler A1.
//
// The short code stream: a tempo code (0-5), then for every note a length byte when the length
// changes (0x7F-0x88 for the plain and dotted lengths, C0 C2 C4 C6 for the tuplets) and a note
// byte (the diatonic step 1 = 低ド ... 21 = 高シ, plus 0x40 for a sharp, 0 for a rest), and FF.
//
// Both streams write a tied note as the same note repeated once per tie, so the melody keeps
// its timing. docs/formats.md lists what each stream cannot carry.

#include "common/converted.h"
#include "common/interaction.h"
#include "formats/hexbytes.h"
#include "formats/ringtone.h"

#include <string>
#include <string_view>

namespace sarvo::formats {

// Shown when a received stream is not base64 text.
inline constexpr std::u16string_view kPdxBase64Failure =
    u"曲データの Base64デコードに失敗したぁ・・・";

// The melody stream of the first part. Never fails.
Bytes encodePdxMelody(const Ringtone& ringtone);

// The short code stream of the first part. A tuplet rest has no length byte: the stream then
// ends before it, without the closing FF, and the error says why.
Converted<Bytes> encodePdxCodes(const Ringtone& ringtone);

// The melody, title and tempo of a melody stream. Fails when the bytes are no melody stream or
// hold no note.
DecodeResult decodePdxMelodyBytes(const Bytes& bytes);
// The same from the base64 text of the received part; text that is no base64 shows
// kPdxBase64Failure.
DecodeResult decodePdxMelody(std::u16string_view base64, IInteractive& ui);

// The melody and tempo of a short code stream. Fails when the bytes hold no note.
DecodeResult decodePdxCodesBytes(const Bytes& bytes);
DecodeResult decodePdxCodes(std::u16string_view base64, IInteractive& ui);

} // namespace sarvo::formats
