// Encoding and decoding a melody of 256 notes in the P-mail DX streams and the kyara-mail text,
// and the base64 and ISO-2022-JP conversions that carry them in mail. The melody mixes plain and
// dotted notes in three octaves, sharps and rests; none of its lengths is a tuplet, which
// kyara-mail cannot hold.

#include "common/base64.h"
#include "common/headerwords.h"
#include "common/interaction.h"
#include "common/jistext.h"
#include "formats/kyaramail.h"
#include "formats/pdxmail.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

namespace {

using namespace sarvo;
using namespace sarvo::formats;

constexpr int kNotes = 256;

Ringtone ringtoneOf256Notes() {
    static constexpr std::array<std::u16string_view, 8> kMix = {
        u"C中ド ", u"D.高ソ# ", u"E低ラ ", u"H ", u"B.中シ ", u"A高レ# ", u"I. ", u"D中ミ "};
    Ringtone ringtone;
    ringtone.title = u"着信メロディ";
    ringtone.tempo = TempoUnit::quarterNotes(120);
    std::u16string melody;
    for (int i = 0; i < kNotes; ++i)
        melody += kMix[i % kMix.size()];
    ringtone.parts.push_back({melody, kDefaultVoice});
    return ringtone;
}

void setNotesProcessed(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kNotes);
}

void BM_EncodePdxMelody(benchmark::State& state) {
    const Ringtone ringtone = ringtoneOf256Notes();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodePdxMelody(ringtone));
    setNotesProcessed(state);
}
BENCHMARK(BM_EncodePdxMelody);

void BM_DecodePdxMelody(benchmark::State& state) {
    const std::u16string base64 = base64Encode(encodePdxMelody(ringtoneOf256Notes()));
    RecordingInteractive ui;
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePdxMelody(base64, ui));
    setNotesProcessed(state);
}
BENCHMARK(BM_DecodePdxMelody);

void BM_EncodePdxCodes(benchmark::State& state) {
    const Ringtone ringtone = ringtoneOf256Notes();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodePdxCodes(ringtone));
    setNotesProcessed(state);
}
BENCHMARK(BM_EncodePdxCodes);

void BM_DecodePdxCodes(benchmark::State& state) {
    const std::u16string base64 = base64Encode(encodePdxCodes(ringtoneOf256Notes()).value);
    RecordingInteractive ui;
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePdxCodes(base64, ui));
    setNotesProcessed(state);
}
BENCHMARK(BM_DecodePdxCodes);

void BM_EncodeKyara(benchmark::State& state) {
    const Ringtone ringtone = ringtoneOf256Notes();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeKyara(ringtone));
    setNotesProcessed(state);
}
BENCHMARK(BM_EncodeKyara);

void BM_DecodeKyara(benchmark::State& state) {
    const std::u16string text = encodeKyara(ringtoneOf256Notes()).value;
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeKyara(text));
    setNotesProcessed(state);
}
BENCHMARK(BM_DecodeKyara);

// The melody text itself as ISO-2022-JP and back, as a mail body would carry it.
void BM_JisRoundTripOfMelodyText(benchmark::State& state) {
    const std::u16string text = ringtoneOf256Notes().parts.front().melody;
    for (auto _ : state) {
        const auto jis = textToJisBytes(text);
        benchmark::DoNotOptimize(jisBytesToText(jis.value));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_JisRoundTripOfMelodyText);

void BM_EncodeAndFoldHeader(benchmark::State& state) {
    const std::u16string header =
        u"Subject: " + ringtoneOf256Notes().title + u"[歌手の名前] ringtone\r\nTo: a@b\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(foldHeaderLines(encodeHeader(header).value));
}
BENCHMARK(BM_EncodeAndFoldHeader);

} // namespace
