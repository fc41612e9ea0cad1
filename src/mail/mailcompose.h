#pragma once
// The text of a ringtone mail, exactly as it is handed to the DATA phase of SMTP (before the
// dot-stuffing of the transfer): headers in their fixed order, the message in ISO-2022-JP, every
// non-ASCII header run as encoded words, long lines folded, then the attachment in base64 on one
// line.

#include "common/converted.h"
#include "common/interaction.h"
#include "formats/hexbytes.h"
#include "formats/ringtone.h"
#include "mail/mailkind.h"
#include "mail/mailtime.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarvo::mail {

inline constexpr std::u16string_view kMailer = u"Sarvo Ver 1.6Z";
inline constexpr std::u16string_view kDefaultBody = u"こんにちは。";
inline constexpr std::u16string_view kChordQuestion =
    u"和音は４パートまでです。\r\n上から４曲を送信しますか？";
inline constexpr std::u16string_view kEncodeFailureLog = u"? 音符の変換エラー\r\n";

// What the encoders made of the melody: the byte array (types 2, 3, 4; the melody stream of
// type 0), the short code stream of type 0, the melody text of type 1.
struct Attachment {
    formats::Bytes bytes;
    formats::Bytes codes;
    std::u16string kyara;
};

struct OutgoingMail {
    MailKind kind = MailKind::IMelody;
    std::u16string ownAddress;
    std::u16string destination; // for type 4 already the upload mailbox
    std::u16string userName;
    std::u16string subject;
    std::u16string body{kDefaultBody};
    std::u16string imodeAddress; // type 4
    std::u16string songName, kashu, jan;
    MailTime time; // the boundary comes from it
    Attachment attachment;
};

// Runs the encoder of the kind: type 0 with the subject as title (the melody stream and the
// short code stream), type 1 the kyara-mail text, types 2 and 4 the i-melody file (the size
// limit lifted for type 4), type 3 the Sky Melody file. Fails with the encoder's reason.
Converted<Attachment> encodeAttachment(MailKind kind, const formats::Ringtone& ringtone,
                                       std::u16string_view subject, IInteractive& ui);

// The mail text in 7-bit bytes, CRLF line ends. Fails when a header or the message holds a
// character ISO-2022-JP cannot carry (half-width katakana).
Converted<std::string> composeMail(const OutgoingMail& mail);

// The parts of a chord from the songs selected, in list order: all of them up to four; of more,
// the first four when the user agrees to kChordQuestion, else none.
std::vector<std::u16string> chordParts(const std::vector<std::u16string>& selected,
                                       IInteractive& ui);

// Narrow text of 7-bit characters, and back; characters above 0xFF keep their low byte.
std::string bytesOfText(std::u16string_view text);
std::u16string textOfBytes(std::string_view bytes);
// ASCII text such as a number written by std::to_string.
inline std::u16string asciiText(std::string_view text) {
    return textOfBytes(text);
}

} // namespace sarvo::mail
