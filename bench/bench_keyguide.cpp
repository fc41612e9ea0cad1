// The key guides of every registered phone type for one melody of 256 notes: how long one
// conversion and one read-back take per type, and all types at once (what the "all types"
// conversion and the song save do).

#include "common/interaction.h"
#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetyperules.h"
#include "keyguide/phonetypes.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

namespace {

using namespace sarvo;

// 256 notes and rests over the three octaves, with dots, sharps, ties and tuplets.
std::u16string melodyOf256Notes() {
    static constexpr std::array<std::u16string_view, 16> kMix = {
        u"C中ド ", u"D.高ソ# ", u"D中ミ ",  u"H ",  u"3中ミ ", u"3中フ# ",
        u"3中ソ ", u"E低ラ# ",  u"B.中シ ", u"G. ", u"A高レ ", u"6中ド# ",
        u"] ",     u"C.低ソ# ", u"D中ミ ",  u"I "};
    std::u16string text;
    for (int i = 0; i < 256; ++i) {
        text += kMix[i % kMix.size()];
        if (i % 32 == 0)
            text += u"^ ";
    }
    return text;
}

void convertOneType(benchmark::State& run, int typeIndex) {
    const std::u16string melody = melodyOf256Notes();
    melody::ParserState state;
    RecordingInteractive ui;
    size_t cells = 0;
    for (auto _ : run) {
        std::u16string keys = keyguide::convertToKeys(typeIndex, melody, state, ui);
        cells = keys.size() / keyguide::kCellWidth;
        benchmark::DoNotOptimize(keys);
    }
    run.counters["cells"] = static_cast<double>(cells);
}

void readOneType(benchmark::State& run, int typeIndex) {
    melody::ParserState state;
    RecordingInteractive ui;
    const std::u16string keys = keyguide::convertToKeys(typeIndex, melodyOf256Notes(), state, ui);
    for (auto _ : run) {
        std::u16string melody = keyguide::readKeys(typeIndex, keys, state, ui);
        benchmark::DoNotOptimize(melody);
    }
    run.counters["cells"] = static_cast<double>(keys.size() / keyguide::kCellWidth);
}

void convertAllTypes(benchmark::State& run) {
    const std::u16string melody = melodyOf256Notes();
    melody::ParserState state;
    RecordingInteractive ui;
    for (auto _ : run)
        for (const keyguide::PhoneType& type : keyguide::phoneTypes())
            benchmark::DoNotOptimize(keyguide::convertToKeys(type.index, melody, state, ui));
}

// One benchmark per registered type, named after it.
const bool kRegistered = [] {
    for (const keyguide::PhoneType& type : keyguide::phoneTypes()) {
        if (!keyguide::rulesFor(type.index))
            continue;
        const std::string name(type.shortName().begin(), type.shortName().end());
        benchmark::RegisterBenchmark(("BM_Convert256/" + name).c_str(), convertOneType, type.index);
        benchmark::RegisterBenchmark(("BM_Read256/" + name).c_str(), readOneType, type.index);
    }
    benchmark::RegisterBenchmark("BM_Convert256/AllTypes", convertAllTypes);
    return true;
}();

} // namespace
