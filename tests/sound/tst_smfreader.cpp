#include "smftesting.h"
#include "sound/smfreader.h"

#include <gtest/gtest.h>

namespace sarvo::sound {
namespace {

using testing::header;
using testing::hexBytes;
using testing::trackChunk;

TEST(SmfReader, ReadsRunningStatusMetaAndSkipsSysEx) {
    // [GIVEN] one track: tempo, a note-on, a second note-on by running status, a SysEx, a
    // note-off by running status after it, a program change, then the end of the track
    const std::string bytes =
        header(0, 1, 96) + trackChunk(hexBytes("00 FF 51 03 07 A1 20" // tempo 500000
                                               "00 90 3C 64"          // note-on C4
                                               "60 40 50"             // running status
                                               "00 F0 03 7E 09 F7"    // SysEx, skipped
                                               "10 3C 00"             // running note-on vel 0
                                               "00 C1 05"             // program change
                                               "20 FF 2F 00"));
    // [WHEN] reading it
    const SmfReadResult result = readSmf(bytes);
    // [THEN] the events come out at absolute ticks, the SysEx is gone
    ASSERT_TRUE(result.file) << result.error;
    const SmfFile& file = *result.file;
    EXPECT_EQ(file.format, 0);
    EXPECT_EQ(file.division.ticksPerQuarter(), 96);
    ASSERT_EQ(file.tracks.size(), 1u);
    const std::vector<MidiEvent>& events = file.tracks[0].events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_TRUE(events[0].isMeta(kMetaTempo));
    EXPECT_EQ(events[1], testing::noteOn(0, 0, 0x3C, 0x64));
    EXPECT_EQ(events[2], testing::noteOn(0x60, 0, 0x40, 0x50));
    EXPECT_TRUE(events[3].isNoteOff());
    EXPECT_EQ(events[3].tick, 0x70u);
    EXPECT_EQ(events[4], MidiEvent::channelMessage(0x70, kProgramChange, 1, 5));
    EXPECT_EQ(file.tracks[0].endTick, 0x90u);
}

TEST(SmfReader, SkipsForeignChunksAndReadsRiffWrappedFiles) {
    const std::string smf = header(1, 1, 480) + "XFIH" + std::string("\0\0\0\2ab", 6) +
                            trackChunk(hexBytes("00 90 40 40 00 FF 2F 00"));
    std::string riff = "RIFF" + std::string(4, '\0') + "RMID" + "data";
    const auto n = static_cast<uint32_t>(smf.size());
    for (int i = 0; i < 4; ++i)
        riff.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    riff += smf;
    for (const std::string& bytes : {smf, riff}) {
        const SmfReadResult result = readSmf(bytes);
        ASSERT_TRUE(result.file) << result.error;
        ASSERT_EQ(result.file->tracks.size(), 1u);
        EXPECT_TRUE(result.file->tracks[0].events.at(0).isNoteOn());
    }
}

TEST(SmfReader, DamagedFilesGiveErrorsNamingThePlace) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string errorPart;
    };
    const std::string ok = hexBytes("00 90 40 40 00 FF 2F 00");
    const std::vector<Case> cases = {
        {"empty", "", "no MThd header"},
        {"wrong magic", "RIFX0000", "no MThd header"},
        {"short header", "MThd" + hexBytes("00 00 00 04 00 00 00 01"), "damaged MThd"},
        {"format 2", header(2, 1, 96) + trackChunk(ok), "format 2 is not supported"},
        {"format 0 with two tracks", header(0, 2, 96) + trackChunk(ok) + trackChunk(ok),
         "must hold one track"},
        {"zero division", header(1, 1, 0) + trackChunk(ok), "invalid time division"},
        {"missing track", header(1, 2, 96) + trackChunk(ok),
         "announces 2 tracks, the file holds 1"},
        {"chunk past the end", header(1, 1, 96) + "MTrk" + hexBytes("00 00 01 00") + ok,
         "bytes long, the file ends after 8"},
        {"data byte without status", header(1, 1, 96) + trackChunk(hexBytes("00 40 40")),
         "track 1: data byte 0x40 without a running status at byte 23"},
        {"truncated note", header(1, 1, 96) + trackChunk(hexBytes("00 90 40")),
         "track 1: truncated channel message at byte 23"},
        {"truncated meta", header(1, 1, 96) + trackChunk(hexBytes("00 FF 03 05 41 42")),
         "truncated meta event"},
        {"truncated sysex", header(1, 1, 96) + trackChunk(hexBytes("00 F0 05 01")),
         "truncated system-exclusive"},
        {"five-byte delta", header(1, 1, 96) + trackChunk(hexBytes("81 81 81 81 01 90 40 40")),
         "damaged delta time at byte 22"},
        {"realtime status", header(1, 1, 96) + trackChunk(hexBytes("00 F8")),
         "status byte 0xF8 not allowed"},
        {"data above 7F", header(1, 1, 96) + trackChunk(hexBytes("00 90 40 90")),
         "data byte above 0x7F"},
        {"track too long",
         header(1, 1, 96) + trackChunk(hexBytes("FF FF FF 7F 90 40 40 01 80 40 40")),
         "track 1: track longer than 268435455 ticks at byte 29"},
        {"second track damaged", header(1, 2, 96) + trackChunk(ok) + trackChunk(hexBytes("00 C0")),
         "track 2: truncated channel message"},
    };
    for (const Case& c : cases) {
        const SmfReadResult result = readSmf(c.bytes);
        EXPECT_FALSE(result.file) << c.name;
        EXPECT_NE(result.error.find(c.errorPart), std::string::npos)
            << c.name << ": " << result.error;
    }
}

TEST(SmfReader, AcceptsTrackWithoutEndEvent) {
    const SmfReadResult result =
        readSmf(header(1, 1, 96) + trackChunk(hexBytes("00 90 40 40 30 80 40 00")));
    ASSERT_TRUE(result.file) << result.error;
    EXPECT_EQ(result.file->tracks[0].events.size(), 2u);
    EXPECT_EQ(result.file->tracks[0].endTick, 0x30u);
}

} // namespace
} // namespace sarvo::sound
