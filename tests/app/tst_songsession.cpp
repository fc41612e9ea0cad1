// The song being edited over a real library in a temporary folder: the save question and its
// answers, loading, deleting, the folder the Folder command shows, and naming, renaming and
// saving under the names the song-properties dialog gives.

#include "app/songsession.h"
#include "library/songlibrary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using sarvo::Answer;
using sarvo::RecordingInteractive;
using sarvo::app::SongSession;
using sarvo::library::LibraryFolders;
using sarvo::library::SongLibrary;

class SongSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        m_root = std::filesystem::temp_directory_path() /
                 ("sarvo-session-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(m_root);
        m_library = std::make_unique<SongLibrary>(LibraryFolders(m_root));
        m_session = std::make_unique<SongSession>(*m_library, m_ui, m_state);
        store(u"一番", u"C中ド ");
        store(u"二番", u"D中レ ");
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    void store(const std::u16string& name, const std::u16string& melody) {
        sarvo::library::SongProperties properties;
        properties.name = name;
        sarvo::melody::ParserState state;
        RecordingInteractive quiet;
        ASSERT_TRUE(m_library
                        ->saveSong(sarvo::library::newSongInfo(properties, u"",
                                                               std::chrono::system_clock::now()),
                                   melody, {}, state, quiet)
                        .ok());
    }

    std::filesystem::path m_root;
    RecordingInteractive m_ui;
    sarvo::melody::ParserState m_state;
    std::unique_ptr<SongLibrary> m_library;
    std::unique_ptr<SongSession> m_session;
};

TEST_F(SongSessionTest, LoadingTheCurrentSongAgainDoesNothing) {
    ASSERT_TRUE(m_session->load(u"一番", u""));
    EXPECT_EQ(m_session->currentName(), u"一番");
    EXPECT_EQ(m_session->savedMelody(), u"C中ド ");
    EXPECT_FALSE(m_session->load(u"一番", u"C中ド "));
    EXPECT_FALSE(m_session->load(u"ない曲", u"C中ド "));
    EXPECT_EQ(m_session->currentName(), u"一番");
    EXPECT_TRUE(m_ui.questions().empty());
}

struct SettleCase {
    const char* name;
    bool withSong;
    bool changed;
    std::vector<Answer> answers;
    bool settled;
    size_t questions;
    size_t messages;
    const char16_t* stored; // 一番's melody afterwards
};

void PrintTo(const SettleCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class SettleTest : public SongSessionTest, public ::testing::WithParamInterface<SettleCase> {};

TEST_P(SettleTest, AsksOnlyForAChangedMelody) {
    const SettleCase& testCase = GetParam();
    if (testCase.withSong) {
        ASSERT_TRUE(m_session->load(u"一番", u""));
    } else {
        m_session->setSavedMelody(u"C中ド ");
    }
    for (const Answer answer : testCase.answers)
        m_ui.queueAnswer(answer);
    const std::u16string melody = testCase.changed ? u"C中ド E中ミ " : u"C中ド ";
    EXPECT_EQ(m_session->settleChanges(melody), testCase.settled);
    EXPECT_EQ(m_ui.questions().size(), testCase.questions);
    EXPECT_EQ(m_ui.messages().size(), testCase.messages);
    if (testCase.questions > 0) {
        EXPECT_EQ(m_ui.questions().front(),
                  u"「" + m_session->currentName() + u"」を保存しますか？");
    }
    EXPECT_EQ(m_library->loadSong(u"一番")->melody, testCase.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SettleTest,
    ::testing::Values(SettleCase{"Unchanged", true, false, {}, true, 0, 0, u"C中ド "},
                      SettleCase{"Yes", true, true, {Answer::Yes}, true, 1, 0, u"C中ド E中ミ "},
                      SettleCase{"No", true, true, {Answer::No}, true, 1, 0, u"C中ド "},
                      SettleCase{"Cancel", true, true, {Answer::Cancel}, false, 1, 0, u"C中ド "},
                      // Without a song name nothing can be saved: the melody stays.
                      SettleCase{
                          "YesWithoutName", false, true, {Answer::Yes}, false, 1, 1, u"C中ド "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongSessionTest, RemovingAsksAndForgetsTheCurrentSong) {
    ASSERT_TRUE(m_session->load(u"一番", u""));
    m_ui.queueAnswer(Answer::No);
    EXPECT_FALSE(m_session->remove(u"一番"));
    EXPECT_TRUE(std::filesystem::exists(m_library->songFile(u"一番")));
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_TRUE(m_session->remove(u"一番"));
    EXPECT_FALSE(std::filesystem::exists(m_library->songFile(u"一番")));
    EXPECT_FALSE(m_session->current());
    ASSERT_EQ(m_ui.questions().size(), 2u);
    EXPECT_EQ(m_ui.questions().back(), u"「一番」を削除してよろしいですか？");
    // Another song's deletion keeps the current one.
    ASSERT_TRUE(m_session->load(u"二番", u""));
    store(u"三番", u"E中ミ ");
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_TRUE(m_session->remove(u"三番"));
    EXPECT_EQ(m_session->currentName(), u"二番");
}

TEST_F(SongSessionTest, TheFolderShownIsTheSongsGuideFolderWhenItExists) {
    EXPECT_EQ(m_session->folderToShow(), m_library->folders().textFolder());
    ASSERT_TRUE(m_session->load(u"二番", u""));
    const std::filesystem::path songFolder = m_library->guideFolder(u"二番");
    std::filesystem::remove_all(songFolder);
    EXPECT_EQ(m_session->folderToShow(), m_library->folders().textFolder());
    std::filesystem::create_directories(songFolder);
    EXPECT_EQ(m_session->folderToShow(), songFolder);
}

struct SaveAsCase {
    const char* name;
    bool withSong;         // 一番 is the current song
    const char16_t* saved; // the name the dialog gives
    std::vector<Answer> answers;
    bool ok;
    const char16_t* currentAfter;
    const char16_t* firstAfter; // 一番's melody afterwards
};

void PrintTo(const SaveAsCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class SaveAsTest : public SongSessionTest, public ::testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAsTest, SavesUnderTheGivenName) {
    const SaveAsCase& testCase = GetParam();
    if (testCase.withSong) {
        ASSERT_TRUE(m_session->load(u"一番", u""));
    }
    for (const Answer answer : testCase.answers)
        m_ui.queueAnswer(answer);
    m_session->setUserName(u"わたし");
    sarvo::library::SongProperties properties;
    properties.name = testCase.saved;
    properties.body = u"新しいコメント";
    EXPECT_EQ(m_session->saveAs(properties, u"G中ソ ").ok(), testCase.ok);
    EXPECT_EQ(m_session->currentName(), testCase.currentAfter);
    EXPECT_EQ(m_library->loadSong(u"一番")->melody, testCase.firstAfter);
    EXPECT_EQ(m_ui.pendingAnswers(), 0u);
    if (testCase.ok) {
        const auto saved = m_library->loadSong(testCase.saved);
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->melody, u"G中ソ ");
        EXPECT_EQ(saved->info.properties.body, u"新しいコメント");
        EXPECT_EQ(m_session->savedMelody(), u"G中ソ ");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveAsTest,
    ::testing::Values(
        SaveAsCase{"SameName", true, u"一番", {}, true, u"一番", u"G中ソ "},
        SaveAsCase{"NewName", true, u"三番", {}, true, u"三番", u"C中ド "},
        SaveAsCase{"UnnamedMelody", false, u"三番", {}, true, u"三番", u"C中ド "},
        SaveAsCase{"StoredNameYes", true, u"二番", {Answer::Yes}, true, u"二番", u"C中ド "},
        SaveAsCase{"StoredNameNo", true, u"二番", {Answer::No}, false, u"一番", u"C中ド "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongSessionTest, ANamedSongKeepsItsAuthorAndTheNewOneIsTheUsers) {
    m_session->setUserName(u"わたし");
    sarvo::library::SongProperties properties;
    properties.name = u"三番";
    ASSERT_TRUE(m_session->create(properties, u"C中ド ").ok());
    EXPECT_EQ(m_session->current()->from, u"わたし");
    // The new song holds the melody it named.
    EXPECT_FALSE(m_session->isChanged(u"C中ド "));
    ASSERT_TRUE(m_session->saveAs(properties, u"C中ド ").ok());
    EXPECT_EQ(m_library->loadSong(u"三番")->info.from, u"わたし");
    // Saved again by another user under the same name, the song stays the first user's.
    m_session->setUserName(u"ほかの人");
    ASSERT_TRUE(m_session->saveAs(properties, u"C中ド D中レ ").ok());
    EXPECT_EQ(m_library->loadSong(u"三番")->info.from, u"わたし");
}

struct NamerCase {
    const char* name;
    std::optional<const char16_t*> given; // nullopt: the dialog is cancelled
    bool settled;
};

void PrintTo(const NamerCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class NamerTest : public SongSessionTest, public ::testing::WithParamInterface<NamerCase> {};

TEST_P(NamerTest, AnUnnamedMelodyIsNamedBeforeItIsSaved) {
    const NamerCase& testCase = GetParam();
    int asked = 0;
    m_session->setNamer([&]() -> std::optional<sarvo::library::SongProperties> {
        ++asked;
        if (!testCase.given)
            return std::nullopt;
        sarvo::library::SongProperties properties;
        properties.name = *testCase.given;
        return properties;
    });
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_EQ(m_session->settleChanges(u"F中フ "), testCase.settled);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(m_ui.messages().empty());
    if (testCase.given) {
        EXPECT_EQ(m_library->loadSong(*testCase.given)->melody, u"F中フ ");
    }
    EXPECT_EQ(m_library->listSongs().size(), testCase.given ? 3u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Dialog, NamerTest,
                         ::testing::Values(NamerCase{"Named", u"名付けた歌", true},
                                           NamerCase{"Cancelled", std::nullopt, false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
