// Benchmarks of the work done on a full melody: one readNextNote walk, its Type-A key text,
// the read-back of that key text and a transposition. The melody is 4094 bytes in code page
// 932, the size of the largest melody the program keeps, built from a mix of notes with dots,
// sharps and ties, rests and tuplets.

#include "common/interaction.h"
#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "melody/noteparser.h"
#include "melody/transpose.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace sarvo;

constexpr size_t kMelodyBytes = 4094;
constexpr int kTypeA = 2;

size_t cp932Size(std::u16string_view text) {
    return toCp932(text).value_or(std::string()).size();
}

// Repeats the token mix while it fits, then fills the remaining bytes with rests ("H " is two
// bytes, "G. " three), so that the melody has exactly kMelodyBytes bytes.
std::u16string buildMelody() {
    static constexpr std::array<std::u16string_view, 16> kMix = {
        u"C中ド ",  u"D.高ソ# ", u"^ ",  u"D中ミ ", u"H ", u"3中ミ ",  u"3中フ# ", u"3中ソ ",
        u"E低ラ# ", u"B.中シ ",  u"G. ", u"A高レ ", u"^ ", u"6中ド# ", u"] ",      u"C.低ソ# "};
    std::u16string text;
    size_t bytes = 0;
    size_t lastSize = 0;
    for (size_t i = 0;; ++i) {
        const std::u16string_view token = kMix[i % kMix.size()];
        const size_t size = cp932Size(token);
        if (bytes + size > kMelodyBytes)
            break;
        text += token;
        bytes += size;
        lastSize = token.size();
    }
    if (kMelodyBytes - bytes == 1) { // one byte cannot be filled: give back the last token
        text.resize(text.size() - lastSize);
        bytes = cp932Size(text);
    }
    size_t left = kMelodyBytes - bytes;
    if (left % 2 == 1) {
        text += u"G. ";
        left -= 3;
    }
    for (; left > 0; left -= 2)
        text += u"H ";
    return text;
}

const std::u16string& melodyText() {
    static const std::u16string text = buildMelody();
    return text;
}

// Checks the melody's size once per benchmark; a wrong size makes the figures meaningless.
bool melodyReady(benchmark::State& state) {
    const size_t bytes = cp932Size(melodyText());
    state.counters["cp932_bytes"] = static_cast<double>(bytes);
    if (bytes != kMelodyBytes) {
        state.SkipWithError("the melody is not 4094 bytes in code page 932");
        return false;
    }
    return true;
}

int64_t countTokens(std::u16string_view text) {
    melody::ParserState parser;
    parser.readPos = 1;
    int64_t tokens = 0;
    while (melody::readNextNote(parser, text))
        ++tokens;
    return tokens;
}

std::u16string typeAKeys() {
    melody::ParserState parser;
    RecordingInteractive ui;
    return keyguide::convertToKeys(kTypeA, melodyText(), parser, ui);
}

void BM_ReadNextNoteWalk(benchmark::State& state) {
    if (!melodyReady(state))
        return;
    const std::u16string& text = melodyText();
    melody::ParserState parser;
    int64_t tokens = 0;
    for (auto _ : state) {
        parser.readPos = 1;
        tokens = 0;
        while (melody::readNextNote(parser, text))
            ++tokens;
        benchmark::DoNotOptimize(parser.currentNote);
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kMelodyBytes));
    state.SetItemsProcessed(state.iterations() * tokens);
}
BENCHMARK(BM_ReadNextNoteWalk);

// Type-A stops after thirty units, so the conversion reads only the start of the melody.
void BM_TypeAConversion(benchmark::State& state) {
    if (!melodyReady(state))
        return;
    const std::u16string& text = melodyText();
    melody::ParserState parser;
    RecordingInteractive ui;
    size_t cells = 0;
    for (auto _ : state) {
        std::u16string keys = keyguide::convertToKeys(kTypeA, text, parser, ui);
        cells = keys.size() / 5;
        benchmark::DoNotOptimize(keys);
    }
    state.counters["cells"] = static_cast<double>(cells);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cells));
}
BENCHMARK(BM_TypeAConversion);

void BM_TypeAReadBack(benchmark::State& state) {
    if (!melodyReady(state))
        return;
    const std::u16string keys = typeAKeys();
    melody::ParserState parser;
    RecordingInteractive ui;
    for (auto _ : state) {
        std::u16string melody = keyguide::readKeys(kTypeA, keys, parser, ui);
        benchmark::DoNotOptimize(melody);
    }
    state.counters["cells"] = static_cast<double>(keys.size() / 5);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(cp932Size(keys)));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size() / 5));
}
BENCHMARK(BM_TypeAReadBack);

void BM_Transpose(benchmark::State& state) {
    if (!melodyReady(state))
        return;
    const std::u16string& text = melodyText();
    const int64_t tokens = countTokens(text);
    melody::ParserState parser;
    int direction = 1;
    for (auto _ : state) {
        std::u16string out = melody::transposeMelody(parser, text, direction);
        benchmark::DoNotOptimize(out);
        direction = -direction;
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kMelodyBytes));
    state.SetItemsProcessed(state.iterations() * tokens);
}
BENCHMARK(BM_Transpose);

} // namespace
