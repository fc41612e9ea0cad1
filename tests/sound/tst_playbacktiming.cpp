#include "melody/notecodes.h"
#include "sound/playbacktiming.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace sarvo::sound {
namespace {

struct IntervalCase {
    const char* name;
    int tempo; // quarter notes per minute
    int tempoBase;
    char16_t code;
    bool dotted;
    int ties;
    int expectedMs;
};

class IntervalTest : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalTest, RoundsTwiceHalvesToEven) {
    const IntervalCase& c = GetParam();
    const PlaybackTiming timing = PlaybackTiming::quarterNoteTempo(c.tempo, c.tempoBase);
    const int ticks = melody::lengthTicks(c.code, c.dotted) * (c.ties + 1);
    EXPECT_EQ(timing.intervalMs(ticks), c.expectedMs);
}

// Worked by hand: d × 1000 rounded, times (21 − k) ÷ (22 − k), rounded again.
INSTANTIATE_TEST_SUITE_P(Formula, IntervalTest,
                         ::testing::Values(
                             // 0.15 s a sixteenth: 600 ms × 6/7 = 514.29
                             IntervalCase{"quarter_at_100", 100, 15, u'C', false, 0, 514},
                             // a tie doubles the note: 1200 × 6/7 = 1028.57
                             IntervalCase{"tied_quarter", 100, 15, u'C', false, 1, 1029},
                             // 187.5 → 188 (even), × 6/7 = 161.14
                             IntervalCase{"dotted_sixteenth_half_up", 120, 15, u'E', true, 0, 161},
                             // 62.5 → 62 (even), × 2/3 = 41.33; rounding half up would give 42
                             IntervalCase{"sixteenth_half_down", 240, 19, u'E', false, 0, 41},
                             // 125 × 1/2 = 62.5 → 62 in the second rounding
                             IntervalCase{"second_rounding_half_down", 120, 20, u'E', false, 0, 62},
                             // 375 × 1/2 = 187.5 → 188
                             IntervalCase{"second_rounding_half_up", 120, 20, u'D', true, 0, 188},
                             // triplet eighth: 4/3 × 150 = 200 × 6/7 = 171.43
                             IntervalCase{"triplet", 100, 15, u'3', false, 0, 171},
                             // sextuplet quarter: 8/6 × 150 = 200
                             IntervalCase{"sextuplet", 100, 15, u'5', false, 0, 171},
                             // whole note, k = 0: 2400 × 21/22 = 2290.9
                             IntervalCase{"whole_k0", 100, 0, u'A', false, 0, 2291},
                             // a rest lasts as long as its note
                             IntervalCase{"quarter_rest", 100, 15, u'H', false, 0, 514},
                             // k above 20 is held at 20: 600 × 1/2
                             IntervalCase{"tempo_base_above_range", 100, 25, u'C', false, 0, 300},
                             // k below 0 is held at 0: 600 × 21/22 = 572.7
                             IntervalCase{"tempo_base_below_range", 100, -5, u'C', false, 0, 573}),
                         CaseName());

struct ScaleCase {
    const char* name;
    int64_t unitNumerator;
    int64_t unitDenominator;
    int tempoBase;
    int noteTenths;
    int expectedMs;
};

class TestScaleIntervalTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TestScaleIntervalTest, RoundsUnitsAndUnitSeparately) {
    const ScaleCase& c = GetParam();
    const PlaybackTiming timing(c.unitNumerator, c.unitDenominator, c.tempoBase);
    EXPECT_EQ(timing.testScaleIntervalMs(c.noteTenths), c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(
    Formula, TestScaleIntervalTest,
    ::testing::Values(
        // 4 × 150 × 6/7
        ScaleCase{"quarter_at_100", 15, 100, 15, 40, 514},
        // R(1.5) = 2 units: 2 × 150 × 6/7 = 257.14
        ScaleCase{"dotted_sixteenth_rounds_units", 15, 100, 15, 15, 257},
        // the unit 214.29 ms is rounded to 214 first: 4 × 214 × 6/7 = 733.71 (playback: 735)
        ScaleCase{"unit_rounded_first", 15, 70, 15, 40, 734},
        // dotted quarter, R(6) × 125 × 1/2 = 375
        ScaleCase{"dotted_quarter_k20", 15, 120, 20, 60, 375}),
    CaseName());

TEST(PlaybackTimingTest, TempoUnitOfTheSettingsGivesTheSameTiming) {
    // tempo 200 counted in eighths is the unit of tempo 100 counted in quarters
    const std::optional<formats::TempoUnit> eighths = formats::TempoUnit::fromTempo(200, u"D");
    ASSERT_TRUE(eighths);
    const PlaybackTiming timing(*eighths, 15);
    EXPECT_EQ(timing.intervalMs(melody::lengthTicks(u'C', false)), 514);
    EXPECT_DOUBLE_EQ(timing.unitSeconds(), 0.15);
}

} // namespace
} // namespace sarvo::sound
