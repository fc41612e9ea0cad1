// Renders melodies with the embedded synthesizer, writes them to WAV files, reads them back and
// measures the sound: the pitch of every note and when it starts and stops. The voice list and
// WAV files.

#include "../common/tempfolder.h"
#include "audioanalysis.h"
#include "sound/melodyrender.h"
#include "sound/voicelist.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <span>

namespace sarvo::sound {
namespace {

struct ExpectedNote {
    int midi;
    double sixteenths;     // the note with its ties
    double restSixteenths; // the rest after it
};

struct RenderCase {
    const char* name;
    std::u16string_view melody;
    int tempo; // quarter notes per minute
    int tempoBase; // played in the first voice of the list
    std::vector<ExpectedNote> notes;
};

// The timer interval of a length, worked in floating point with the rounding mode of the
// processor (to nearest, halves to even).
double expectedIntervalMs(double sixteenths, int tempo, int k) {
    const double unit = 60.0 / tempo / 4;
    return std::nearbyint(std::nearbyint(sixteenths * unit * 1000) / (1 + 1.0 / (21 - k)));
}

constexpr double kOnsetToleranceMs = 4;
constexpr double kEndToleranceMs = 5;
constexpr double kPitchToleranceCents = 5;
constexpr size_t kWindow = 11; // a quarter millisecond at 44.1 kHz

class MelodyRenderTest : public ::testing::TestWithParam<RenderCase> {};

TEST_P(MelodyRenderTest, NotesSoundAtTheirPitchAndTime) {
    const RenderCase& c = GetParam();
    // [GIVEN] the melody rendered to a WAV file
    const RenderedAudio rendered =
        renderMelody(c.melody, PlaybackTiming::quarterNoteTempo(c.tempo, c.tempoBase),
                     voiceList()[0].program);
    ASSERT_TRUE(rendered.audio) << rendered.error;
    const testing::TempFolder dir;
    const std::filesystem::path wav = dir.path() / "melody.wav";
    ASSERT_EQ(writeWavFile(wav, *rendered.audio), "");

    // [WHEN] it is read back and measured
    const std::optional<WavAudio> audio = readWavFile(wav);
    ASSERT_TRUE(audio);
    const std::vector<double> samples = monoSamples(*audio);
    const std::vector<double> env = envelope(samples, kWindow);
    const double windowMs = 1000.0 * kWindow / audio->sampleRate;
    auto msToWindow = [&](double ms) {
        return static_cast<size_t>(std::max(ms, 0.0) / windowMs);
    };

    // [THEN] every note starts, stops and sounds where the timing formula puts it
    double onsetMs = 0;
    for (const ExpectedNote& note : c.notes) {
        const double lengthMs = expectedIntervalMs(note.sixteenths, c.tempo, c.tempoBase);
        const double endMs = onsetMs + lengthMs;
        const size_t from = msToWindow(onsetMs - 20);
        const size_t to = std::min(env.size(), msToWindow(endMs + 40));
        ASSERT_LT(from, to);
        const std::span<const double> around = std::span(env).subspan(from, to - from);
        const double peak = std::ranges::max(around);
        ASSERT_GT(peak, 0.01) << "note " << note.midi << " is silent";
        const std::vector<Sounding> stretches =
            soundingStretches(std::vector(around.begin(), around.end()), windowMs, 0.3 * peak, 30);
        ASSERT_EQ(stretches.size(), 1u) << "note " << note.midi;
        const double offset = static_cast<double>(from) * windowMs;
        EXPECT_NEAR(stretches[0].startMs + offset, onsetMs, kOnsetToleranceMs) << note.midi;
        EXPECT_NEAR(stretches[0].endMs + offset, endMs, kEndToleranceMs) << note.midi;

        const auto pitchFrom = static_cast<size_t>((onsetMs + 0.2 * lengthMs) / 1000 * 44100);
        const auto pitchCount = static_cast<size_t>(0.6 * lengthMs / 1000 * 44100);
        const double hz = strongestFrequency(samples, pitchFrom, pitchCount, audio->sampleRate,
                                             midiNoteHz(note.midi));
        EXPECT_NEAR(centsBetween(hz, midiNoteHz(note.midi)), 0, kPitchToleranceCents)
            << "note " << note.midi << " measured " << hz << " Hz";

        const double restMs = expectedIntervalMs(note.restSixteenths, c.tempo, c.tempoBase);
        onsetMs = endMs + 1 + restMs + 1; // the 1 ms gap after the note and after the rest
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Melodies, MelodyRenderTest, ::testing::Values(
    RenderCase{"three_octaves_default_voice", u"C中ド H D高ラ I C低ミ H ", 100, 15,
               {{72, 4, 4}, {93, 2, 2}, {64, 4, 4}}},
    RenderCase{"range_ends_and_sharps", u"D低ド I D高シ I D中ソ# I D低ラ# I ", 120, 10,
               {{60, 2, 2}, {95, 2, 2}, {80, 2, 2}, {70, 2, 2}}},
    RenderCase{"ties_and_dots", u"C中レ ^ H C.中フ# I D.高ド# H ", 90, 20,
               {{74, 8, 4}, {78, 6, 2}, {85, 3, 4}}},
    RenderCase{"triplet_at_tempo_60", u"3中ミ ] 2中レ I ", 60, 15,
               {{76, 4.0 / 3, 4.0 / 3}, {74, 8.0 / 3, 2}}}),
    CaseName());
// clang-format on

TEST(WavFile, RoundTripsThroughAFileAndOnlyPcm16IsRead) {
    const testing::TempFolder dir;
    const auto path = dir.path() / "a.wav";
    const WavAudio audio{1, 22050, {0, 1, -1, 32767, -32768}};
    ASSERT_EQ(writeWavFile(path, audio), "");
    EXPECT_EQ(testing::readBytes(path).size(), 44 + 2 * audio.samples.size());
    const std::optional<WavAudio> back = readWavFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tie(back->channels, back->sampleRate, back->samples),
              std::tie(audio.channels, audio.sampleRate, audio.samples));
    const std::string good = encodeWav({1, 8000, {1, 2}});
    std::string eightBit = good;
    eightBit[34] = 8; // bits per sample
    std::string compressed = good;
    compressed[20] = 3; // format tag: floating point
    std::string truncated = good.substr(0, good.size() - 3);
    truncated[40] = 9; // data size larger than the file
    for (const std::string& bytes :
         {std::string(), std::string("RIFF0000WAVX"), eightBit, compressed, truncated})
        EXPECT_FALSE(decodeWav(bytes)) << bytes.size();
    EXPECT_TRUE(decodeWav(good));
}

// A stored voice text finds its row only when it is the text of one, spelled as the settings
// files have it ("Hom").
TEST(VoiceList, FindsTheRowOfAStoredText) {
    for (const auto& [text, row, program] : {std::tuple{u"ピアノ", 1, 0},
                                             {u"070: English Hom", 70, 69},
                                             {u"128: Gunshot", 127, 127}}) {
        ASSERT_EQ(voiceRowOfText(text), row);
        EXPECT_EQ(voiceList()[static_cast<size_t>(row)].program, program);
    }
    EXPECT_FALSE(voiceRowOfText(u"008: Clavi"));
    EXPECT_FALSE(voiceRowOfText(u""));
}

} // namespace
} // namespace sarvo::sound
