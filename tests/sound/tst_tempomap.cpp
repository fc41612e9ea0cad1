#include "smftesting.h"
#include "sound/tempomap.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

SmfFile fileWithTempos(uint16_t division, std::vector<MidiEvent> conductor) {
    SmfFile file;
    file.division.raw = division;
    file.tracks.resize(2);
    file.tracks[0].events = std::move(conductor);
    file.tracks[1].events = {testing::noteOn(0, 0, 60), testing::noteOff(960, 0, 60)};
    return file;
}

TEST(TempoMap, ConvertsTicksToMicrosecondsAndBack) {
    // [GIVEN] 120 per minute, 60 per minute from tick 960, 240 per minute from tick 1440
    const SmfFile file =
        fileWithTempos(480, {MidiEvent::tempo(960, 1000000), MidiEvent::tempo(1440, 250000)});
    const TempoMap map(file);
    struct Case {
        uint32_t tick;
        double microseconds;
        uint32_t tempo;
    };
    const std::vector<Case> cases = {
        {0, 0, 500000},           {480, 500000, 500000},   {960, 1000000, 1000000},
        {1200, 1500000, 1000000}, {1440, 2000000, 250000}, {1920, 2250000, 250000},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(map.microsecondsAt(c.tick), c.microseconds) << c.tick;
        EXPECT_DOUBLE_EQ(map.ticksAt(c.microseconds), c.tick) << c.tick;
        EXPECT_EQ(map.microsecondsPerQuarterAt(c.tick), c.tempo) << c.tick;
    }
    EXPECT_EQ(map.changes().size(), 3u);
}

TEST(TempoMap, LaterTempoAtTheSameTickWinsAndSmpteIgnoresTempo) {
    struct Case {
        const char* name;
        uint16_t division;
        std::vector<MidiEvent> conductor;
        uint32_t tick;
        double microseconds;
    };
    const std::vector<Case> cases = {
        {"default tempo", 96, {}, 96, 500000},
        {"two at tick 0",
         96,
         {MidiEvent::tempo(0, 400000), MidiEvent::tempo(0, 800000)},
         96,
         800000},
        // 25 frames per second of 40 ticks: 1000 ticks per second.
        {"smpte",
         static_cast<uint16_t>((0xE7 << 8) | 40),
         {MidiEvent::tempo(0, 100)},
         1500,
         1500000},
    };
    for (const Case& c : cases) {
        const TempoMap map(fileWithTempos(c.division, c.conductor));
        EXPECT_DOUBLE_EQ(map.microsecondsAt(c.tick), c.microseconds) << c.name;
    }
}

TEST(Timeline, MergesTracksInTimeOrderKeepingTrackOrderAtEqualTicks) {
    SmfFile file = fileWithTempos(480, {MidiEvent::tempo(0, 1000000)});
    file.tracks.push_back({{testing::noteOn(0, 1, 50), testing::noteOff(480, 1, 50)}, 480});
    const TempoMap map(file);
    const std::vector<TimedEvent> events = timeline(file, map);
    ASSERT_EQ(events.size(), 5u);
    const std::vector<int> tracks = {0, 1, 2, 2, 1};
    const std::vector<double> times = {0, 0, 0, 1000000, 2000000};
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].track, tracks[i]) << i;
        EXPECT_DOUBLE_EQ(events[i].microseconds, times[i]) << i;
    }
}

} // namespace
} // namespace sarvo::sound
