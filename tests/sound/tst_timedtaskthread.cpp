#include "sound/recordingmidioutput.h"
#include "sound/testscale.h"
#include "sound/timedtaskthread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace sarvo::sound {
namespace {

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

TEST(TimedTaskThreadTest, DrivesTheTaskUntilStopped) {
    RecordingMidiOutput output;
    TestScale scale(output);
    // tempo 999 counted in quarters, sixteenth test notes, k = 20: 8 ms a note
    scale.setTiming(PlaybackTiming::quarterNoteTempo(999, 20));
    scale.setTestNoteTenths(10);
    TimedTaskThread driver(scale);
    {
        auto guard = driver.lock();
        scale.start(SteadyClock::now());
    }
    driver.wake();
    ASSERT_TRUE(waitForMessages(driver, output, 7));
    driver.stop();

    const std::vector<uint32_t> sent = output.messages();
    const std::vector<uint32_t> expected = {
        noteOnMessage(60), noteOffMessage(60), noteOnMessage(62), noteOffMessage(62),
        noteOnMessage(64), noteOffMessage(64), noteOnMessage(65)};
    ASSERT_GE(sent.size(), expected.size());
    EXPECT_EQ(std::vector(sent.begin(), sent.begin() + 7), expected);
    // stopped: nothing more arrives
    const size_t stoppedAt = output.sent().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(output.sent().size(), stoppedAt);
}

TEST(TimedTaskThreadTest, IdleTaskWaitsForAWake) {
    RecordingMidiOutput output;
    TestScale scale(output); // not started: nothing due
    TimedTaskThread driver(scale);
    {
        auto guard = driver.lock();
        scale.start(SteadyClock::now());
    }
    driver.wake();
    EXPECT_TRUE(waitForMessages(driver, output, 1));
}

} // namespace
} // namespace sarvo::sound
