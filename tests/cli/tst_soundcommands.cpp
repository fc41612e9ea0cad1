// sarvo-cli render and render-midi: the WAV files they write are read back and measured.

#include "../common/tempfolder.h"
#include "../sound/audioanalysis.h"

#include "clitesting.h"
#include "sound/smfwriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

// The time of the first quarter-millisecond window louder than a tenth of the loudest one.
double firstSoundMs(const std::vector<double>& samples, int sampleRate) {
    const std::vector<double> env = sound::envelope(samples, 11);
    double peak = 0;
    for (double level : env)
        peak = std::max(peak, level);
    for (size_t i = 0; i < env.size(); ++i)
        if (env[i] >= 0.1 * peak)
            return static_cast<double>(i) * 11 * 1000 / sampleRate;
    return -1;
}

struct RenderCase {
    const char* name;
    std::vector<std::string> options;
    std::string melody;
    int midi;          // the note that sounds after the leading rest
    double restMs;     // length of the leading rest as timed by the formula
    double durationMs; // the whole pass and the 500 ms tail
};

class RenderCommandTest : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderCommandTest, WritesTheMelodysSound) {
    const RenderCase& c = GetParam();
    testing::TempFolder dir;
    const std::string wav = (dir.path() / "out.wav").string();
    std::vector<std::string> args = {"render"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(wav);

    const Result r = runCli(args, c.melody);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::optional<sound::WavAudio> audio = sound::readWavFile(wav);
    ASSERT_TRUE(audio);
    const std::vector<double> samples = sound::monoSamples(*audio);
    EXPECT_NEAR(1000.0 * static_cast<double>(samples.size()) / audio->sampleRate, c.durationMs, 1);
    const double onset = firstSoundMs(samples, audio->sampleRate);
    EXPECT_NEAR(onset, c.restMs + 1, 4);
    const double hz = sound::strongestFrequency(samples, static_cast<size_t>((onset + 50) * 44.1),
                                                static_cast<size_t>(150 * 44.1), audio->sampleRate,
                                                sound::midiNoteHz(c.midi));
    EXPECT_NEAR(sound::centsBetween(hz, sound::midiNoteHz(c.midi)), 0, 5);
}

// Rest and note lengths: tempo 100 quarter 514 ms, eighth 257; tempo 150 quarter 343 ms
// (400 × 6/7), eighth 171; tempo 100 with k = 20 quarter 300 ms, eighth 150.
INSTANTIATE_TEST_SUITE_P(
    Options, RenderCommandTest,
    ::testing::Values(
        RenderCase{"defaults", {}, "H C中ラ\n", 81, 514, 514 + 1 + 514 + 1 + 500},
        RenderCase{
            "tempo", {"--tempo", "150"}, "H D低ド I ", 60, 343, 343 + 1 + 171 + 1 + 171 + 1 + 500},
        RenderCase{"voice_and_tempo_base",
                   {"--voice", "0", "--tempo-base", "20"},
                   "H D高ソ# ",
                   92,
                   300,
                   300 + 1 + 150 + 1 + 500}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RenderCommandErrors, RefusesBadArguments) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {{"render"}, 2},
        {{"render", "--tempo", "0", "x.wav"}, 2},
        {{"render", "--tempo", "12a", "x.wav"}, 2},
        {{"render", "--voice", "128", "x.wav"}, 2},
        {{"render", "--tempo-base", "21", "x.wav"}, 2},
        {{"render-midi", "only-one.mid"}, 2},
        {{"render-midi", "/nonexistent/in.mid", "out.wav"}, 1},
        {{"render", "/nonexistent/dir/out.wav"}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runCli(c.args, "C中ド ").status, c.status) << c.args.back();
}

TEST(RenderMidiCommand, PlaysTheFileOnce) {
    testing::TempFolder dir;
    // a quarter rest, then A4 for half a second, at 480000 µs a quarter: 1 ms a tick; the voice
    // of the first row of the voice list, which starts without a slow attack
    sound::SmfTrack track;
    track.events = {sound::MidiEvent::tempo(0, 480000),
                    sound::MidiEvent::channelMessage(0, sound::kProgramChange, 0, 7),
                    sound::MidiEvent::channelMessage(480, sound::kNoteOn, 0, 69, 100),
                    sound::MidiEvent::channelMessage(980, sound::kNoteOff, 0, 69, 64)};
    track.endTick = 1200;
    sound::SmfFile file;
    file.format = 0;
    file.tracks.push_back(track);
    const auto mid = dir.path() / "in.mid";
    ASSERT_EQ(sound::writeSmfFile(mid, file), "");
    const std::string wav = (dir.path() / "out.wav").string();

    const Result r = runCli({"render-midi", mid.string(), wav});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::optional<sound::WavAudio> audio = sound::readWavFile(wav);
    ASSERT_TRUE(audio);
    const std::vector<double> samples = sound::monoSamples(*audio);
    EXPECT_NEAR(1000.0 * static_cast<double>(samples.size()) / audio->sampleRate, 1200 + 500, 1);
    EXPECT_NEAR(firstSoundMs(samples, audio->sampleRate), 480, 4);
    const double hz =
        sound::strongestFrequency(samples, static_cast<size_t>(550 * 44.1),
                                  static_cast<size_t>(300 * 44.1), audio->sampleRate, 440);
    EXPECT_NEAR(sound::centsBetween(hz, 440), 0, 5);
}

} // namespace
} // namespace sarvo::cli
