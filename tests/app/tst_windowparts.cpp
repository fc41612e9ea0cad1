// The parts of the main window that work without one: the song being edited over a real library
// in a temporary folder, where the window's commands do not reach (a save without a way to name
// the melody, loading the current song again, deleting another song, the folder the Folder
// command shows, the author of a named song); what the sound output takes from the preferences;
// and the arithmetic of the window placement.

#include "../common/tempfolder.h"
#include "app/songsession.h"
#include "app/soundsettings.h"
#include "app/windowplacement.h"
#include "library/songlibrary.h"
#include "melody/notecodes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <tuple>

namespace sarvo::app {
namespace {

class SongSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        store(u"一番", u"C中ド ");
        store(u"二番", u"D中レ ");
    }

    void store(const std::u16string& name, const std::u16string& melody) {
        melody::ParserState state;
        RecordingInteractive quiet;
        const auto info = library::newSongInfo({name}, u"", std::chrono::system_clock::now());
        ASSERT_TRUE(m_library.saveSong(info, melody, {}, state, quiet).ok());
    }

    testing::TempFolder m_root;
    RecordingInteractive m_ui;
    melody::ParserState m_state;
    library::SongLibrary m_library{library::LibraryFolders(m_root.path())};
    SongSession m_session{m_library, m_ui, m_state};
};

// Without a song name and without a namer nothing can be saved: Yes keeps the melody unsaved.
TEST_F(SongSessionTest, AnUnnamedMelodyWithoutANamerIsNotSaved) {
    m_session.setSavedMelody(u"C中ド ");
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_FALSE(m_session.settleChanges(u"C中ド E中ミ "));
    EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{u"「」を保存しますか？"});
    EXPECT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_library.listSongs().size(), 2u);
}

// Loading the current song again or a missing one does nothing; deleting another keeps it.
TEST_F(SongSessionTest, LoadingAgainOrAMissingSongOrDeletingAnotherKeepsTheCurrentOne) {
    ASSERT_TRUE(m_session.load(u"二番", u""));
    EXPECT_EQ(m_session.savedMelody(), u"D中レ ");
    EXPECT_FALSE(m_session.load(u"二番", u"D中レ "));
    EXPECT_FALSE(m_session.load(u"ない曲", u"D中レ "));
    EXPECT_EQ(m_session.currentName(), u"二番");
    EXPECT_TRUE(m_ui.questions().empty());
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_TRUE(m_session.remove(u"一番"));
    EXPECT_FALSE(std::filesystem::exists(m_library.songFile(u"一番")));
    EXPECT_EQ(m_session.currentName(), u"二番");
}

TEST_F(SongSessionTest, TheFolderShownIsTheSongsGuideFolderWhenItExists) {
    EXPECT_EQ(m_session.folderToShow(), m_library.folders().textFolder());
    ASSERT_TRUE(m_session.load(u"二番", u""));
    const std::filesystem::path songFolder = m_library.guideFolder(u"二番");
    std::filesystem::remove_all(songFolder);
    EXPECT_EQ(m_session.folderToShow(), m_library.folders().textFolder());
    std::filesystem::create_directories(songFolder);
    EXPECT_EQ(m_session.folderToShow(), songFolder);
}

TEST_F(SongSessionTest, ANamedSongKeepsItsAuthorAndTheNewOneIsTheUsers) {
    m_session.setUserName(u"わたし");
    const library::SongProperties properties{u"三番"};
    ASSERT_TRUE(m_session.create(properties, u"C中ド ").ok());
    EXPECT_EQ(m_session.current()->from, u"わたし");
    // The new song holds the melody it named.
    EXPECT_FALSE(m_session.isChanged(u"C中ド "));
    // Saved again by another user under the same name, the song stays the first user's.
    m_session.setUserName(u"ほかの人");
    ASSERT_TRUE(m_session.saveAs(properties, u"C中ド D中レ ").ok());
    EXPECT_EQ(m_library.loadSong(u"三番")->info.from, u"わたし");
    EXPECT_EQ(m_library.loadSong(u"三番")->melody, u"C中ド D中レ ");
}

TEST(PlaybackTiming, AQuarterNoteLastsItsInterval) {
    // Tempo 100 in quarters: 0.6 s a quarter; k 15 shortens by 6/7: 514 ms. Tempo 150 in
    // eighths is a quarter of 0.8 s; k 20 halves it. Tempo 120 in dotted quarters makes a
    // quarter 333 ms. An unusable tempo note keeps the default unit.
    const struct {
        int tempo;
        const char16_t* tempoNote;
        int tempoBase;
        int quarterMs; // R(R(quarter seconds × 1000) ÷ (1 + 1 ÷ (21 − k)))
    } cases[] = {{100, u"C", 15, 514},
                 {150, u"D", 20, 400},
                 {120, u"C.", 15, 285},
                 {100, u"X", 15, 514},
                 {60, u"C", 0, 955}};
    for (const auto& c : cases) {
        settings::Preferences preferences;
        preferences.tempo = c.tempo;
        preferences.tempoNote = c.tempoNote;
        preferences.tempoBase = c.tempoBase;
        EXPECT_EQ(playbackTiming(preferences).intervalMs(melody::lengthTicks(u'C', false)),
                  c.quarterMs)
            << c.tempo << " " << c.tempoBase;
    }
}

TEST(SongProgram, ReadsANumberFromZeroTo127) {
    const struct {
        const char16_t* text;
        std::optional<int> program;
    } cases[] = {{u"0", 0}, {u"7", 7},       {u"127", 127}, {u"128", {}},
                 {u"", {}}, {u"ピアノ", {}}, {u"-1", {}},   {u"0127", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(songProgram(c.text), c.program) << "row " << &c - cases;
}

// 15 twips a pixel at 96 dpi, the window test's; the same inch at other resolutions.
TEST(WindowPlacement, TwipsBothWaysAndTheCentreOfAnArea) {
    for (const auto& [pixels, dpi, twips] :
         {std::tuple{1, 96.0, 15}, {120, 120.0, 1440}, {100, 144.0, 1000}}) {
        EXPECT_EQ(pixelsToTwips(pixels, dpi), twips) << pixels << " px at " << dpi;
        EXPECT_EQ(twipsToPixels(twips, dpi), pixels) << pixels << " px at " << dpi;
    }
    // A second screen to the right, its area below a top panel; a window larger than the area
    // overlaps it evenly on both sides.
    EXPECT_EQ(centredPosition(1920, 32, 1280, 992, 640, 480), (Point{2240, 288}));
    EXPECT_EQ(centredPosition(0, 0, 800, 600, 1000, 700), (Point{-100, -50}));
}

} // namespace
} // namespace sarvo::app
