#include "smftesting.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo::sound {
namespace {

using testing::hexBytes;
using testing::noteOff;
using testing::noteOn;

// Written as the format has them and read back as delta times.
TEST(SmfWriter, VariableLengthQuantities) {
    struct Case {
        uint32_t value;
        const char* hex;
    };
    const std::vector<Case> cases = {
        {0, "00"},
        {0x40, "40"},
        {0x7F, "7F"},
        {0x80, "81 00"},
        {0x2000, "C0 00"},
        {0x3FFF, "FF 7F"},
        {0x4000, "81 80 00"},
        {0x1FFFFF, "FF FF 7F"},
        {0x200000, "81 80 80 00"},
        {0x0FFFFFFF, "FF FF FF 7F"},
    };
    for (const Case& c : cases) {
        std::string out;
        appendVlq(out, c.value);
        EXPECT_EQ(out, hexBytes(c.hex)) << c.value;
        const SmfReadResult read =
            readSmf(testing::header(0, 1, 480) +
                    testing::trackChunk(out + hexBytes("90 40 40 00 FF 2F 00")));
        ASSERT_TRUE(read.file) << c.hex << ": " << read.error;
        EXPECT_EQ(read.file->tracks[0].events.at(0).tick, c.value) << c.hex;
    }
}

TEST(SmfWriter, GoldenBytesOfATwoTrackFile) {
    // [GIVEN] a conductor track with a tempo and a part with a program change and two notes
    SmfFile file;
    file.format = 1;
    file.division.raw = 480;
    file.tracks.resize(2);
    file.tracks[0].events = {MidiEvent::tempo(0, 500000)};
    file.tracks[1].events = {MidiEvent::meta(0, kMetaTrackName, "A"),
                             MidiEvent::channelMessage(0, kProgramChange, 0, 0),
                             noteOn(0, 0, 72, 127),
                             noteOff(480, 0, 72),
                             noteOn(480, 0, 88, 127),
                             noteOff(840, 0, 88)};
    file.tracks[1].endTick = 1080;
    // [WHEN] writing it [THEN] the bytes are those of the format, running status included
    EXPECT_EQ(writeSmf(file), hexBytes("4D 54 68 64 00 00 00 06 00 01 00 02 01 E0"
                                       "4D 54 72 6B 00 00 00 0B"
                                       "00 FF 51 03 07 A1 20 00 FF 2F 00"
                                       "4D 54 72 6B 00 00 00 1F"
                                       "00 FF 03 01 41"
                                       "00 C0 00"
                                       "00 90 48 7F"
                                       "83 60 80 48 40"
                                       "00 90 58 7F"
                                       "82 68 80 58 40"
                                       "81 70 FF 2F 00"));
}

TEST(SmfWriter, OrdersEventsByTickKeepingTheOrderOfEqualTicks) {
    SmfFile file;
    file.tracks.resize(1);
    file.tracks[0].events = {noteOn(100, 0, 60), noteOff(200, 0, 60), noteOn(0, 1, 50),
                             noteOn(100, 0, 62)};
    const SmfReadResult back = readSmf(writeSmf(file));
    ASSERT_TRUE(back.file) << back.error;
    const std::vector<MidiEvent> expected = {noteOn(0, 1, 50), noteOn(100, 0, 60),
                                             noteOn(100, 0, 62), noteOff(200, 0, 60)};
    EXPECT_EQ(back.file->tracks[0].events, expected);
}

// Random files of every channel message kind and some meta events read back unchanged.
TEST(SmfWriter, RandomFilesRoundTrip) {
    std::mt19937 random(6);
    const uint8_t kinds[] = {kNoteOff,       kNoteOn,          kPolyPressure, kControlChange,
                             kProgramChange, kChannelPressure, kPitchBend};
    for (int round = 0; round < 40; ++round) {
        SmfFile file;
        file.format = round % 3 == 0 ? 0 : 1;
        file.division.raw = static_cast<uint16_t>(24 + random() % 960);
        file.tracks.resize(file.format == 0 ? 1 : 1 + random() % 5);
        for (SmfTrack& track : file.tracks) {
            uint32_t tick = 0;
            const int count = static_cast<int>(random() % 200);
            for (int i = 0; i < count; ++i) {
                tick += random() % 4 == 0
                            ? 0
                            : static_cast<uint32_t>(random() % (1u << (random() % 22)));
                if (random() % 10 == 0) {
                    std::string payload(random() % 300, '\0');
                    for (char& c : payload)
                        c = static_cast<char>(random());
                    // Any type but the end of the track, which the writer adds itself.
                    const auto type = static_cast<uint8_t>(random() % 0x2F);
                    track.events.push_back(MidiEvent::meta(tick, type, payload));
                } else {
                    track.events.push_back(MidiEvent::channelMessage(
                        tick, kinds[random() % 7], random() % 16, random() % 128, random() % 128));
                }
            }
            track.endTick = tick + static_cast<uint32_t>(random() % 1000);
        }
        const SmfReadResult back = readSmf(writeSmf(file));
        ASSERT_TRUE(back.file) << back.error;
        EXPECT_EQ(back.file->format, file.format);
        EXPECT_EQ(back.file->division.raw, file.division.raw);
        ASSERT_EQ(back.file->tracks.size(), file.tracks.size());
        for (size_t t = 0; t < file.tracks.size(); ++t) {
            EXPECT_EQ(back.file->tracks[t].events, file.tracks[t].events) << round << "/" << t;
            EXPECT_EQ(back.file->tracks[t].endTick, file.tracks[t].endTick);
        }
    }
}

} // namespace
} // namespace sarvo::sound
