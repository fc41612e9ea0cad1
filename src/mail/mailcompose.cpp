#include "mail/mailcompose.h"

#include "common/base64.h"
#include "common/headerwords.h"
#include "common/jistext.h"
#include "formats/kyaramail.h"
#include "formats/mld.h"
#include "formats/pdxmail.h"
#include "formats/smd.h"

namespace sarvo::mail {
namespace {

constexpr std::u16string_view kCrlf = u"\r\n";

// The text being composed, with the first failure of a conversion kept.
struct Composer {
    const OutgoingMail& mail;
    std::u16string text;
    std::u16string error;

    void line(std::u16string_view content) {
        text += content;
        text += kCrlf;
    }
    std::u16string jis(std::u16string_view content) {
        Converted<std::u16string> converted = sjisToJisText(content);
        if (!converted.ok() && error.empty())
            error = converted.error;
        return converted.value;
    }
    std::u16string boundary() const { return mail.time.boundary(); }
    std::u16string boundaryLine() const { return u"--" + boundary(); }
    // EncodeHeader and FoldHeaderLines over a composed piece.
    std::u16string encodedAndFolded(std::u16string_view piece) {
        Converted<std::u16string> encoded = encodeHeader(piece);
        if (!encoded.ok() && error.empty())
            error = encoded.error;
        return foldHeaderLines(encoded.value);
    }
    void encodeAndFold() { text = encodedAndFolded(text); }
};

void pmailDxBody(Composer& c) {
    const std::u16string boundaryLine = c.boundaryLine();
    c.line(u"");
    c.line(c.jis(c.mail.body));
    c.line(boundaryLine);
    c.line(u"Content-type: Audio/X-Alpha5; Name=\"melo0001.als\"");
    c.line(u"Content-Transfer-Encoding: Base64");
    c.encodeAndFold();
    c.text += kCrlf;
    c.text += base64Encode(c.mail.attachment.bytes) + std::u16string(kCrlf) + boundaryLine;
    const std::u16string second =
        std::u16string(kCrlf) + c.jis(c.mail.body) + std::u16string(kCrlf) + boundaryLine +
        std::u16string(kCrlf) + u"Content-type: X-PmailDX/X-BANDAI;Type=03" + std::u16string(kCrlf);
    c.text += c.encodedAndFolded(second);
    c.text += std::u16string(kCrlf) + base64Encode(c.mail.attachment.codes) + std::u16string(kCrlf) +
              boundaryLine + u"--";
}

void kyaraBody(Composer& c) {
    const OutgoingMail& m = c.mail;
    std::u16string line = u"MSG=" + m.subject;
    if (m.body.find_first_not_of(u" \t\r\n\u3000") != std::u16string::npos)
        line += u"***" + m.body;
    line += m.attachment.kyara;
    c.line(u"");
    c.line(c.jis(line));
    c.encodeAndFold();
}

void iMelodyBody(Composer& c) {
    c.encodeAndFold();
    c.text += std::u16string(kCrlf) + u"--B:M" + std::u16string(kCrlf) +
              base64Encode(c.mail.attachment.bytes);
}

void skyMelodyBody(Composer& c) {
    c.line(u"");
    c.line(c.jis(c.mail.body));
    c.line(c.boundaryLine());
    c.line(u"Content-Type: application/octet-stream; name=\"sarvo.smd\"");
    c.line(u"Content-Transfer-Encoding: base64");
    c.line(u"Content-Disposition: attachment; filename=\"sarvo.smd\"");
    c.encodeAndFold();
    c.text += std::u16string(kCrlf) + base64Encode(c.mail.attachment.bytes) + std::u16string(kCrlf) +
              c.boundaryLine();
}

using BodyWriter = void (*)(Composer&);
constexpr BodyWriter kBodyWriters[kMailKindCount] = {pmailDxBody, kyaraBody, iMelodyBody,
                                                     skyMelodyBody, iMelodyBody};

} // namespace

std::string bytesOfText(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(text[i] & 0xFF);
    return bytes;
}

std::u16string textOfBytes(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<unsigned char>(bytes[i]);
    return text;
}

Converted<Attachment> encodeAttachment(MailKind kind, const formats::Ringtone& ringtone,
                                       std::u16string_view subject, IInteractive& ui) {
    Attachment attachment;
    switch (kind) {
    case MailKind::PmailDx: {
        formats::Ringtone titled = ringtone;
        titled.title = subject;
        attachment.bytes = formats::encodePdxMelody(titled);
        Converted<formats::Bytes> codes = formats::encodePdxCodes(titled);
        if (!codes.ok())
            return {{}, codes.error};
        attachment.codes = std::move(codes.value);
        break;
    }
    case MailKind::Kyara: {
        Converted<std::u16string> text = formats::encodeKyara(ringtone);
        if (!text.ok())
            return {{}, text.error};
        attachment.kyara = std::move(text.value);
        break;
    }
    case MailKind::IMelody:
    case MailKind::IMelodyUrl:
        attachment.bytes =
            formats::encodeMld(ringtone,
                               kind == MailKind::IMelodyUrl ? formats::MldSizeLimit::Lifted
                                                            : formats::MldSizeLimit::Applied,
                               ui);
        break;
    case MailKind::SkyMelody: {
        Converted<formats::Bytes> bytes = formats::encodeSmd(ringtone);
        if (!bytes.ok())
            return {{}, bytes.error};
        attachment.bytes = std::move(bytes.value);
        break;
    }
    }
    return {std::move(attachment), {}};
}

Converted<std::string> composeMail(const OutgoingMail& mail) {
    const MailKindInfo& info = mailKindInfo(mail.kind);
    Composer c{mail, {}, {}};
    if (info.hasSubject)
        c.line(u"Subject: " + mail.subject);
    c.line(mail.userName.empty() ? u"From: " + mail.ownAddress
                                 : u"From: " + mail.userName + u"<" + mail.ownAddress + u">");
    c.line(u"To: " + mail.destination);
    c.line(u"MIME-Version: 1.0");
    c.line(u"X-Mailer: " + std::u16string(kMailer));
    c.line(u"X-Sarvo-Name: " + mail.songName);
    c.line(u"X-Sarvo-Kashu: " + mail.kashu);
    c.line(u"X-Sarvo-JAN: " + mail.jan);
    c.line(u"X-Sarvo-Mail-Type: " + std::u16string(info.typeHeader));
    if (info.multipart)
        c.line(u"Content-Type: Multipart/Mixed;boundary=\"" + c.boundary() + u"\"");
    if (mail.kind == MailKind::PmailDx) {
        c.line(u"Status:");
        c.line(u"");
    }
    if (info.multipart)
        c.line(c.boundaryLine());
    if (mail.kind == MailKind::IMelodyUrl)
        c.line(u"X-imode-User-Addr: " + mail.imodeAddress);
    c.line(u"Content-type: Text/Plain;charset=iso-2022-jp");
    kBodyWriters[static_cast<int>(mail.kind)](c);
    if (!c.error.empty())
        return {{}, c.error};
    return {bytesOfText(c.text), {}};
}

std::vector<std::u16string> chordParts(const std::vector<std::u16string>& selected,
                                       IInteractive& ui) {
    if (selected.size() <= static_cast<size_t>(formats::kMaxParts))
        return selected;
    if (ui.askQuestion(kChordQuestion, QuestionButtons::YesNo) != Answer::Yes)
        return {};
    return {selected.begin(), selected.begin() + formats::kMaxParts};
}

} // namespace sarvo::mail
