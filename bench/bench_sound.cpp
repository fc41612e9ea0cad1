// Timing of the sound output: how long opening the embedded synthesizer takes and the delay of
// its sound device's buffer, how long a key press takes to reach the synthesizer as a note-on,
// how far real-time playback strays from its schedule over 1000 notes, and how much faster than
// real time a melody renders to audio. Latencies are reported as percentiles in microseconds.

#include "melody/notecodes.h"
#include "sound/fluidsynthoutput.h"
#include "sound/melodyplayer.h"
#include "sound/melodyrender.h"
#include "sound/notepreview.h"
#include "sound/recordingmidioutput.h"
#include "sound/timedtaskthread.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p / 100 * static_cast<double>(values.size() - 1));
    return values[index];
}

void reportLatencies(benchmark::State& state, const std::vector<double>& microseconds) {
    state.counters["p50_us"] = percentile(microseconds, 50);
    state.counters["p99_us"] = percentile(microseconds, 99);
    state.counters["max_us"] = percentile(microseconds, 100);
}

// Hands every message to the synthesizer and records when the synthesizer has taken each
// note-on.
class TimedSynth final : public IMidiOutput {
public:
    explicit TimedSynth(IMidiOutput& synth)
        : m_synth(synth) {}
    void sendShortMessage(uint32_t message) override {
        m_synth.sendShortMessage(message);
        if ((statusOf(message) & 0xF0) == 0x90)
            m_arrivals.push_back(SteadyClock::now());
    }
    void reset() override { m_synth.reset(); }
    std::vector<TimePoint>& arrivals() { return m_arrivals; }

private:
    IMidiOutput& m_synth;
    std::vector<TimePoint> m_arrivals;
};

// Key-down of a pitch key until the embedded synthesizer has taken the note-on, in the mode that
// sounds while the key is held. Between presses (not timed) the key goes up and the synthesizer
// renders a few milliseconds, as its audio device would pull them, so finished voices are freed.
void BM_KeyToNoteOn(benchmark::State& state) {
    FluidSynthOutput::Opened opened = FluidSynthOutput::open(kDefaultSoundFont, {});
    if (!opened.output) {
        state.SkipWithError(opened.error.c_str());
        return;
    }
    TimedSynth synth(*opened.output);
    NotePreview preview(synth);
    preview.setMode(InputSoundMode::WhileHeld);
    std::vector<double> latencies;
    std::vector<int16_t> buffer(2 * 256);
    int note = 60;
    for (auto _ : state) {
        const TimePoint pressed = SteadyClock::now();
        preview.noteKeyDown('1', note, u'C', false, pressed);
        latencies.push_back(
            std::chrono::duration<double, std::micro>(synth.arrivals().back() - pressed).count());
        state.PauseTiming();
        preview.noteKeyUp('1', false);
        opened.output->render(buffer.data(), 256);
        note = note == 95 ? 60 : note + 1;
        state.ResumeTiming();
    }
    reportLatencies(state, latencies);
}
BENCHMARK(BM_KeyToNoteOn)->Iterations(20000);

// Opening the embedded synthesizer as the program does at start (soundfont and audio driver),
// and the delay of the buffer its sound device got: latency_ms, 0 when no sound device opened.
void BM_OpenEmbeddedSynthesizer(benchmark::State& state) {
    std::optional<AudioDevice> device;
    for (auto _ : state) {
        FluidSynthOutput::Opened opened = FluidSynthOutput::open();
        if (!opened.output) {
            state.SkipWithError(opened.error.c_str());
            return;
        }
        device = opened.output->audioDevice();
    }
    state.counters["latency_ms"] = device ? device->latencyMs() : 0;
    const AudioBuffer wanted = device ? device->buffer : lowLatencyAudioBuffers().front();
    state.SetLabel((device ? "" : "no sound device; would be ") + std::string(wanted.driver) +
                   " " + std::to_string(wanted.periods) + " x " +
                   std::to_string(wanted.periodSize) + " frames");
}
BENCHMARK(BM_OpenEmbeddedSynthesizer)->Iterations(3)->Unit(benchmark::kMillisecond);

// 1000 sixteenth notes at tempo 999 with k = 20 (8 ms each and the 1 ms gap) played in real time
// by the worker-thread driver: how late each note-on reaches the output against its schedule.
void BM_PlaybackOnsetError(benchmark::State& state) {
    constexpr int kNotes = 1000;
    std::u16string melody;
    for (int i = 0; i < kNotes; ++i)
        melody += std::u16string(u"E中") + (i % 2 ? u"ド " : u"ソ ");
    const PlaybackTiming timing = PlaybackTiming::quarterNoteTempo(999, 20);
    const Milliseconds step =
        Milliseconds(timing.intervalMs(melody::lengthTicks(u'E', false))) + kNoteGap;

    std::vector<double> errors;
    for (auto _ : state) {
        SystemClock clock;
        RecordingMidiOutput output(&clock);
        melody::ParserState walk;
        MelodyPlayer player(walk, output);
        player.setTiming(timing);
        TimedTaskThread driver(player);
        TimePoint start;
        {
            auto guard = driver.lock();
            start = SteadyClock::now();
            player.start(melody, 0, start);
        }
        driver.wake();
        std::this_thread::sleep_for(step * kNotes - step / 2);
        driver.stop();
        int index = 0;
        for (const RecordedMessage& m : output.sent()) {
            if ((statusOf(m.message) & 0xF0) != 0x90)
                continue;
            const TimePoint scheduled = start + step * index++;
            errors.push_back(std::chrono::duration<double, std::micro>(m.at - scheduled).count());
        }
        state.counters["notes"] = index;
    }
    reportLatencies(state, errors);
}
BENCHMARK(BM_PlaybackOnsetError)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A melody of about a minute rendered to audio: the ratio of audio time to the time it took.
void BM_RenderMelody(benchmark::State& state) {
    std::u16string melody;
    for (int i = 0; i < 30; ++i)
        melody += u"C中ド D中レ D中ミ I C高ソ# ^ H E低ラ E低シ 3中フ 3中ソ 3中ラ ";
    const PlaybackTiming timing;
    const double audioSeconds =
        std::chrono::duration<double>(melodyPlayingTime(melody, timing) + kRenderTail).count();
    double wallSeconds = 0;
    for (auto _ : state) {
        const auto begin = SteadyClock::now();
        const RenderedAudio rendered = renderMelody(melody, timing, 7);
        wallSeconds += std::chrono::duration<double>(SteadyClock::now() - begin).count();
        benchmark::DoNotOptimize(rendered.audio->samples.data());
    }
    state.counters["audio_s"] = audioSeconds;
    state.counters["x_realtime"] =
        audioSeconds * static_cast<double>(state.iterations()) / wallSeconds;
}
BENCHMARK(BM_RenderMelody)->Unit(benchmark::kMillisecond);

} // namespace
