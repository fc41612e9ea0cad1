#include "sound/notepreview.h"
#include "sound/recordingmidioutput.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace sarvo::sound {
namespace {

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

Event down(int key, int note, char16_t length = u'C') {
    return {Event::Down, key, note, length};
}
Event repeatDown(int key, int note) {
    return {Event::RepeatDown, key, note};
}
Event up(int key) {
    return {Event::Up, key};
}
Event repeatUp(int key) {
    return {Event::RepeatUp, key};
}
Event panelUp() {
    return {Event::PanelUp};
}
Event reach(int ms) {
    return {Event::Reach, 0, 0, u'C', ms};
}
Event switchTo(InputSoundMode mode) {
    return {Event::SetMode, 0, 0, u'C', 0, mode};
}

using Sent = std::pair<uint32_t, int>; // message, milliseconds after the start

struct PreviewCase {
    const char* name;
    InputSoundMode mode;
    std::vector<Event> events;
    std::vector<Sent> expected;
};

class NotePreviewTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(NotePreviewTest, SendsTheNotesOfItsMode) {
    const PreviewCase& c = GetParam();
    // [GIVEN] a preview in the mode at tempo 100 counted in quarters, k = 15
    ManualClock clock;
    const TimePoint start = clock.now();
    RecordingMidiOutput output(&clock);
    NotePreview preview(output);
    preview.setMode(c.mode);

    // [WHEN] the keys move as listed
    for (const Event& e : c.events) {
        switch (e.kind) {
        case Event::Down: preview.noteKeyDown(e.key, e.note, e.length, false, clock.now()); break;
        case Event::RepeatDown:
            preview.noteKeyDown(e.key, e.note, e.length, true, clock.now());
            break;
        case Event::Up: preview.noteKeyUp(e.key, false); break;
        case Event::RepeatUp: preview.noteKeyUp(e.key, true); break;
        case Event::PanelUp: preview.panelReleased(); break;
        case Event::SetMode: preview.setMode(e.mode); break;
        case Event::Reach:
            clock.setNow(start + Milliseconds(e.ms));
            preview.tick(clock.now());
            break;
        }
    }

    // [THEN] exactly these messages went out, at these times
    std::vector<Sent> sent;
    for (const RecordedMessage& m : output.sent()) {
        ASSERT_FALSE(m.isReset);
        sent.emplace_back(m.message,
                          static_cast<int>((m.at - start) / std::chrono::milliseconds(1)));
    }
    EXPECT_EQ(sent, c.expected);
}

constexpr uint32_t on(int note) {
    return noteOnMessage(note);
}
constexpr uint32_t off(int note) {
    return noteOffMessage(note);
}

using M = InputSoundMode;

// Times: at tempo 100 a quarter lasts 514 ms, a sixteenth R(150 × 6/7) = 129 ms, a whole note
// R(2400 × 6/7) = 2057 ms.
INSTANTIATE_TEST_SUITE_P(
    Modes, NotePreviewTest,
    ::testing::Values(
        PreviewCase{"silent_sends_nothing",
                    M::Silent,
                    {down(1, 72), reach(100), up(1), panelUp(), reach(1000)},
                    {}},
        PreviewCase{"held_note_lasts_until_key_up",
                    M::WhileHeld,
                    {down(1, 72), reach(300), up(1)},
                    {{on(72), 0}, {off(72), 300}}},
        PreviewCase{"auto_repeat_neither_restarts_nor_stops",
                    M::WhileHeld,
                    {down(1, 72), reach(500), repeatUp(1), repeatDown(1, 72), reach(530),
                     repeatUp(1), repeatDown(1, 72), reach(2000), up(1)},
                    {{on(72), 0}, {off(72), 2000}}},
        PreviewCase{"second_key_while_held_is_silent",
                    M::WhileHeld,
                    {down(1, 72), reach(100), down(2, 74), reach(200), up(2), reach(300), up(1),
                     reach(400), down(2, 74), reach(500), up(2)},
                    {{on(72), 0}, {off(72), 300}, {on(74), 400}, {off(74), 500}}},
        PreviewCase{"held_note_ignores_the_clock",
                    M::WhileHeld,
                    {down(1, 60), reach(5000), up(1)},
                    {{on(60), 0}, {off(60), 5000}}},
        PreviewCase{"panel_release_ends_held_note",
                    M::WhileHeld,
                    {down(3, 95), reach(50), panelUp(), reach(60), up(3)},
                    {{on(95), 0}, {off(95), 50}}},
        PreviewCase{"note_length_quarter",
                    M::NoteLength,
                    {down(1, 72), up(1), reach(513), reach(514), reach(2000)},
                    {{on(72), 0}, {off(72), 514}}},
        PreviewCase{"note_length_sixteenth_and_whole",
                    M::NoteLength,
                    {down(1, 72, u'E'), reach(129), down(2, 74, u'A'), reach(2185), reach(2186)},
                    {{on(72), 0}, {off(72), 129}, {on(74), 129}, {off(74), 2186}}},
        PreviewCase{"overlapping_notes_end_at_their_own_time",
                    M::NoteLength,
                    {down(1, 72), reach(100), down(2, 74, u'E'), reach(229), reach(514)},
                    {{on(72), 0}, {on(74), 100}, {off(74), 229}, {off(72), 514}}},
        PreviewCase{"same_note_again_starts_over",
                    M::NoteLength,
                    {down(1, 72), reach(100), down(1, 72), reach(514), reach(614)},
                    {{on(72), 0}, {off(72), 100}, {on(72), 100}, {off(72), 614}}},
        PreviewCase{"panel_release_ends_timed_note",
                    M::NoteLength,
                    {down(1, 72), reach(50), panelUp(), reach(514)},
                    {{on(72), 0}, {off(72), 50}}},
        PreviewCase{"mode_change_silences",
                    M::NoteLength,
                    {down(1, 72), reach(50), switchTo(M::WhileHeld), reach(514), down(1, 76),
                     switchTo(M::Silent), up(1)},
                    {{on(72), 0}, {off(72), 50}, {on(76), 514}, {off(76), 514}}}),
    CaseName());

TEST(NotePreviewDueTest, NextDueIsTheEarliestNoteOff) {
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
