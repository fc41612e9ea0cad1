// The note-by-note melody player and the note preview, on a manual clock.

#include "sound/melodyplayer.h"
#include "sound/notepreview.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

struct Playback {
    std::vector<Sent> sent;
    std::vector<std::pair<int, int>> shown; // selection start and length of every note shown
};

// Plays the melody from the caret for untilMs on a manual clock, calling the player lateMs after
// every due time, as a driver that wakes up late would.
Playback play(std::u16string_view melody, int caret, int untilMs, int lateMs = 0) {
    ManualClock clock;
    const TimePoint start = clock.now();
    RecordingMidiOutput output(&clock);
    Playback run;
    melody::ParserState state;
    state.noteShown = [&](int from, int length) {
        run.shown.emplace_back(from, length);
    };
    MelodyPlayer player(state, output);
    player.start(melody, caret, clock.now());
    while (clock.now() <= start + Milliseconds(untilMs)) {
        const std::optional<TimePoint> due = player.tick(clock.now());
        if (!due)
            break;
        clock.setNow(*due + Milliseconds(lateMs));
    }
    run.sent = sentSince(output, start);
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

// At tempo 100 in quarters with k = 15: quarter 514 ms, eighth 257, tied quarter 1029; one 1 ms
// gap after every note and rest.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Schedules, MelodyPlayerTest, ::testing::Values(
    // the melody starts over after its last note
    PlayCase{"tie_lengthens_the_note", u"C中ド ^ D中レ ", 0, 1300,
             {{on(72), 0}, {off(72), 1029}, {on(74), 1030}, {off(74), 1287}, {on(72), 1288}}},
    PlayCase{"tie_does_not_lengthen_a_rest", u"H ^ C低ド ", 0, 600, {{on(60), 515}}},
    // the rest repeats the note-off of the pitch before it and sounds nothing
    PlayCase{"rest_is_silent", u"C中ド H D高シ ", 0, 1100,
             {{on(72), 0}, {off(72), 514}, {off(72), 515}, {off(72), 1029}, {on(95), 1030}}},
    PlayCase{"caret_on_a_tie_starts_at_its_note", u"E中ソ C中ド ^ ^ D中レ ", 9, 0, {{on(72), 0}}},
    PlayCase{"caret_at_the_end_starts_over", u"C中ド D中レ ", 10, 0, {{on(72), 0}}},
    PlayCase{"malformed_pitch_is_silent_but_timed", u"C中ミ# D中レ ", 0, 520, {{on(74), 515}}},
    PlayCase{"empty_melody_stops_at_once", u"", 0, 1000, {}}),
    CaseName());
// clang-format on

TEST(MelodyPlayer, ShowsEachNoteWithItsTies) {
    const Playback run = play(u"C中ド ^ D中レ# H. ", 0, 2500);
    const std::vector<std::pair<int, int>> expected = {{0, 5}, {6, 4}, {11, 2}, {0, 5}};
    ASSERT_GE(run.shown.size(), expected.size());
    EXPECT_EQ(std::vector(run.shown.begin(), run.shown.begin() + 4), expected);
}

TEST(MelodyPlayer, ClearsMergeRepeatsAndSetsPlaying) {
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

// A late call for a note-off also finds the next note-on (due 1 ms after it) due, so every
// note starts one millisecond less late than the driver, and never later than that: the 41st
// onset comes after 40 eighths of 257 ms and 40 gaps, plus that delay.
TEST(MelodyPlayer, LateCallsDoNotAccumulate) {
    for (const auto& [lateMs, delayMs] : std::vector<std::pair<int, int>>{{0, 0}, {40, 39}}) {
        const Playback run = play(u"D中ド ", 0, 40 * 258 + lateMs, lateMs);
        ASSERT_FALSE(run.sent.empty());
        EXPECT_EQ(run.sent.back(), Sent(on(72), 40 * 258 + delayMs)) << lateMs;
    }
    // A driver that sleeps through many notes gets one step now, not a burst of the missed ones.
    ManualClock clock;
    RecordingMidiOutput output(&clock);
    melody::ParserState state;
    MelodyPlayer player(state, output);
    player.start(u"D中ド ", 0, clock.now());
    player.tick(clock.now());
    clock.advance(Milliseconds(5000));
    const std::optional<TimePoint> due = player.tick(clock.now());
    EXPECT_EQ(output.messages(), (std::vector<uint32_t>{on(72), off(72)}));
    ASSERT_TRUE(due);
    EXPECT_EQ(*due, clock.now() + kNoteGap);
}

// One thing that happens to the preview: a key or panel event, or the clock reaching a time
// (which ticks the preview as its timer would).
struct Event {
    enum Kind { Down, Up, RepeatDown, RepeatUp, PanelUp, Reach, SetMode } kind;
    int key = 0;
    int note = 0;
    char16_t length = u'C';
    int ms = 0;
    InputSoundMode mode = InputSoundMode::Silent;
};

// clang-format off
Event down(int key, int note, char16_t length = u'C') { return {Event::Down, key, note, length}; }
Event repeatDown(int key, int note) { return {Event::RepeatDown, key, note}; }
Event up(int key) { return {Event::Up, key}; }
Event repeatUp(int key) { return {Event::RepeatUp, key}; }
Event reach(int ms) { return {Event::Reach, 0, 0, u'C', ms}; }
Event switchTo(InputSoundMode mode) { return {Event::SetMode, 0, 0, u'C', 0, mode}; }
const Event panelUp{Event::PanelUp};
// clang-format on

struct PreviewCase {
    const char* name;
    InputSoundMode mode;
    std::vector<Event> events;
    std::vector<Sent> expected;
};

class NotePreviewTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(NotePreviewTest, SendsTheNotesOfItsMode) {
    const PreviewCase& c = GetParam();
    // At tempo 100 counted in quarters, k = 15.
    ManualClock clock;
    const TimePoint start = clock.now();
    RecordingMidiOutput output(&clock);
    NotePreview preview(output);
    preview.setMode(c.mode);
    for (const Event& e : c.events) {
        switch (e.kind) {
        case Event::Down:
        case Event::RepeatDown:
            preview.noteKeyDown(e.key, e.note, e.length, e.kind == Event::RepeatDown, clock.now());
            break;
        case Event::Up:
        case Event::RepeatUp: preview.noteKeyUp(e.key, e.kind == Event::RepeatUp); break;
        case Event::PanelUp: preview.panelReleased(); break;
        case Event::SetMode: preview.setMode(e.mode); break;
        case Event::Reach:
            clock.setNow(start + Milliseconds(e.ms));
            preview.tick(clock.now());
            break;
        }
    }
    EXPECT_EQ(sentSince(output, start), c.expected);
}

using M = InputSoundMode;

// Times: at tempo 100 a quarter lasts 514 ms, a sixteenth R(150 × 6/7) = 129 ms, a whole note
// R(2400 × 6/7) = 2057 ms.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Modes, NotePreviewTest, ::testing::Values(
    PreviewCase{"silent_sends_nothing", M::Silent,
                {down(1, 72), reach(100), up(1), panelUp, reach(1000)}, {}},
    // a held note lasts until its key comes up, whatever the clock
    PreviewCase{"auto_repeat_neither_restarts_nor_stops", M::WhileHeld,
                {down(1, 72), reach(500), repeatUp(1), repeatDown(1, 72), reach(530), repeatUp(1),
                 repeatDown(1, 72), reach(2000), up(1)}, {{on(72), 0}, {off(72), 2000}}},
    PreviewCase{"second_key_while_held_is_silent", M::WhileHeld,
                {down(1, 72), reach(100), down(2, 74), reach(200), up(2), reach(300), up(1),
                 reach(400), down(2, 74), reach(500), up(2)},
                {{on(72), 0}, {off(72), 300}, {on(74), 400}, {off(74), 500}}},
    PreviewCase{"panel_release_ends_held_note", M::WhileHeld,
                {down(3, 95), reach(50), panelUp, reach(60), up(3)}, {{on(95), 0}, {off(95), 50}}},
    PreviewCase{"overlapping_notes_end_at_their_own_time_whatever_the_keys", M::NoteLength,
                {down(1, 72), reach(100), down(2, 74, u'E'), up(2), reach(228), reach(229), reach(514)},
                {{on(72), 0}, {on(74), 100}, {off(74), 229}, {off(72), 514}}},
    PreviewCase{"same_note_again_starts_over", M::NoteLength,
                {down(1, 72), reach(100), down(1, 72), reach(514), reach(614)},
                {{on(72), 0}, {off(72), 100}, {on(72), 100}, {off(72), 614}}},
    PreviewCase{"panel_release_ends_timed_note", M::NoteLength,
                {down(1, 72), reach(50), panelUp, reach(514)}, {{on(72), 0}, {off(72), 50}}},
    PreviewCase{"mode_change_silences", M::NoteLength,
                {down(1, 72), reach(50), switchTo(M::WhileHeld), reach(514), down(1, 76),
                 switchTo(M::Silent), up(1)},
                {{on(72), 0}, {off(72), 50}, {on(76), 514}, {off(76), 514}}}),
    CaseName());
// clang-format on

TEST(NotePreview, NextDueIsTheEarliestNoteOff) {
    ManualClock clock;
    RecordingMidiOutput output(&clock);
    NotePreview preview(output);
    preview.setMode(InputSoundMode::NoteLength);
    EXPECT_FALSE(preview.nextDue());
    preview.noteKeyDown(1, 72, u'A', false, clock.now());
    preview.noteKeyDown(2, 74, u'E', false, clock.now());
    ASSERT_TRUE(preview.nextDue());
    EXPECT_EQ(*preview.nextDue() - clock.now(), Milliseconds(129));
    EXPECT_TRUE(preview.noteSounding());
    clock.advance(Milliseconds(129));
    EXPECT_EQ(preview.tick(clock.now()), clock.now() + Milliseconds(2057 - 129));
    clock.advance(Milliseconds(2057));
    EXPECT_FALSE(preview.tick(clock.now()));
    EXPECT_FALSE(preview.noteSounding());
}

} // namespace
} // namespace sarvo::sound
