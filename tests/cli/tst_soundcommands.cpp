// sarvo-cli render and render-midi: the WAV files they write are read back and measured.

#include "../common/tempfolder.h"
#include "../sound/audioanalysis.h"

#include "clitesting.h"
#include "sound/smfwriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

// The length of a WAV file in milliseconds, or -1 when there is none.
double wavMs(const std::string& path) {
    const std::optional<sound::WavAudio> audio = sound::readWavFile(path);
    return audio ? 1000.0 * static_cast<double>(audio->samples.size()) / audio->channels /
                       audio->sampleRate
                 : -1;
}

// The options reach the timing: tempo 100 quarter 514 ms, eighth 257; tempo 150 quarter 343 ms
// (400 × 6/7), eighth 171; tempo 100 with k = 20 quarter 300 ms, eighth 150; each note and rest
// is followed by a 1 ms gap, the pass by a 500 ms tail. Where the melody sounds and at which
// pitch is measured by the sound library's render tests.
TEST(RenderCommand, OptionsAndErrors) {
    testing::TempFolder dir;
    const std::string wav = (dir.path() / "out.wav").string();
    struct Case {
        std::vector<std::string> args;
        std::string melody;
        int status;
        double ms;
    };
    const std::vector<Case> cases = {
        Case({"render", wav}, "H C中ラ\n", 0, 514 + 1 + 514 + 1 + 500),
        Case({"render", "--tempo", "150", wav}, "H D低ド I ", 0, 343 + 1 + 171 + 1 + 171 + 1 + 500),
        Case({"render", "--voice", "0", "--tempo-base", "20", wav}, "H D高ソ# ", 0,
             300 + 1 + 150 + 1 + 500),
        Case({"render"}, "C中ド ", 2, -1),
        Case({"render", "--tempo", "0", wav}, "C中ド ", 2, -1),
        Case({"render", "--voice", "128", wav}, "C中ド ", 2, -1),
        Case({"render", "--tempo-base", "21", wav}, "C中ド ", 2, -1),
        Case({"render-midi", "only-one.mid"}, "", 2, -1),
        Case({"render-midi", "/nonexistent/in.mid", wav}, "", 1, -1),
        Case({"render", "/nonexistent/dir/out.wav"}, "C中ド ", 1, -1),
    };
    for (const Case& c : cases) {
        std::filesystem::remove(wav);
        EXPECT_EQ(runCli(c.args, c.melody).status, c.status) << c.args[1];
        EXPECT_NEAR(wavMs(wav), c.ms, 1) << c.args[1];
    }
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
    // silent through the rest, then the note (its pitch is the chord playback test's)
    const std::vector<double> env = sound::envelope(samples, 441);
    const double peak = *std::max_element(env.begin(), env.end());
    EXPECT_LT(*std::max_element(env.begin(), env.begin() + 47), 0.1 * peak);
    EXPECT_GT(*std::max_element(env.begin() + 49, env.begin() + 60), 0.1 * peak);
}

} // namespace
} // namespace sarvo::cli
