// The timing formula, and the settings' test scale played by it on a manual clock and on the
// worker-thread driver.

#include "melody/notecodes.h"
#include "sound/playbacktiming.h"
#include "sound/testscale.h"
#include "sound/timedtaskthread.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <thread>

namespace sarvo::sound {
namespace {

// Worked by hand: d × 1000 rounded, times (21 − k) ÷ (22 − k), rounded again (halves to even).
TEST(PlaybackTiming, IntervalsRoundTwiceHalvesToEven) {
    // tempo (quarters a minute), k, length code, dotted, milliseconds
    for (const auto& [tempo, tempoBase, code, dotted, ms] : {
             std::tuple{100, 15, u'C', false, 514}, // 0.15 s a sixteenth: 600 ms × 6/7 = 514.29
             {120, 15, u'E', true, 161},            // 187.5 → 188 (even), × 6/7 = 161.14
             {240, 19, u'E', false, 41}, // 62.5 → 62 (even), × 2/3 = 41.33; half up would give 42
             {120, 20, u'E', false, 62},  // 125 × 1/2 = 62.5 → 62 in the second rounding
             {120, 20, u'D', true, 188},  // 375 × 1/2 = 187.5 → 188
             {100, 15, u'3', false, 171}, // triplet eighth: 4/3 × 150 = 200 × 6/7 = 171.43
             {100, 0, u'A', false, 2291}, // whole note, k = 0: 2400 × 21/22 = 2290.9
             {100, 25, u'C', false, 300}, // k above 20 is held at 20: 600 × 1/2
             {100, -5, u'C', false, 573}, // k below 0 is held at 0: 600 × 21/22 = 572.7
         })
        EXPECT_EQ(PlaybackTiming::quarterNoteTempo(tempo, tempoBase)
                      .intervalMs(melody::lengthTicks(code, dotted)),
                  ms)
            << ms;
    // Tempo 200 counted in eighths is the unit of tempo 100 counted in quarters.
    const PlaybackTiming eighths(*formats::TempoUnit::fromTempo(200, u"D"), 15);
    EXPECT_EQ(eighths.intervalMs(melody::lengthTicks(u'C', false)), 514);
    EXPECT_DOUBLE_EQ(eighths.unitSeconds(), 0.15);
    // The test scale rounds the units of its note and the unit separately: unit numerator and
    // denominator, k, note in tenths of a sixteenth, milliseconds.
    for (const auto& [numerator, denominator, tempoBase, noteTenths, ms] : {
             std::tuple{15, 100, 15, 15, 257}, // R(1.5) = 2 units: 2 × 150 × 6/7 = 257.14
             {15, 70, 15, 40,
              734}, // unit 214.29 rounded to 214 first: 4 × 214 × 6/7 (playback: 735)
             {15, 120, 20, 60, 375}, // dotted quarter, R(6) × 125 × 1/2
         })
        EXPECT_EQ(PlaybackTiming(numerator, denominator, tempoBase).testScaleIntervalMs(noteTenths),
                  ms);
}

TEST(TestScale, WhiteKeysUpFromMiddleCAtTheTestIntervalThenFromTheBottomAgain) {
    ManualClock clock;
    const TimePoint start = clock.now();
    RecordingMidiOutput output(&clock);
    TestScale scale(output);
    // unit R(214.29) = 214: 2 × 214 × 21/22 = 408.5
    scale.setTiming(PlaybackTiming::quarterNoteTempo(70, 0));
    scale.setTestNoteTenths(20);

    // [WHEN] the scale plays 23 notes: up the 21 white keys from 60 to 95, then from 60 again
    scale.start(clock.now());
    std::optional<TimePoint> due = scale.tick(clock.now());
    for (int i = 1; i < 23; ++i) {
        ASSERT_TRUE(due);
        clock.setNow(*due);
        due = scale.tick(clock.now());
    }
    scale.stop();

    // [THEN] each note-on follows the note-off of the one before, one interval apart
    const std::vector<int> whiteKeys = {60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79,
                                        81, 83, 84, 86, 88, 89, 91, 93, 95, 60, 62};
    std::vector<Sent> expected;
    for (size_t i = 0; i < whiteKeys.size(); ++i) {
        if (i > 0)
            expected.emplace_back(off(whiteKeys[i - 1]), 409 * static_cast<int>(i));
        expected.emplace_back(on(whiteKeys[i]), 409 * static_cast<int>(i));
    }
    expected.emplace_back(off(62), 409 * 22);
    EXPECT_EQ(sentSince(output, start), expected);
    EXPECT_FALSE(scale.isPlaying());

    // A new start begins at the bottom.
    output.clear();
    scale.start(clock.now());
    scale.tick(clock.now());
    EXPECT_EQ(output.messages(), std::vector<uint32_t>{on(60)});
}

// Waits (without timing anything) until the output holds count messages; gives up after a while
// so that a broken driver fails the test instead of hanging it.
bool waitForMessages(TimedTaskThread& driver, const RecordingMidiOutput& output, size_t count) {
    for (int i = 0; i < 5000; ++i) {
        {
            auto guard = driver.lock();
            if (output.sent().size() >= count)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST(TimedTaskThread, DrivesTheTaskUntilStopped) {
    RecordingMidiOutput output;
    TestScale scale(output);
    // tempo 999 counted in quarters, sixteenth test notes, k = 20: 8 ms a note
    scale.setTiming(PlaybackTiming::quarterNoteTempo(999, 20));
    scale.setTestNoteTenths(10);
    TimedTaskThread driver(scale); // idle until woken: nothing is due yet
    {
        auto guard = driver.lock();
        scale.start(SteadyClock::now());
    }
    driver.wake();
    ASSERT_TRUE(waitForMessages(driver, output, 7));
    driver.stop();

    const std::vector<uint32_t> sent = output.messages();
    const std::vector<uint32_t> expected = {on(60), off(60), on(62), off(62),
                                            on(64), off(64), on(65)};
    ASSERT_GE(sent.size(), expected.size());
    EXPECT_EQ(std::vector(sent.begin(), sent.begin() + 7), expected);
    // stopped: nothing more arrives
    const size_t stoppedAt = output.sent().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(output.sent().size(), stoppedAt);
}

} // namespace
} // namespace sarvo::sound
