// What the sound output takes from the preferences: the timing of a quarter note for tempo,
// tempo note and tempo base value, the input sound mode, the voice and a song's own voice.

#include "app/soundsettings.h"
#include "melody/notecodes.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

using sarvo::app::playbackTiming;
using sarvo::settings::Preferences;

struct TimingCase {
    int tempo;
    const char16_t* tempoNote;
    int tempoBase;
    int quarterMs; // R(R(quarter seconds × 1000) ÷ (1 + 1 ÷ (21 − k)))
};

void PrintTo(const TimingCase& testCase, std::ostream* out) {
    *out << "tempo " << testCase.tempo << ", k " << testCase.tempoBase;
}

class TimingTest : public ::testing::TestWithParam<TimingCase> {};

TEST_P(TimingTest, AQuarterNoteLastsItsInterval) {
    Preferences preferences;
    preferences.tempo = GetParam().tempo;
    preferences.tempoNote = GetParam().tempoNote;
    preferences.tempoBase = GetParam().tempoBase;
    const int quarter = sarvo::melody::lengthTicks(u'C', false);
    EXPECT_EQ(playbackTiming(preferences).intervalMs(quarter), GetParam().quarterMs);
}

// Tempo 100 in quarters: 0.6 s a quarter; k 15 shortens by 6/7: 514 ms. Tempo 150 in eighths is
// a quarter of 0.8 s; k 20 halves it. Tempo 120 in dotted quarters makes a quarter 333 ms.
// An unusable tempo note keeps the default unit.
INSTANTIATE_TEST_SUITE_P(Tempi, TimingTest,
                         ::testing::Values(TimingCase{100, u"C", 15, 514},
                                           TimingCase{150, u"D", 20, 400},
                                           TimingCase{120, u"C.", 15, 285},
                                           TimingCase{100, u"X", 15, 514},
                                           TimingCase{60, u"C", 0, 955}));

TEST(InputSoundTest, EachChoiceHasItsMode) {
    using sarvo::settings::InputSound;
    using sarvo::sound::InputSoundMode;
    EXPECT_EQ(sarvo::app::inputSoundMode(InputSound::None), InputSoundMode::Silent);
    EXPECT_EQ(sarvo::app::inputSoundMode(InputSound::Automatic), InputSoundMode::WhileHeld);
    EXPECT_EQ(sarvo::app::inputSoundMode(InputSound::FollowNote), InputSoundMode::NoteLength);
}

struct ProgramCase {
    const char16_t* text;
    std::optional<int> program;
};

void PrintTo(const ProgramCase& testCase, std::ostream* out) {
    *out << "program " << testCase.program.value_or(-1);
}

class SongProgramTest : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(SongProgramTest, ReadsANumberFromZeroTo127) {
    EXPECT_EQ(sarvo::app::songProgram(GetParam().text), GetParam().program);
}

INSTANTIATE_TEST_SUITE_P(Neiro, SongProgramTest,
                         ::testing::Values(ProgramCase{u"0", 0}, ProgramCase{u"7", 7},
                                           ProgramCase{u"127", 127}, ProgramCase{u"128", {}},
                                           ProgramCase{u"", {}}, ProgramCase{u"ピアノ", {}},
                                           ProgramCase{u"-1", {}}, ProgramCase{u"0127", {}}));

TEST(VoiceProgramTest, TheVoiceTextNamesItsProgram) {
    Preferences preferences;
    EXPECT_EQ(sarvo::app::voiceProgram(preferences), 7);
    preferences.voice = u"ミュージックボックス";
    EXPECT_EQ(sarvo::app::voiceProgram(preferences), 10);
    preferences.voice = u"999: なし";
    EXPECT_EQ(sarvo::app::voiceProgram(preferences), std::nullopt);
}

} // namespace
