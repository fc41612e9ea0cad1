#include "mail/mailparse.h"

#include "common/headerwords.h"
#include "common/jistext.h"
#include "formats/kyaramail.h"
#include "formats/mld.h"
#include "formats/pdxmail.h"
#include "formats/smd.h"
#include "mail/mailcompose.h"
#include "mail/mailtime.h"
#include "melody/filenames.h"

#include <algorithm>

namespace sarvo::mail {
namespace {

constexpr size_t npos = std::u16string::npos;
constexpr std::u16string_view kCrlf = u"\r\n";
constexpr std::u16string_view kEmptyLine = u"\r\n\r\n";

std::u16string upper(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return result;
}

// A message with an upper-cased copy for the searches that ignore case.
struct Text {
    std::u16string text;
    std::u16string upperText;

    explicit Text(std::u16string t)
        : text(std::move(t))
        , upperText(upper(text)) {}

    size_t findAnyCase(std::u16string_view what, size_t from = 0) const {
        return upperText.find(upper(what), from);
    }
    // From position to the end of its line.
    std::u16string_view restOfLine(size_t position) const {
        const size_t end = text.find(kCrlf, position);
        std::u16string_view rest(text);
        rest = rest.substr(position, end == npos ? npos : end - position);
        if (!rest.empty() && rest.back() == u'\r')
            rest.remove_suffix(1);
        return rest;
    }
    // The line after a label; nullopt when the label does not occur.
    std::optional<std::u16string_view> after(std::u16string_view label, bool anyCase) const {
        const size_t at = anyCase ? findAnyCase(label) : text.find(label);
        if (at == npos)
            return std::nullopt;
        return restOfLine(at + label.size());
    }
};

std::u16string trimmed(std::u16string_view text) {
    const auto blank = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\u3000';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::u16string(text);
}

// Every encoded word replaced by its text, with the one blank after it; the rest copied
// unchanged.
std::u16string decodeWords(const Text& message) {
    std::u16string result;
    size_t position = 0;
    for (;;) {
        const size_t start = message.findAnyCase(kEncodedWordPrefix, position);
        if (start == npos)
            break;
        const size_t content = start + kEncodedWordPrefix.size();
        const size_t end = message.text.find(kEncodedWordSuffix, content);
        if (end == npos)
            break;
        result.append(message.text, position, start - position);
        result += decodeHeaderWord(std::u16string_view(message.text).substr(content, end - content))
                      .value;
        position = end + kEncodedWordSuffix.size();
        // Our own encoder follows every word with one blank: it is no part of the text.
        if (position < message.text.size() && message.text[position] == u' ')
            ++position;
    }
    result.append(message.text, position);
    return result;
}

std::optional<std::u16string> boundaryOf(const Text& message) {
    for (const std::u16string_view label :
         {std::u16string_view(u"Content-Type: Multipart/Mixed;boundary="),
          std::u16string_view(u"Content-Type: Multipart/Mixed; boundary=")}) {
        const size_t at = message.findAnyCase(label);
        if (at == npos)
            continue;
        const size_t open = message.text.find(u'"', at + label.size());
        if (open == npos)
            continue;
        const size_t close = message.text.find(u'"', open + 1);
        if (close == npos)
            continue;
        return message.text.substr(open + 1, close - open - 1);
    }
    return std::nullopt;
}

// The parts of a message that the decoder of its kind reads.
struct Payload {
    std::u16string attachment;
    std::u16string messageText; // still ISO-2022-JP
    std::u16string title;       // type 1: the title of the MSG= line
    bool codeStream = false;    // type 0: the short code stream rather than the melody stream
};

// From start to just before CRLF + "--" + boundary (or the end).
std::u16string upToBoundary(const Text& message, size_t start, std::u16string_view boundary) {
    const size_t end =
        message.text.find(std::u16string(kCrlf) + u"--" + std::u16string(boundary), start);
    return message.text.substr(start, end == npos ? npos : end - start);
}

// The first line after the empty line that follows "--" + boundary + CRLF.
std::u16string partMessage(const Text& message, std::u16string_view boundary) {
    const size_t part = message.text.find(u"--" + std::u16string(boundary) + std::u16string(kCrlf));
    if (part == npos)
        return {};
    const size_t empty = message.text.find(kEmptyLine, part);
    if (empty == npos)
        return {};
    return std::u16string(message.restOfLine(empty + kEmptyLine.size()));
}

std::optional<Payload> pmailDxPayload(const Text& message, const std::u16string& boundary) {
    Payload payload;
    size_t start = npos;
    if (const size_t audio = message.findAnyCase(u"Content-type: Audio/X-Alpha5;"); audio != npos) {
        start = message.text.find(kEmptyLine, audio);
        if (start != npos)
            start += kEmptyLine.size();
    } else {
        constexpr std::u16string_view kCodes = u"Content-type: X-PmailDX/X-BANDAI;Type=03\r\n\r\n";
        start = message.findAnyCase(kCodes);
        if (start == npos)
            return std::nullopt;
        start += kCodes.size();
        payload.codeStream = true;
    }
    if (start == npos)
        return std::nullopt;
    payload.attachment = upToBoundary(message, start, boundary);
    payload.messageText = partMessage(message, boundary);
    return payload;
}

std::optional<Payload> kyaraPayload(const Text& message) {
    constexpr std::u16string_view kType = u"X-Sarvo-Mail-Type: CML\r\n";
    const size_t type = message.findAnyCase(kType);
    if (type == npos)
        return std::nullopt;
    const size_t empty = message.text.find(kEmptyLine, type + kType.size() - kCrlf.size());
    if (empty == npos)
        return std::nullopt;
    const size_t body = empty + kEmptyLine.size();
    const size_t msg = message.text.find(u"MSG=", body);
    const size_t titleStart = msg == npos ? body : msg + 4;
    // The last "]]" of the line starts the melody digits, so a title may hold "]]" itself.
    const size_t lineEnd = std::min(message.text.find(kCrlf, titleStart), message.text.size());
    const size_t marks = message.text.rfind(formats::kKyaraStart, lineEnd);
    if (marks == npos || marks < titleStart)
        return std::nullopt;
    Payload payload;
    payload.attachment = message.restOfLine(marks + formats::kKyaraStart.size());
    const size_t stars = message.text.find(u"***", titleStart);
    if (stars != npos && stars < marks) {
        payload.title = message.text.substr(titleStart, stars - titleStart);
        payload.messageText = message.text.substr(stars + 3, marks - stars - 3);
    } else {
        payload.title = message.text.substr(titleStart, marks - titleStart);
    }
    return payload;
}

std::optional<Payload> iMelodyPayload(const Text& message) {
    constexpr std::u16string_view kMarker = u"\r\n--B:M\r\n";
    const size_t marker = message.text.find(kMarker);
    if (marker == npos)
        return std::nullopt;
    Payload payload;
    const size_t start = marker + kMarker.size();
    const size_t end = message.text.find(kEmptyLine, start);
    payload.attachment = message.text.substr(start, end == npos ? npos : end - start);
    const size_t header = message.text.find(kEmptyLine);
    if (header != npos && header + kEmptyLine.size() <= marker)
        payload.messageText =
            message.text.substr(header + kEmptyLine.size(), marker - header - kEmptyLine.size());
    return payload;
}

std::optional<Payload> skyMelodyPayload(const Text& message, const std::u16string& boundary) {
    const size_t name = message.findAnyCase(u".smd\"\r\n");
    if (name == npos)
        return std::nullopt;
    const size_t empty = message.text.find(kEmptyLine, name);
    if (empty == npos)
        return std::nullopt;
    Payload payload;
    payload.attachment = upToBoundary(message, empty + kEmptyLine.size(), boundary);
    payload.messageText = partMessage(message, boundary);
    return payload;
}

// The subject once encoded words are decoded, folded lines joined.
std::u16string unfoldedSubject(const Text& decoded) {
    const size_t at = decoded.findAnyCase(u"SUBJECT:");
    if (at == npos)
        return {};
    std::u16string subject;
    size_t position = at + 8;
    for (;;) {
        subject += decoded.restOfLine(position);
        const size_t end = decoded.text.find(kCrlf, position);
        if (end == npos || end + 2 >= decoded.text.size() ||
            (decoded.text[end + 2] != u' ' && decoded.text[end + 2] != u'\t'))
            return subject;
        position = end + 3;
    }
}

// Song name and musician from "title[singer]" or "title「singer」".
void splitSubject(const std::u16string& subject, std::u16string& name, std::u16string& kashu,
                  bool kashuGiven) {
    size_t bracket = subject.find(u'[', 1);
    if (subject.empty() || bracket == npos)
        bracket = subject.empty() ? npos : subject.find(u'「', 1);
    if (bracket == npos) {
        name = subject;
        return;
    }
    name = subject.substr(0, bracket);
    if (kashuGiven)
        return;
    kashu = subject.substr(bracket + 1);
    if (!subject.empty() && (subject.back() == u']' || subject.back() == u'」') && !kashu.empty())
        kashu.pop_back();
}

std::vector<formats::DecodedPart> decodeParts(MailKind kind, const Payload& payload,
                                              IInteractive& ui) {
    std::vector<formats::DecodedPart> parts;
    const auto keep = [&](const formats::DecodeResult& result) {
        if (!result.part)
            return false;
        parts.push_back(*result.part);
        return true;
    };
    switch (kind) {
    case MailKind::PmailDx:
        keep(payload.codeStream ? formats::decodePdxCodes(payload.attachment, ui)
                                : formats::decodePdxMelody(payload.attachment, ui));
        break;
    case MailKind::Kyara: keep(formats::decodeKyara(payload.attachment)); break;
    case MailKind::IMelody:
    case MailKind::IMelodyUrl:
    case MailKind::SkyMelody:
        for (int part = 0; part < formats::kMaxParts; ++part) {
            const formats::DecodeResult result =
                kind == MailKind::SkyMelody ? formats::decodeSmdMail(payload.attachment, part)
                                            : formats::decodeMldMail(payload.attachment, part);
            if (!keep(result))
                break;
        }
        break;
    }
    return parts;
}

} // namespace

std::optional<std::vector<ReceivedSong>> parseMail(MailKind kind, std::string_view message,
                                                   IInteractive& ui) {
    if (!mailKindInfo(kind).receivable)
        return std::nullopt;
    const Text raw(textOfBytes(message));

    std::u16string subject;
    if (const auto line = raw.after(u"SUBJECT:", true);
        line && upper(*line).find(upper(kEncodedWordPrefix)) == npos)
        subject = jisTextToSjis(*line);

    const Text decoded(decodeWords(raw));
    const std::u16string songName = trimmed(decoded.after(u"X-Sarvo-Name: ", false).value_or(u""));
    std::u16string kashu = trimmed(decoded.after(u"X-Sarvo-Kashu: ", false).value_or(u""));
    const bool kashuGiven = !kashu.empty();

    const std::optional<std::u16string> boundary = boundaryOf(decoded);
    // A kyara-mail carries no boundary: it is recognised by its marker lines alone.
    if (!boundary && kind != MailKind::IMelody && kind != MailKind::Kyara)
        return std::nullopt;

    std::optional<Payload> payload;
    switch (kind) {
    case MailKind::PmailDx: payload = pmailDxPayload(decoded, *boundary); break;
    case MailKind::Kyara: payload = kyaraPayload(decoded); break;
    case MailKind::IMelody:
    case MailKind::IMelodyUrl: payload = iMelodyPayload(decoded); break;
    case MailKind::SkyMelody: payload = skyMelodyPayload(decoded, *boundary); break;
    }
    if (!payload)
        return std::nullopt;

    if (subject.empty())
        subject = unfoldedSubject(decoded);
    if (subject.empty() && kind == MailKind::Kyara)
        subject = jisTextToSjis(payload->title);
    subject = melody::sanitizeFileName(trimmed(subject));
    std::u16string name;
    splitSubject(subject, name, kashu, kashuGiven);
    if (name.empty())
        name = melody::sanitizeFileName(trimmed(songName));

    ReceivedSong song;
    song.kashu = kashu;
    song.from = trimmed(decoded.after(u"FROM:", true).value_or(kUnknownAuthor));
    if (song.from.empty())
        song.from = kUnknownAuthor;
    const auto boundaryTime = boundary ? MailTime::fromBoundary(*boundary) : std::nullopt;
    song.date = boundaryTime ? boundaryTime->songDate()
                             : trimmed(decoded.after(u"DATE:", true).value_or(u""));
    song.body = jisTextToSjis(payload->messageText);
    while (!song.body.empty() && (song.body.back() == u'\r' || song.body.back() == u'\n'))
        song.body.pop_back();

    std::vector<ReceivedSong> songs;
    const std::vector<formats::DecodedPart> parts = decodeParts(kind, *payload, ui);
    for (size_t i = 0; i < parts.size(); ++i) {
        ReceivedSong part = song;
        part.name = i == 0 ? name : name + u"-Sub" + std::u16string(1, char16_t(u'0' + i));
        part.tempo = parts[i].tempo;
        part.melody = parts[i].melody;
        songs.push_back(std::move(part));
    }
    return songs;
}

} // namespace sarvo::mail
