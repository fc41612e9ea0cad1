// The MIDI file reader and writer on bytes written as hex text, and the tempo map.

#include "smftesting.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"
#include "sound/tempomap.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

namespace sarvo::sound {
namespace {

using testing::noteOff;
using testing::noteOn;

// "4D 54 68 64" to the bytes it spells; blanks between bytes are optional.
std::string hexBytes(std::string_view hex) {
    std::string digits, out;
    for (char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

// A header chunk for the given format, track count and ticks per quarter.
std::string header(int format, int tracks, int division) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "00000006 %04X %04X %04X", format, tracks, division);
    return "MThd" + hexBytes(hex);
}

// An MTrk chunk around the given event bytes.
std::string trackChunk(std::string_view data) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08zX", data.size());
    return "MTrk" + hexBytes(hex) + std::string(data);
}

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
    const SmfReadResult result = readSmf(bytes);
    // [THEN] the events come out at absolute ticks, the SysEx is gone
    ASSERT_TRUE(result.file) << result.error;
    const SmfFile& file = *result.file;
    EXPECT_EQ(std::pair(int{file.format}, int{file.division.ticksPerQuarter()}), std::pair(0, 96));
    ASSERT_EQ(file.tracks.size(), 1u);
    const std::vector<MidiEvent> expected = {MidiEvent::tempo(0, 500000), noteOn(0, 0, 0x3C, 0x64),
                                             noteOn(0x60, 0, 0x40, 0x50), noteOn(0x70, 0, 0x3C, 0),
                                             MidiEvent::channelMessage(0x70, kProgramChange, 1, 5)};
    EXPECT_EQ(file.tracks[0].events, expected);
    EXPECT_TRUE(file.tracks[0].events[3].isNoteOff());
    EXPECT_EQ(file.tracks[0].endTick, 0x90u);
    // a track without its end event ends at its last event
    const SmfReadResult unended =
        readSmf(header(1, 1, 96) + trackChunk(hexBytes("00 90 40 40 30 80 40 00")));
    ASSERT_TRUE(unended.file) << unended.error;
    EXPECT_EQ(unended.file->tracks[0].endTick, 0x30u);
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
    using Case = std::tuple<const char*, std::string, std::string>;
    const std::string ok = hexBytes("00 90 40 40 00 FF 2F 00");
    const auto track = [](const char* hex) {
        return header(1, 1, 96) + trackChunk(hexBytes(hex));
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"empty", "", "no MThd header"},
        {"wrong magic", "RIFX0000", "no MThd header"},
        {"short header", "MThd" + hexBytes("00 00 00 04 00 00 00 01"), "damaged MThd"},
        {"format 2", header(2, 1, 96) + trackChunk(ok), "format 2 is not supported"},
        {"format 0 with two tracks", header(0, 2, 96) + trackChunk(ok) + trackChunk(ok), "must hold one track"},
        {"zero division", header(1, 1, 0) + trackChunk(ok), "invalid time division"},
        {"missing track", header(1, 2, 96) + trackChunk(ok), "announces 2 tracks, the file holds 1"},
        {"chunk past the end", header(1, 1, 96) + "MTrk" + hexBytes("00 00 01 00") + ok,
         "bytes long, the file ends after 8"},
        {"data byte without status", track("00 40 40"),
         "track 1: data byte 0x40 without a running status at byte 23"},
        {"truncated note", track("00 90 40"), "track 1: truncated channel message at byte 23"},
        {"truncated meta", track("00 FF 03 05 41 42"), "truncated meta event"},
        {"truncated sysex", track("00 F0 05 01"), "truncated system-exclusive"},
        {"five-byte delta", track("81 81 81 81 01 90 40 40"), "damaged delta time at byte 22"},
        {"realtime status", track("00 F8"), "status byte 0xF8 not allowed"},
        {"data above 7F", track("00 90 40 90"), "data byte above 0x7F"},
        {"track too long", track("FF FF FF 7F 90 40 40 01 80 40 40"),
         "track 1: track longer than 268435455 ticks at byte 29"},
        {"second track damaged", header(1, 2, 96) + trackChunk(ok) + trackChunk(hexBytes("00 C0")),
         "track 2: truncated channel message"},
    };
    // clang-format on
    for (const auto& [name, bytes, errorPart] : cases) {
        const SmfReadResult result = readSmf(bytes);
        EXPECT_FALSE(result.file) << name;
        EXPECT_NE(result.error.find(errorPart), std::string::npos) << name << ": " << result.error;
    }
}

// Written as the format has them and read back as delta times.
TEST(SmfWriter, VariableLengthQuantities) {
    using Case = std::tuple<uint32_t, const char*>;
    // clang-format off
    const std::vector<Case> cases = {
        {0, "00"}, {0x40, "40"}, {0x7F, "7F"}, {0x80, "81 00"}, {0x2000, "C0 00"}, {0x3FFF, "FF 7F"},
        {0x4000, "81 80 00"}, {0x1FFFFF, "FF FF 7F"}, {0x200000, "81 80 80 00"},
        {0x0FFFFFFF, "FF FF FF 7F"}};
    // clang-format on
    for (const auto& [value, hex] : cases) {
        std::string out;
        appendVlq(out, value);
        EXPECT_EQ(out, hexBytes(hex)) << value;
        const SmfReadResult read =
            readSmf(header(0, 1, 480) + trackChunk(out + hexBytes("90 40 40 00 FF 2F 00")));
        ASSERT_TRUE(read.file) << hex << ": " << read.error;
        EXPECT_EQ(read.file->tracks[0].events.at(0).tick, value) << hex;
    }
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

SmfFile fileWithTempos(uint16_t division, std::vector<MidiEvent> conductor) {
    SmfFile file;
    file.division.raw = division;
    file.tracks = {{std::move(conductor)}, {{noteOn(0, 0, 60), noteOff(960, 0, 60)}}};
    return file;
}

// 120 per minute, 60 from tick 960, 240 from tick 1440; of two tempi at one tick the later wins;
// SMPTE time (25 frames of 40 ticks, 1000 ticks a second) ignores tempo.
TEST(TempoMap, ConvertsTicksToMicrosecondsAndBack) {
    const std::vector<MidiEvent> changes = {MidiEvent::tempo(960, 1000000),
                                            MidiEvent::tempo(1440, 250000)};
    const std::vector<MidiEvent> twoAtZero = {MidiEvent::tempo(0, 400000),
                                              MidiEvent::tempo(0, 800000)};
    const auto smpte = static_cast<uint16_t>((0xE7 << 8) | 40);
    using Row = std::tuple<uint16_t, std::vector<MidiEvent>, uint32_t, double>;
    // clang-format off
    for (const auto& [division, conductor, tick, microseconds] : std::vector<Row>{
             {480, changes, 0, 0}, {480, changes, 480, 500000}, {480, changes, 960, 1000000},
             {480, changes, 1200, 1500000}, {480, changes, 1440, 2000000},
             {480, changes, 1920, 2250000}, {96, {}, 96, 500000}, {96, twoAtZero, 96, 800000},
             {smpte, {MidiEvent::tempo(0, 100)}, 1500, 1500000}}) {
        // clang-format on
        const TempoMap map(fileWithTempos(division, conductor));
        EXPECT_DOUBLE_EQ(map.microsecondsAt(tick), microseconds) << tick;
        EXPECT_DOUBLE_EQ(map.ticksAt(microseconds), tick) << tick;
    }
    const TempoMap map(fileWithTempos(480, changes));
    EXPECT_EQ(map.changes().size(), 3u);
    for (const auto& [tick, tempo] : {std::pair{959u, 500000u}, {960u, 1000000u}, {1920u, 250000u}})
        EXPECT_EQ(map.microsecondsPerQuarterAt(tick), tempo) << tick;
}

TEST(Timeline, MergesTracksInTimeOrderKeepingTrackOrderAtEqualTicks) {
    SmfFile file = fileWithTempos(480, {MidiEvent::tempo(0, 1000000)});
    file.tracks.push_back({{noteOn(0, 1, 50), noteOff(480, 1, 50)}, 480});
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
