// The file reader compared with midicsv, an independent reader, on real MIDI files shipped by
// Debian (the openttd-openmsx music set) and on the reference file the writer's bytes match.

#include "midicsv.h"
#include "sound/smfreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace sarvo::sound {
namespace {

namespace fs = std::filesystem;
using testing::CsvRecord;

const fs::path kRealCorpus = "/usr/share/games/openttd/baseset/openmsx";

std::vector<fs::path> realMidiFiles() {
    std::vector<fs::path> files;
    if (fs::is_directory(kRealCorpus))
        for (const fs::directory_entry& entry : fs::directory_iterator(kRealCorpus))
            if (entry.path().extension() == ".mid")
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// clang-format off
const std::map<std::string, int> kMetaTypes = {
    {"Sequence_number", 0x00}, {"Text_t", 0x01}, {"Copyright_t", 0x02}, {"Title_t", 0x03},
    {"Instrument_name_t", 0x04}, {"Lyric_t", 0x05}, {"Marker_t", 0x06}, {"Cue_point_t", 0x07},
    {"Channel_prefix", 0x20}, {"MIDI_port", 0x21}, {"Tempo", 0x51}, {"SMPTE_offset", 0x54},
    {"Time_signature", 0x58}, {"Key_signature", 0x59}, {"Sequencer_specific", 0x7F}};

const std::map<std::string, uint8_t> kChannelKinds = {
    {"Note_off_c", kNoteOff}, {"Note_on_c", kNoteOn}, {"Poly_aftertouch_c", kPolyPressure},
    {"Control_c", kControlChange}, {"Program_c", kProgramChange},
    {"Channel_aftertouch_c", kChannelPressure}, {"Pitch_bend_c", kPitchBend}};
// clang-format on

// One event written as text in a form both sides can produce: channel messages with all their
// values, tempo with its value, other meta events by type only.
std::string describe(int track, uint32_t tick, const MidiEvent& e) {
    std::string out = std::to_string(track) + "@" + std::to_string(tick) + " ";
    if (e.isChannel())
        return out + "ch" + std::to_string(e.status) + " " + std::to_string(e.data1) + " " +
               std::to_string(e.data2);
    out += "meta" + std::to_string(e.data1);
    if (e.data1 == kMetaTempo && e.metaData.size() == 3)
        out += " " + std::to_string((static_cast<uint8_t>(e.metaData[0]) << 16) |
                                    (static_cast<uint8_t>(e.metaData[1]) << 8) |
                                    static_cast<uint8_t>(e.metaData[2]));
    return out;
}

std::string describe(const CsvRecord& r) {
    const std::string where = std::to_string(r.track) + "@" + std::to_string(r.tick) + " ";
    const auto number = [&](size_t i) {
        return std::stoi(r.fields.at(i));
    };
    if (auto kind = kChannelKinds.find(r.type); kind != kChannelKinds.end()) {
        const int status = kind->second | number(0);
        if (r.type == "Pitch_bend_c")
            return where + "ch" + std::to_string(status) + " " + std::to_string(number(1) & 0x7F) +
                   " " + std::to_string(number(1) >> 7);
        const int data2 = r.fields.size() > 2 ? number(2) : 0;
        return where + "ch" + std::to_string(status) + " " + std::to_string(number(1)) + " " +
               std::to_string(data2);
    }
    if (r.type == "Tempo")
        return where + "meta81 " + r.fields.at(0);
    if (r.type == "Unknown_meta_event")
        return where + "meta" + std::to_string(number(0));
    return where + "meta" + std::to_string(kMetaTypes.at(r.type));
}

// Compares the reader's events and track ends with midicsv's for one file.
void expectSameAsMidicsv(const fs::path& path) {
    const SmfReadResult ours = readSmfFile(path);
    ASSERT_TRUE(ours.file) << ours.error;
    std::vector<std::string> expected, actual;
    std::map<int, long long> expectedEnds;
    int header = 0;
    for (const CsvRecord& r : testing::midicsvRecords(path)) {
        if (r.type == "Header") {
            ++header;
            EXPECT_EQ(std::stoi(r.fields.at(0)), ours.file->format) << path;
            EXPECT_EQ(std::stoul(r.fields.at(1)), ours.file->tracks.size()) << path;
            EXPECT_EQ(std::stoi(r.fields.at(2)), ours.file->division.raw) << path;
        } else if (r.type == "End_track") {
            expectedEnds[r.track] = r.tick;
        } else if (r.type != "Start_track" && r.type != "End_of_file" &&
                   r.type != "System_exclusive" && r.type != "System_exclusive_packet") {
            expected.push_back(describe(r));
        }
    }
    ASSERT_EQ(header, 1) << "midicsv could not read " << path;
    for (size_t t = 0; t < ours.file->tracks.size(); ++t) {
        const SmfTrack& track = ours.file->tracks[t];
        for (const MidiEvent& e : track.events)
            actual.push_back(describe(static_cast<int>(t) + 1, e.tick, e));
        if (expectedEnds.count(static_cast<int>(t) + 1)) {
            EXPECT_EQ(track.endTick, expectedEnds[static_cast<int>(t) + 1]) << path << " " << t;
        }
    }
    EXPECT_EQ(actual, expected) << path;
}

TEST(SmfCrossCheck, RealFilesFromDebianReadAsMidicsvReadsThem) {
    ASSERT_TRUE(testing::hasMidicsv()) << "midicsv is missing: run scripts/install-deps";
    const std::vector<fs::path> files = realMidiFiles();
    ASSERT_GE(files.size(), 20u) << "the openttd-openmsx music set is missing: run "
                                    "scripts/install-deps";
    for (const fs::path& file : files)
        expectSameAsMidicsv(file);
    // and the reference file of the MML compiler's test, which the writer's bytes must match
    expectSameAsMidicsv(fs::path(SARVO_SOURCE_DIR) / "tests/sound/data/chord.mid");
}

} // namespace
} // namespace sarvo::sound
