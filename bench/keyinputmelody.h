#pragma once
// The melody the note-input benchmarks type into, and their latency percentiles. The melody: 700
// tokens of every length, dots, sharps, ties, rests and tuplets in three octaves (14 tokens a
// round).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

inline constexpr int kKeyInputBenchTokens = 700;

inline std::u16string keyInputBenchMelody() {
    std::u16string text;
    for (int i = 0; i < kKeyInputBenchTokens / 14; ++i)
        text += u"C中ド D中レ# E中ミ E中ミ B.低ソ ^ H 3高ド 3高レ 3高ミ A高ソ# I. D.中シ G ";
    return text;
}

// Percentiles of per-press latencies in microseconds, as benchmark counters.
inline void reportLatencies(benchmark::State& state, std::vector<double>& seconds) {
    if (seconds.empty())
        return;
    std::sort(seconds.begin(), seconds.end());
    auto at = [&](double fraction) {
        return 1e6 *
               seconds[static_cast<size_t>(fraction * static_cast<double>(seconds.size() - 1))];
    };
    state.counters["p50_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = at(1.0);
}
