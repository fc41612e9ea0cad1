#include "sound/recordingmidioutput.h"
#include "sound/testscale.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::sound {
namespace {

struct ScaleCase {
    const char* name;
    int tempo; // quarter notes per minute
    int tempoBase;
    int noteTenths;
    int intervalMs; // worked by hand: R(R(tenths ÷ 10) × R(unit × 1000) × (21 − k) ÷ (22 − k))
};

class TestScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TestScaleTest, WhiteKeysUpFromMiddleCAtTheTestInterval) {
    const ScaleCase& c = GetParam();
    ManualClock clock;
    const TimePoint start = clock.now();
    RecordingMidiOutput output(&clock);
    TestScale scale(output);
    scale.setTiming(PlaybackTiming::quarterNoteTempo(c.tempo, c.tempoBase));
    scale.setTestNoteTenths(c.noteTenths);

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
    std::vector<RecordedMessage> expected;
    for (size_t i = 0; i < whiteKeys.size(); ++i) {
        const TimePoint at = start + Milliseconds(c.intervalMs * static_cast<int>(i));
        if (i > 0)
            expected.push_back({false, noteOffMessage(whiteKeys[i - 1]), at});
        expected.push_back({false, noteOnMessage(whiteKeys[i]), at});
    }
    expected.push_back({false, noteOffMessage(62), clock.now()});
    EXPECT_EQ(output.sent(), expected);
    EXPECT_FALSE(scale.isPlaying());
}

INSTANTIATE_TEST_SUITE_P(Intervals, TestScaleTest,
                         ::testing::Values(
                             // unit R(214.29) = 214: 2 × 214 × 21/22 = 408.5
                             ScaleCase{"eighth_at_70_k0", 70, 0, 20, 409}),
                         CaseName());

TEST(TestScaleRestartTest, StopThenStartBeginsAtTheBottom) {
    RecordingMidiOutput output;
    TestScale scale(output);
    scale.start(TimePoint{});
    scale.tick(TimePoint{} + Milliseconds(600)); // 60, then 62
    scale.stop();
    output.clear();
    scale.start(TimePoint{} + Milliseconds(1000));
    scale.tick(TimePoint{} + Milliseconds(1000));
    EXPECT_EQ(output.messages(), std::vector<uint32_t>{noteOnMessage(60)});
}

} // namespace
} // namespace sarvo::sound
