// Encoding and decoding a melody of 256 notes in the i-melody file and the Sky Melody stream.
// The melody mixes plain, dotted and tied notes over the three octaves with sharps, triplets and
// rests between them; the i-melody track is written whole (no size limit).

#include "common/interaction.h"
#include "formats/mld.h"
#include "formats/smd.h"

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
        u"C中ド ",    u"D.高ソ# I ", u"E低ラ ", u"3中ミ 3中フ# 3中ソ ",
        u"B.中シ H ", u"A高レ# ^ ",  u"D低ド ", u"C.高シ "};
    Ringtone ringtone;
    ringtone.title = u"着信メロディ";
    ringtone.tempo = TempoUnit::quarterNotes(120);
    std::u16string melody;
    int notes = 0;
    for (size_t i = 0; notes < kNotes; ++i) {
        const std::u16string_view tokens = kMix[i % kMix.size()];
        melody += tokens;
        notes += tokens.starts_with(u"3") ? 3 : 1;
    }
    ringtone.parts.push_back({melody, kDefaultVoice});
    return ringtone;
}

Bytes mldOf(const Ringtone& ringtone) {
    RecordingInteractive ui;
    return encodeMld(ringtone, MldSizeLimit::Lifted, ui);
}

void setNotesProcessed(benchmark::State& state, size_t bytes) {
    state.SetItemsProcessed(state.iterations() * kNotes);
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_EncodeMld(benchmark::State& state) {
    const Ringtone ringtone = ringtoneOf256Notes();
    RecordingInteractive ui;
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeMld(ringtone, MldSizeLimit::Lifted, ui));
    setNotesProcessed(state, mldOf(ringtone).size());
}
BENCHMARK(BM_EncodeMld);

void BM_DecodeMld(benchmark::State& state) {
    const Bytes file = mldOf(ringtoneOf256Notes());
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeMldBytes(file, 0));
    setNotesProcessed(state, file.size());
}
BENCHMARK(BM_DecodeMld);

void BM_EncodeSmd(benchmark::State& state) {
    const Ringtone ringtone = ringtoneOf256Notes();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeSmd(ringtone));
    setNotesProcessed(state, encodeSmd(ringtone).value.size());
}
BENCHMARK(BM_EncodeSmd);

void BM_DecodeSmd(benchmark::State& state) {
    const Bytes stream = encodeSmd(ringtoneOf256Notes()).value;
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeSmdBytes(stream, 0));
    setNotesProcessed(state, stream.size());
}
BENCHMARK(BM_DecodeSmd);

} // namespace
