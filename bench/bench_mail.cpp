// Composing and recognising ringtone mails: 1000 mails of each type with a melody of 64 notes,
// composed and parsed back, as a mailbox full of ringtones is.

#include "common/interaction.h"
#include "mail/mailcompose.h"
#include "mail/mailparse.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace sarvo;

formats::Ringtone ringtoneOf64Notes() {
    formats::Ringtone ringtone{u"春の歌", formats::TempoUnit::quarterNotes(120), {{}}};
    for (int i = 0; i < 16; ++i)
        ringtone.parts.front().melody += u"C中ド D高ソ# E低ラ H ";
    return ringtone;
}

void composeAndParse1000(benchmark::State& state) {
    const auto kind = *mail::mailKindOfIndex(static_cast<int>(state.range(0)));
    RecordingInteractive ui;
    mail::OutgoingMail out;
    out.kind = kind;
    out.ownAddress = u"taro@sarvo.test";
    out.destination = u"hanako@sarvo.test";
    out.subject = u"春の歌[歌手]";
    out.songName = u"春の歌";
    out.time = {2000, 12, 31, 23, 59, 0};
    out.attachment = mail::encodeAttachment(kind, ringtoneOf64Notes(), out.subject, ui).value;
    size_t songs = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const Converted<std::string> text = mail::composeMail(out);
            songs += mail::parseMail(kind, text.value, ui)->size();
        }
    }
    benchmark::DoNotOptimize(songs);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(composeAndParse1000)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
