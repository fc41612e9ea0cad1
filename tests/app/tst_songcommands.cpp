// New (F6), Open (F7) and Save (F8) of the main window through the real song-properties dialog
// and a song library in a temporary folder: naming the melody being edited, renaming the
// current song, saving under the same or another name, a name that another song has, and
// closing with an unnamed melody.

#include "app/qtext.h"
#include "dialogtesting.h"
#include "mainwindowfixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::Answer;
using sarvo::app::toQString;
using sarvo::app::testing::clickButton;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;
using sarvo::app::testing::typeInto;

// A user who types a name and a comment into the song-properties dialog and clicks OK.
std::function<void(QDialog&)> nameSong(QString name, QString comment = QString()) {
    return [name, comment](QDialog& dialog) {
        typeInto(dialog, "txt0", name);
        if (!comment.isNull())
            typeInto(dialog, "txt1", comment);
        clickButton(dialog, "cmd0");
    };
}

class SongCommandTest : public MainWindowFixture {
protected:
    void beforeWindow() override {
        storeSong(u"あの歌", u"C中ド ", u"100");
        storeSong(u"この歌", u"E高ミ ", u"140");
    }

    std::vector<QString> listed() const {
        std::vector<QString> names;
        for (int row = 0; row < m_musicBox->topLevelItemCount(); ++row)
            names.push_back(m_musicBox->topLevelItem(row)->text(0));
        return names;
    }

    bool stored(const std::u16string& name) const {
        return std::filesystem::exists(m_library->songFile(name));
    }
};

TEST_F(SongCommandTest, SixNamesTheMelodyBeingEdited) {
    setMelody(QStringLiteral("C中ド D中レ "));
    queueDialog(nameSong(QStringLiteral("新しい歌"), QStringLiteral("初めて")));
    QTest::keyClick(m_txt, Qt::Key_F6);
    ASSERT_EQ(m_dialogTitles.size(), 1u);
    EXPECT_EQ(m_dialogTitles.front(), QStringLiteral("新規曲の指定"));
    EXPECT_EQ(m_songName->text(), QStringLiteral("新しい歌"));
    EXPECT_EQ(listed(), (std::vector<QString>{QStringLiteral("あの歌"), QStringLiteral("この歌"),
                                              QStringLiteral("新しい歌")}));
    EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("新しい歌"));
    EXPECT_EQ(melody(), QStringLiteral("C中ド D中レ "));
    const auto created = m_library->loadSong(u"新しい歌");
    ASSERT_TRUE(created);
    EXPECT_EQ(created->info.properties.body, u"初めて");
    // What is stored is the melody on screen.
    EXPECT_EQ(created->melody, u"C中ド D中レ ");
    queueDialog([](QDialog& dialog) { clickButton(dialog, "cmd0"); });
    QTest::keyClick(m_txt, Qt::Key_F8);
    EXPECT_EQ(m_dialogTitles.back(), QStringLiteral("「新しい歌」の保存"));
    EXPECT_EQ(m_library->loadSong(u"新しい歌")->melody, u"C中ド D中レ ");
    EXPECT_TRUE(m_ui.questions().empty());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-new-song")));
}

struct ExistingNameCase {
    const char* name;
    Answer answer;
    const char16_t* currentAfter;
    const char16_t* storedMelody; // あの歌's melody after the next save
};

void PrintTo(const ExistingNameCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ExistingNameTest : public SongCommandTest,
                         public ::testing::WithParamInterface<ExistingNameCase> {};

TEST_P(ExistingNameTest, SixAsksBeforeTakingAStoredName) {
    const ExistingNameCase& testCase = GetParam();
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    m_ui.queueAnswer(testCase.answer);
    queueDialog(nameSong(QStringLiteral("あの歌")));
    QTest::keyClick(m_txt, Qt::Key_F6);
    ASSERT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.questions().front(), u"「あの歌」が既に存在します。上書きしてよろしいですか？");
    EXPECT_EQ(m_songName->text(), toQString(testCase.currentAfter));
    EXPECT_EQ(m_window->session().currentName(), testCase.currentAfter);
    queueDialog([](QDialog& dialog) { clickButton(dialog, "cmd0"); });
    QTest::keyClick(m_txt, Qt::Key_F8);
    EXPECT_EQ(m_library->loadSong(u"あの歌")->melody, testCase.storedMelody);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExistingNameTest,
    ::testing::Values(ExistingNameCase{"Yes", Answer::Yes, u"あの歌", u"E高ミ "},
                      ExistingNameCase{"No", Answer::No, u"この歌", u"C中ド "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongCommandTest, SixOffersToSaveAChangedSongFirst) {
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    setMelody(QStringLiteral("E高ミ F高フ "));
    m_ui.queueAnswer(Answer::Yes);
    QTest::keyClick(m_txt, Qt::Key_F6); // the dialog is cancelled
    ASSERT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.questions().front(), u"「この歌」を保存しますか？");
    EXPECT_EQ(m_library->loadSong(u"この歌")->melody, u"E高ミ F高フ ");
    EXPECT_EQ(m_dialogTitles.size(), 1u);
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    EXPECT_EQ(listed().size(), 2u);
}

struct RenameCase {
    const char* name;
    const char16_t* newName;
    bool renamed;
    std::vector<const char16_t*> messages;
};

void PrintTo(const RenameCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class RenameTest : public SongCommandTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(RenameTest, SevenRenamesTheCurrentSong) {
    const RenameCase& testCase = GetParam();
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    queueDialog(nameSong(toQString(testCase.newName), QStringLiteral("直した")));
    QTest::keyClick(m_txt, Qt::Key_F7);
    ASSERT_EQ(m_dialogTitles.size(), 1u);
    EXPECT_EQ(m_dialogTitles.front(), QStringLiteral("「この歌」の曲名／コメントの変更"));
    EXPECT_EQ(m_ui.messages(),
              std::vector<std::u16string>(testCase.messages.begin(), testCase.messages.end()));
    const std::u16string current = testCase.renamed ? testCase.newName : u"この歌";
    EXPECT_EQ(m_songName->text(), toQString(current));
    EXPECT_EQ(stored(u"この歌"), current == u"この歌");
    const auto song = m_library->loadSong(current);
    ASSERT_TRUE(song);
    EXPECT_EQ(song->melody, u"E高ミ ");
    EXPECT_EQ(song->info.properties.body, testCase.renamed ? u"直した" : u"");
    EXPECT_EQ(listed().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Names, RenameTest,
                         ::testing::Values(RenameCase{"ToANewName", u"その歌", true, {}},
                                           RenameCase{"SameNameNewComment", u"この歌", true, {}},
                                           RenameCase{"ToAnotherSongsName",
                                                      u"あの歌",
                                                      false,
                                                      {u"既に同じ曲名が存在します。"}}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongCommandTest, SevenWithoutASongDoesNothing) {
    QTest::keyClick(m_txt, Qt::Key_F7);
    EXPECT_TRUE(m_dialogTitles.empty());
}

struct SaveCase {
    const char* name;
    const char16_t* savedName;
    std::vector<const char16_t*> listedAfter;
};

void PrintTo(const SaveCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class SaveTest : public SongCommandTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTest, EightSavesUnderTheDialogsName) {
    const SaveCase& testCase = GetParam();
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    setMelody(QStringLiteral("E高ミ G高ソ "));
    queueDialog(nameSong(toQString(testCase.savedName), QStringLiteral("保存")));
    QTest::keyClick(m_txt, Qt::Key_F8);
    EXPECT_EQ(m_dialogTitles.front(), QStringLiteral("「この歌」の保存"));
    const auto saved = m_library->loadSong(testCase.savedName);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->melody, u"E高ミ G高ソ ");
    EXPECT_EQ(saved->info.properties.body, u"保存");
    EXPECT_EQ(m_songName->text(), toQString(testCase.savedName));
    std::vector<QString> expected;
    for (const char16_t* name : testCase.listedAfter)
        expected.push_back(toQString(name));
    EXPECT_EQ(listed(), expected);
    // A song saved under another name leaves the old one as it was.
    if (std::u16string_view(testCase.savedName) != u"この歌") {
        EXPECT_EQ(m_library->loadSong(u"この歌")->melody, u"E高ミ ");
    }
    m_window->close();
    EXPECT_TRUE(m_ui.questions().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveTest,
    ::testing::Values(SaveCase{"SameName", u"この歌", {u"あの歌", u"この歌"}},
                      SaveCase{"AnotherName", u"別の歌", {u"あの歌", u"この歌", u"別の歌"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongCommandTest, ACancelledDialogChangesNothing) {
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    setMelody(QStringLiteral("E高ミ G高ソ "));
    // New offers to save the changed song first; No keeps the stored melody.
    m_ui.queueAnswer(Answer::No);
    for (const Qt::Key key : {Qt::Key_F6, Qt::Key_F7, Qt::Key_F8})
        QTest::keyClick(m_txt, key);
    EXPECT_EQ(m_dialogTitles.size(), 3u);
    EXPECT_EQ(m_library->loadSong(u"この歌")->melody, u"E高ミ ");
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    EXPECT_EQ(listed().size(), 2u);
}

struct UnnamedCloseCase {
    const char* name;
    bool confirmDialog;
    bool staysOpen;
};

void PrintTo(const UnnamedCloseCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class UnnamedCloseTest : public SongCommandTest,
                         public ::testing::WithParamInterface<UnnamedCloseCase> {};

TEST_P(UnnamedCloseTest, YesOpensTheSaveDialog) {
    const UnnamedCloseCase& testCase = GetParam();
    setMelody(QStringLiteral("C中ラ "));
    m_ui.queueAnswer(Answer::Yes);
    if (testCase.confirmDialog)
        queueDialog(nameSong(QStringLiteral("閉じる前の歌")));
    m_window->close();
    ASSERT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.questions().front(), u"「」を保存しますか？");
    ASSERT_EQ(m_dialogTitles.size(), 1u);
    EXPECT_EQ(m_dialogTitles.front(), QStringLiteral("「」の保存"));
    EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{});
    EXPECT_EQ(m_window->isVisible(), testCase.staysOpen);
    const auto saved = m_library->loadSong(u"閉じる前の歌");
    EXPECT_EQ(saved.has_value(), testCase.confirmDialog);
    if (saved) {
        EXPECT_EQ(saved->melody, u"C中ラ ");
    }
}

INSTANTIATE_TEST_SUITE_P(Dialog, UnnamedCloseTest,
                         ::testing::Values(UnnamedCloseCase{"Confirmed", true, false},
                                           UnnamedCloseCase{"Cancelled", false, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
