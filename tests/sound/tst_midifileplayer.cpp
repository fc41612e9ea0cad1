#include "../common/tempfolder.h"
#include "sound/midifileplayer.h"
#include "sound/recordingmidioutput.h"
#include "sound/smfwriter.h"
#include "soundtesting.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sarvo::sound {
namespace {

// Forwards to a shared recorder and counts how often the port was opened and closed.
struct PortLog {
    explicit PortLog(const IClock* clock = nullptr)
        : recorder(clock) {}
    RecordingMidiOutput recorder;
    int opens = 0, closes = 0;
};

struct LoggedOutput final : IMidiOutput {
    explicit LoggedOutput(PortLog& portLog)
        : log(portLog) {
        ++log.opens;
    }
    ~LoggedOutput() override { ++log.closes; }
    void sendShortMessage(uint32_t message) override { log.recorder.sendShortMessage(message); }
    void reset() override { log.recorder.reset(); }
    PortLog& log;
};

std::vector<MidiPortEntry> loggedPorts(PortLog& log) {
    return {{u"(標準)", "test", 0, [&log] {
                 return OpenedOutput{std::make_unique<LoggedOutput>(log), {}};
             }}};
}

// The file's messages, and the note-off with which the player silences a note.
constexpr uint32_t kProgram5 = shortMessage(0xC0, 5);
constexpr uint32_t kVolume = shortMessage(0xB0, 7, 90);
constexpr uint32_t kOn60 = shortMessage(0x90, 60, 100), kOff60 = shortMessage(0x80, 60, 64);
constexpr uint32_t kOn64 = shortMessage(0x90, 64, 100), kOff64 = shortMessage(0x80, 64, 64);
constexpr uint32_t kSilenced60 = shortMessage(0x80, 60, 0), kSilenced64 = shortMessage(0x80, 64, 0);

// 480 ticks a quarter at 480000 µs a quarter: one tick is one millisecond. Two notes, a program
// change and a volume change; the track ends at 2000 ms.
SmfFile twoNoteFile() {
    SmfFile file;
    file.format = 0;
    file.division.raw = 480;
    file.tracks.push_back(
        {{MidiEvent::tempo(0, 480000), MidiEvent::channelMessage(0, kProgramChange, 0, 5),
          MidiEvent::channelMessage(0, kNoteOn, 0, 60, 100),
          MidiEvent::channelMessage(500, kNoteOff, 0, 60, 64),
          MidiEvent::channelMessage(600, kControlChange, 0, 7, 90),
          MidiEvent::channelMessage(1000, kNoteOn, 0, 64, 100),
          MidiEvent::channelMessage(1500, kNoteOff, 0, 64, 64)},
         2000});
    return file;
}

struct Action {
    enum Kind { Play, Stop, Seek, Reach } kind;
    int ms = 0;
};

struct PlayerCase {
    const char* name;
    std::vector<Action> actions;
    std::vector<Sent> expected;
};

class MidiFilePlayerTest : public ::testing::TestWithParam<PlayerCase> {};

TEST_P(MidiFilePlayerTest, SendsTheFileOnTime) {
    // [GIVEN] the file opened on the selected port
    ManualClock clock;
    const TimePoint start = clock.now();
    PortLog log(&clock);
    RecordingInteractive ui;
    MidiOutputPort port(ui, loggedPorts(log));
    MidiFilePlayer player(port, clock);
    ASSERT_TRUE(player.open(twoNoteFile())) << player.lastError();

    // [WHEN] it is played, stopped and moved as listed, the driver ticking on time
    std::optional<TimePoint> due;
    for (const Action& a : GetParam().actions) {
        switch (a.kind) {
        case Action::Play:
            player.play();
            due = player.tick(clock.now());
            break;
        case Action::Stop: player.stop(); break;
        case Action::Seek: EXPECT_TRUE(player.seek(a.ms)); break;
        case Action::Reach:
            while (due && *due <= start + Milliseconds(a.ms)) {
                clock.setNow(*due);
                due = player.tick(clock.now());
            }
            clock.setNow(start + Milliseconds(a.ms));
            break;
        }
    }

    EXPECT_EQ(sentSince(log.recorder, start), GetParam().expected);
}

using A = Action;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Schedules, MidiFilePlayerTest, ::testing::Values(
    PlayerCase{"plays_and_loops", {{A::Play}, {A::Reach, 2600}},
               {{kProgram5, 0}, {kOn60, 0}, {kOff60, 500}, {kVolume, 600}, {kOn64, 1000},
                {kOff64, 1500}, {kProgram5, 2000}, {kOn60, 2000}, {kOff60, 2500}, {kVolume, 2600}}},
    // stopping silences the sounding note; playing again goes on from where it stopped
    PlayerCase{"play_after_stop_goes_on_from_the_position",
               {{A::Play}, {A::Reach, 200}, {A::Stop}, {A::Reach, 1000}, {A::Play}, {A::Reach, 1300}},
               {{kProgram5, 0}, {kOn60, 0}, {kSilenced60, 200}, {kProgram5, 1000}, {kOff60, 1300}}},
    PlayerCase{"seek_sends_the_settings_before_the_position",
               {{A::Seek, 1200}, {A::Play}, {A::Reach, 1400}},
               {{kProgram5, 0}, {kVolume, 0}, {kOff64, 300}, {kProgram5, 800}, {kOn60, 800},
                {kOff60, 1300}, {kVolume, 1400}}},
    PlayerCase{"seek_while_playing_stops",
               {{A::Play}, {A::Reach, 1100}, {A::Seek, 100}, {A::Reach, 4000}},
               {{kProgram5, 0}, {kOn60, 0}, {kOff60, 500}, {kVolume, 600}, {kOn64, 1000},
                {kSilenced64, 1100}}}),
    CaseName());
// clang-format on

// Length, position and mode; a seek within the file's length only. Loading releases the note
// output (reset and closed) for an output of the player's own, a file that cannot be read is told
// to the user, and unloading gives the note output back.
TEST(MidiFilePlayer, ReportsTheFileAndTakesTheNoteOutputWhileLoaded) {
    const testing::TempFolder dir;
    const std::filesystem::path file = dir.path() / "Sarvo.mid";
    ASSERT_EQ(writeSmfFile(file, twoNoteFile()), "");
    ManualClock clock;
    PortLog log;
    RecordingInteractive ui;
    MidiOutputPort port(ui, loggedPorts(log));
    ASSERT_TRUE(port.open(0));
    MidiFilePlayer player(port, clock);
    EXPECT_FALSE(player.play());
    EXPECT_FALSE(player.load(dir.path() / "missing.mid", ui));
    EXPECT_EQ(ui.messages(), std::vector{std::u16string(kChordPlaybackFailedMessage)});
    EXPECT_FALSE(player.lastError().empty());
    EXPECT_EQ(player.mode(), "");

    ASSERT_TRUE(player.load(file, ui));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(std::pair(log.opens, log.closes), std::pair(2, 1));
    EXPECT_TRUE(log.recorder.sent().front().isReset);
    EXPECT_EQ(player.length(), 2000);
    clock.advance(Milliseconds(700));
    EXPECT_EQ(std::pair(player.mode(), player.position()), std::pair(kModePlaying, int64_t{700}));
    EXPECT_FALSE(player.seek(2001));
    EXPECT_FALSE(player.seek(-1));
    EXPECT_TRUE(player.seek(2000));
    EXPECT_EQ(std::pair(player.mode(), player.position()), std::pair(kModeStopped, int64_t{2000}));

    player.unload();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(player.mode(), "");
    EXPECT_EQ(std::pair(log.opens, log.closes), std::pair(3, 2));
    EXPECT_EQ(ui.messages().size(), 1u);
}

} // namespace
} // namespace sarvo::sound
