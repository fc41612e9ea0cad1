#include "sound/melodyplayer.h"
#include "sound/recordingmidioutput.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace sarvo::sound {
namespace {

using Sent = std::pair<uint32_t, int>; // message, milliseconds after the start

constexpr uint32_t on(int note) {
    return noteOnMessage(note);
}
constexpr uint32_t off(int note) {
    return noteOffMessage(note);
}

struct Playback {
    std::vector<Sent> sent;
    std::vector<std::pair<int, int>> shown; // selection start and length of every note shown
    bool stillPlaying = false;
};

// Plays the melody from the caret for untilMs on a manual clock, calling the player lateMs after
// every due time, as a driver that wakes up late would.
Playback play(std::u16string_view melody, int caret, int untilMs, int lateMs = 0,
              melody::ParserState state = {}) {
    ManualClock clock;
    const TimePoint start = clock.now();
    const TimePoint end = start + Milliseconds(untilMs);
    RecordingMidiOutput output(&clock);
    Playback run;
    state.noteShown = [&](int from, int length) {
        run.shown.emplace_back(from, length);
    };
    MelodyPlayer player(state, output);
    player.start(melody, caret, clock.now());
    while (clock.now() <= end) {
        const std::optional<TimePoint> due = player.tick(clock.now());
        if (!due)
            break;
        clock.setNow(*due + Milliseconds(lateMs));
    }
    run.stillPlaying = player.isPlaying();
    for (const RecordedMessage& m : output.sent())
        run.sent.emplace_back(m.message,
                              static_cast<int>((m.at - start) / std::chrono::milliseconds(1)));
    return run;
}

struct PlayCase {
    const char* name;
    std::u16string_view melody;
    int caret;
    int untilMs;
    std::vector<Sent> expected;
};

class MelodyPlayerTest : public ::testing::TestWithParam<PlayCase> {};

TEST_P(MelodyPlayerTest, SendsNotesOnSchedule) {
    const PlayCase& c = GetParam();
    EXPECT_EQ(play(c.melody, c.caret, c.untilMs).sent, c.expected);
}

// At tempo 100 in quarters with k = 15: quarter 514 ms, eighth 257, triplet eighth 171, tied
// quarter 1029; one 1 ms gap after every note and rest.
INSTANTIATE_TEST_SUITE_P(
    Schedules, MelodyPlayerTest,
    ::testing::Values(
        PlayCase{"one_note_loops_with_1ms_gap",
                 u"C中ド ",
                 0,
                 1100,
                 {{on(72), 0}, {off(72), 514}, {on(72), 515}, {off(72), 1029}, {on(72), 1030}}},
        PlayCase{"tie_lengthens_the_note",
                 u"C中ド ^ D中レ ",
                 0,
                 1300,
                 {{on(72), 0}, {off(72), 1029}, {on(74), 1030}, {off(74), 1287}, {on(72), 1288}}},
        PlayCase{"tie_does_not_lengthen_a_rest", u"H ^ C低ド ", 0, 600, {{on(60), 515}}},
        // the rest repeats the note-off of the pitch before it and sounds nothing
        PlayCase{"rest_is_silent",
                 u"C中ド H D高シ ",
                 0,
                 1100,
                 {{on(72), 0}, {off(72), 514}, {off(72), 515}, {off(72), 1029}, {on(95), 1030}}},
        PlayCase{"identical_notes_each_sound",
                 u"D中ミ D中ミ ",
                 0,
                 520,
                 {{on(76), 0}, {off(76), 257}, {on(76), 258}, {off(76), 515}, {on(76), 516}}},
        PlayCase{"triplets",
                 u"3中ミ 3中フ# 3中ソ# ",
                 0,
                 520,
                 {{on(76), 0},
                  {off(76), 171},
                  {on(78), 172},
                  {off(78), 343},
                  {on(80), 344},
                  {off(80), 515},
                  {on(76), 516}}},
        PlayCase{"starts_at_the_caret_note", u"C中ド D中レ ", 5, 0, {{on(74), 0}}},
        PlayCase{
            "caret_on_a_tie_starts_at_its_note", u"E中ソ C中ド ^ ^ D中レ ", 9, 0, {{on(72), 0}}},
        PlayCase{"caret_at_the_end_starts_over", u"C中ド D中レ ", 10, 0, {{on(72), 0}}},
        PlayCase{"malformed_pitch_is_silent_but_timed", u"C中ミ# D中レ ", 0, 520, {{on(74), 515}}}),
    CaseName());

TEST(MelodyPlayerShowTest, ShowsEachNoteWithItsTies) {
    const Playback run = play(u"C中ド ^ D中レ# H. ", 0, 2500);
    const std::vector<std::pair<int, int>> expected = {{0, 5}, {6, 4}, {11, 2}, {0, 5}};
    ASSERT_GE(run.shown.size(), expected.size());
    EXPECT_EQ(std::vector(run.shown.begin(), run.shown.begin() + 4), expected);
}

TEST(MelodyPlayerStateTest, ClearsMergeRepeatsAndSetsPlaying) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingMidiOutput output;
    MelodyPlayer player(state, output);
    player.start(u"D中ミ D中ミ ", 0, TimePoint{});
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_TRUE(state.isPlaying);
    player.tick(TimePoint{});
    player.stop();
    EXPECT_FALSE(state.isPlaying);
    EXPECT_EQ(output.messages(), (std::vector<uint32_t>{on(76), off(76)}));
    EXPECT_FALSE(player.tick(TimePoint{} + Milliseconds(1000)));
}

TEST(MelodyPlayerStateTest, EmptyMelodyStopsAtOnce) {
    const Playback run = play(u"", 0, 1000);
    EXPECT_TRUE(run.sent.empty());
    EXPECT_FALSE(run.stillPlaying);
}

struct LateCase {
    const char* name;
    int lateMs;
    int lastOnsetMs; // the 41st onset: 40 eighths of 257 ms and 40 gaps, plus the delay
};

class MelodyPlayerLateTest : public ::testing::TestWithParam<LateCase> {};

TEST_P(MelodyPlayerLateTest, LateCallsDoNotAccumulate) {
    const LateCase& c = GetParam();
    const Playback run = play(u"D中ド ", 0, 40 * 258 + c.lateMs, c.lateMs);
    ASSERT_FALSE(run.sent.empty());
    EXPECT_EQ(run.sent.back(), Sent(on(72), c.lastOnsetMs));
}

// A late call for a note-off also finds the next note-on (due 1 ms after it) due, so every
// note starts one millisecond less late than the driver, and never later than that.
INSTANTIATE_TEST_SUITE_P(Drift, MelodyPlayerLateTest,
                         ::testing::Values(LateCase{"on_time", 0, 40 * 258},
                                           LateCase{"three_ms_late", 3, 40 * 258 + 2},
                                           LateCase{"forty_ms_late", 40, 40 * 258 + 39}),
                         CaseName());

TEST(MelodyPlayerLateTest, FarBehindStartsTheScheduleAgain) {
    ManualClock clock;
    RecordingMidiOutput output(&clock);
    melody::ParserState state;
    MelodyPlayer player(state, output);
    player.start(u"D中ド ", 0, clock.now());
    player.tick(clock.now());
    // the driver sleeps through many notes: one step now, not a burst of the missed ones
    clock.advance(Milliseconds(5000));
    const std::optional<TimePoint> due = player.tick(clock.now());
    EXPECT_EQ(output.messages(), (std::vector<uint32_t>{on(72), off(72)}));
    ASSERT_TRUE(due);
    EXPECT_EQ(*due, clock.now() + kNoteGap);
}

} // namespace
} // namespace sarvo::sound
