// The main window over a real song library in a temporary folder: the music box lists the
// stored songs, a click or Up and Down load them, F8 saves and F9 deletes; the window placement
// and the voice come from the settings file and the placement goes back into it.

#include "app/windowplacement.h"
#include "mainwindowfixture.h"
#include "settings/settingsfile.h"
#include "sound/midioutput.h"

#include <QHeaderView>
#include <QSplitter>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::Answer;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;

class SongsTest : public MainWindowFixture {
protected:
    void beforeWindow() override {
        storeSong(u"あの歌", u"C中ド D中レ ", u"100");
        storeSong(u"この歌", u"E高ミ ", u"140");
        storeSong(u"その歌", u"A低ソ# ", u"90");
    }

    sarvo::settings::SettingsFile settingsFile() const {
        return sarvo::settings::SettingsFile(m_library->folders().settingsFile());
    }

    void clickRow(int row) {
        const QRect rect = m_musicBox->visualItemRect(m_musicBox->topLevelItem(row));
        QTest::mouseClick(m_musicBox->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
};

TEST_F(SongsTest, TheMusicBoxListsTheStoredSongs) {
    ASSERT_EQ(m_musicBox->topLevelItemCount(), 3);
    const QTreeWidgetItem* first = m_musicBox->topLevelItem(0);
    EXPECT_EQ(first->text(0), QStringLiteral("あの歌"));
    EXPECT_EQ(first->text(1), QStringLiteral("作曲者"));
    EXPECT_EQ(first->text(2), QStringLiteral("テスト"));
    EXPECT_EQ(first->text(6), QStringLiteral("100"));
    EXPECT_EQ(m_musicBox->topLevelItem(2)->text(6), QStringLiteral("90"));
    EXPECT_TRUE(m_songName->text().isEmpty());
}

TEST_F(SongsTest, AClickLoadsTheSong) {
    clickRow(1);
    EXPECT_EQ(melody(), QStringLiteral("E高ミ "));
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    EXPECT_EQ(m_staff->count(), 1);
    EXPECT_TRUE(m_ui.questions().empty());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-song-loaded")));
}

// After a click the arrows go on loading songs: the list keeps the focus.
TEST_F(SongsTest, UpAndDownLoadTheNeighboursAfterAClick) {
    clickRow(0);
    QTest::keyClick(m_musicBox, Qt::Key_Down);
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    QTest::keyClick(m_musicBox, Qt::Key_Down);
    EXPECT_EQ(melody(), QStringLiteral("A低ソ# "));
    QTest::keyClick(m_musicBox, Qt::Key_Up);
    EXPECT_EQ(melody(), QStringLiteral("E高ミ "));
    EXPECT_TRUE(m_musicBox->hasFocus());
}

struct SwitchCase {
    const char* name;
    Answer answer;
    const char16_t* shownName;
    const char16_t* shownMelody;
    const char16_t* storedFirst; // the first song's file afterwards
};

void PrintTo(const SwitchCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class SongSwitchTest : public SongsTest, public ::testing::WithParamInterface<SwitchCase> {};

// Loading another song asks first when the melody changed.
TEST_P(SongSwitchTest, AsksToSaveTheChangedSong) {
    clickRow(0);
    QTest::keyClick(m_txt, Qt::Key_3);
    ASSERT_EQ(melody(), QStringLiteral("C中ド D中レ D中ミ "));
    m_ui.queueAnswer(GetParam().answer);
    clickRow(2);
    ASSERT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.questions().front(), u"「あの歌」を保存しますか？");
    EXPECT_EQ(m_songName->text(), QString::fromUtf16(GetParam().shownName));
    EXPECT_EQ(melody(), QString::fromUtf16(GetParam().shownMelody));
    EXPECT_EQ(m_musicBox->currentSong(), QString::fromUtf16(GetParam().shownName));
    EXPECT_EQ(m_library->loadSong(u"あの歌")->melody, GetParam().storedFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SongSwitchTest,
    ::testing::Values(SwitchCase{"Yes", Answer::Yes, u"その歌", u"A低ソ# ", u"C中ド D中レ D中ミ "},
                      SwitchCase{"No", Answer::No, u"その歌", u"A低ソ# ", u"C中ド D中レ "},
                      SwitchCase{"Cancel", Answer::Cancel, u"あの歌", u"C中ド D中レ D中ミ ",
                                 u"C中ド D中レ "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongsTest, EightSavesTheSong) {
    clickRow(1);
    QTest::keyClick(m_txt, Qt::Key_1, Qt::ControlModifier);
    queueDialog([](QDialog& dialog) { dialog.accept(); });
    QTest::keyClick(m_txt, Qt::Key_F8);
    ASSERT_EQ(m_dialogTitles.size(), 1u);
    EXPECT_EQ(m_dialogTitles.front(), QStringLiteral("「この歌」の保存"));
    EXPECT_EQ(m_library->loadSong(u"この歌")->melody, u"E高ミ D低ド ");
    // Saved: closing asks nothing.
    m_window->close();
    EXPECT_TRUE(m_ui.questions().empty());
}

struct DeleteCase {
    const char* name;
    Answer answer;
    int rowsAfter;
    bool fileAfter;
};

void PrintTo(const DeleteCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class SongDeleteTest : public SongsTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(SongDeleteTest, NineDeletesTheSelectedSongAfterAsking) {
    clickRow(1);
    m_ui.queueAnswer(GetParam().answer);
    QTest::keyClick(m_txt, Qt::Key_F9);
    ASSERT_EQ(m_ui.questions().size(), 1u);
    EXPECT_EQ(m_ui.questions().front(), u"「この歌」を削除してよろしいですか？");
    EXPECT_EQ(m_musicBox->topLevelItemCount(), GetParam().rowsAfter);
    EXPECT_EQ(std::filesystem::exists(m_library->songFile(u"この歌")), GetParam().fileAfter);
    if (!GetParam().fileAfter) {
        EXPECT_TRUE(m_songName->text().isEmpty());
        // The neighbour below takes the selection.
        EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("その歌"));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SongDeleteTest,
                         ::testing::Values(DeleteCase{"Yes", Answer::Yes, 2, false},
                                           DeleteCase{"No", Answer::No, 3, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SongsTest, OpenSongSelectsAndLoadsASongFromOutside) {
    storeSong(u"届いた歌", u"B中ラ ");
    EXPECT_TRUE(m_window->openSong(QStringLiteral("届いた歌")));
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 4);
    EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("届いた歌"));
    EXPECT_EQ(melody(), QStringLiteral("B中ラ "));
    EXPECT_FALSE(m_window->openSong(QStringLiteral("ない歌")));
}

// The window placement of section "メイン".
class PlacementTest : public MainWindowFixture {
protected:
    sarvo::settings::SettingsFile settingsFile() const {
        return sarvo::settings::SettingsFile(m_library->folders().settingsFile());
    }
    double dpi() const { return m_window->logicalDpiY(); }
};

class RestoredPlacementTest : public PlacementTest {
protected:
    void beforeWindow() override {
        sarvo::settings::WindowPlacement placement;
        placement.width = 12000; // 800 px at 96 dpi
        placement.height = 9000;
        placement.splitTop = 3000;
        placement.columnWidths[0] = 3000;
        placement.top = 0;
        placement.left = 0;
        ASSERT_EQ(settingsFile().saveWindowPlacement(placement), "");
    }
};

TEST_F(RestoredPlacementTest, SizeSplitterAndColumnsComeBackAndTheWindowIsCentred) {
    EXPECT_EQ(m_window->width(), sarvo::app::twipsToPixels(12000, dpi()));
    EXPECT_EQ(m_window->height(), sarvo::app::twipsToPixels(9000, dpi()));
    EXPECT_EQ(child<QSplitter>("splitter")->sizes().value(0),
              sarvo::app::twipsToPixels(3000, dpi()));
    EXPECT_EQ(m_musicBox->columnWidth(0), sarvo::app::twipsToPixels(3000, dpi()));
    const QRect area = m_window->screen()->availableGeometry();
    EXPECT_EQ(m_window->x(), area.x() + (area.width() - m_window->width()) / 2);
    EXPECT_EQ(m_window->y(), area.y() + (area.height() - m_window->height()) / 2);
}

// A size kept from a larger screen is fitted into this one.
class OversizedPlacementTest : public PlacementTest {
protected:
    void beforeWindow() override {
        sarvo::settings::WindowPlacement placement;
        placement.width = 40000;
        placement.height = 30000;
        ASSERT_EQ(settingsFile().saveWindowPlacement(placement), "");
    }
};

TEST_F(OversizedPlacementTest, TheWindowFitsTheScreen) {
    const QRect area = m_window->screen()->availableGeometry();
    EXPECT_LE(m_window->width(), area.width());
    EXPECT_LE(m_window->height(), area.height());
    EXPECT_TRUE(area.contains(m_window->frameGeometry().topLeft()));
}

TEST_F(PlacementTest, ClosingStoresThePlacement) {
    // The toolbars keep the window from getting narrower than they are.
    m_window->resize(m_window->minimumSizeHint().width() + 40, 500);
    child<QSplitter>("splitter")->setSizes({120, 300});
    m_musicBox->setColumnWidth(2, 90);
    QCoreApplication::processEvents();
    const QSize size = m_window->size();
    const int musicBoxHeight = child<QSplitter>("splitter")->sizes().value(0);
    m_window->close();
    const sarvo::settings::WindowPlacement stored = settingsFile().windowPlacement();
    EXPECT_EQ(stored.width, sarvo::app::pixelsToTwips(size.width(), dpi()));
    EXPECT_EQ(stored.height, sarvo::app::pixelsToTwips(size.height(), dpi()));
    EXPECT_EQ(stored.splitTop, sarvo::app::pixelsToTwips(musicBoxHeight, dpi()));
    EXPECT_EQ(stored.columnWidths[2], sarvo::app::pixelsToTwips(90, dpi()));
    EXPECT_TRUE(stored.top.has_value());
    EXPECT_TRUE(stored.left.has_value());

    // The next window comes back in the same size.
    openWindow();
    EXPECT_EQ(m_window->size(), size);
    EXPECT_EQ(m_musicBox->columnWidth(2), 90);
}

TEST_F(PlacementTest, AMinimizedWindowKeepsThePreviousPlacement) {
    m_window->close();
    const sarvo::settings::WindowPlacement before = settingsFile().windowPlacement();
    openWindow();
    m_window->resize(640, 480);
    m_window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(m_window->isMinimized());
    m_window->close();
    EXPECT_EQ(settingsFile().windowPlacement(), before);
}

struct VoiceCase {
    const char16_t* voice; // "" leaves the key out
    int program;
};

void PrintTo(const VoiceCase& testCase, std::ostream* out) {
    *out << "program " << testCase.program;
}

class VoiceTest : public MainWindowFixture, public ::testing::WithParamInterface<VoiceCase> {
protected:
    void beforeWindow() override {
        if (*GetParam().voice == 0)
            return;
        const std::string error = sarvo::settings::SettingsFile(m_library->folders().settingsFile())
                                      .update([](sarvo::settings::PrivateProfile& profile) {
                                          profile.setValue(u"設定", u"音色", GetParam().voice);
                                      });
        ASSERT_EQ(error, "");
    }
};

// The start sends the voice of the settings as a program change on channel 1.
TEST_P(VoiceTest, TheStartSendsTheChosenVoice) {
    const std::vector<uint32_t> sent = m_midi.messages();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), sarvo::sound::programChangeMessage(GetParam().program));
}

INSTANTIATE_TEST_SUITE_P(Voices, VoiceTest,
                         ::testing::Values(VoiceCase{u"", 7}, VoiceCase{u"ピアノ", 0},
                                           VoiceCase{u"041: バイオリン", 40}));

} // namespace
