// libFuzzer target over ParseMail. The first byte picks the mail type, the rest is a retrieved
// message. Any message is either refused or gives songs with a name and a melody; a mail this
// program composes with the input's printable bytes as subject is always recognised again.

#include "mail/mailcompose.h"
#include "mail/mailparse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace sarvo;

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const auto kind = *mail::mailKindOfIndex(data[0] % mail::kMailKindCount);
    const std::string message(reinterpret_cast<const char*>(data + 1), size - 1);
    RecordingInteractive ui;
    if (const auto songs = mail::parseMail(kind, message, ui))
        for (const mail::ReceivedSong& song : *songs)
            check(!song.melody.empty());

    if (!mail::mailKindInfo(kind).receivable)
        return 0;
    mail::OutgoingMail out;
    out.kind = kind;
    for (const char c : message)
        if (c > ' ' && c < 0x7F && c != '[' && out.subject.size() < 40)
            out.subject += static_cast<char16_t>(c);
    out.songName = u"N";
    out.time = {2000, 12, 31, 23, 59, 0};
    const formats::Ringtone ringtone{u"N", formats::TempoUnit::quarterNotes(120), {{u"C中ド "}}};
    out.attachment = mail::encodeAttachment(kind, ringtone, out.subject, ui).value;
    const Converted<std::string> text = mail::composeMail(out);
    check(text.ok());
    const auto again = mail::parseMail(kind, text.value, ui);
    check(again && !again->empty() && again->front().melody == u"C中ド ");
    return 0;
}
