// The main window over a real song library: the music box lists, sorts, loads and deletes songs;
// New (F6), Open (F7) and Save (F8) through the real song-properties dialog name, rename and save
// them; the placement and the voice come from the settings file, the placement goes back.

#include "app/qtext.h"
#include "mainwindowfixture.h"

#include <QHeaderView>
#include <QSplitter>

#include <filesystem>
#include <vector>

namespace sarvo::app::testing {
namespace {

using namespace Qt::Literals::StringLiterals;

class SongsTest : public MainWindowFixture {
protected:
    void beforeWindow() override {
        storeSong(u"あの歌", u"C中ド D中レ ", u"100");
        storeSong(u"この歌", u"E高ミ ", u"140");
        storeSong(u"その歌", u"A低ソ# ", u"90");
    }
    void clickRow(int row) {
        const QRect rect = m_musicBox->visualItemRect(m_musicBox->topLevelItem(row));
        QTest::mouseClick(m_musicBox->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
};

TEST_F(SongsTest, TheMusicBoxListsTheStoredSongsAndAClickOrAnArrowLoadsOne) {
    ASSERT_EQ(m_musicBox->topLevelItemCount(), 3);
    const QTreeWidgetItem* first = m_musicBox->topLevelItem(0);
    EXPECT_EQ(first->text(0), QStringLiteral("あの歌"));
    EXPECT_EQ(first->text(6), QStringLiteral("100"));
    EXPECT_TRUE(m_songName->text().isEmpty());

    clickRow(1);
    EXPECT_EQ(melody(), QStringLiteral("E高ミ "));
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    EXPECT_EQ(m_staff->count(), 1);
    EXPECT_TRUE(m_ui.questions().empty());

    // After a click the arrows go on loading songs: the list keeps the focus, and a note key
    // typed there still edits the melody.
    clickRow(0);
    QTest::keyClick(m_musicBox, Qt::Key_Down);
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    QTest::keyClick(m_musicBox, Qt::Key_Down);
    EXPECT_EQ(melody(), QStringLiteral("A低ソ# "));
    QTest::keyClick(m_musicBox, Qt::Key_Up);
    EXPECT_EQ(melody(), QStringLiteral("E高ミ "));
    EXPECT_TRUE(m_musicBox->hasFocus());
    QTest::keyClick(m_musicBox, Qt::Key_1);
    EXPECT_EQ(melody(), QStringLiteral("E高ミ D中ド "));
}

// Loading another song asks first when the melody changed; Cancel keeps the song.
TEST_F(SongsTest, LoadingAnotherSongAsksToSaveTheChangedOne) {
    const struct {
        Answer answer;
        const char16_t* shownName;
        const char16_t* shownMelody;
        const char16_t* storedFirst; // the first song's file afterwards
    } cases[] = {{Answer::Cancel, u"あの歌", u"C中ド D中レ D中ミ ", u"C中ド D中レ "},
                 {Answer::No, u"その歌", u"A低ソ# ", u"C中ド D中レ "},
                 {Answer::Yes, u"その歌", u"A低ソ# ", u"C中ド D中レ D中ミ "}};
    for (const auto& c : cases) {
        openWindow();
        clickRow(0);
        QTest::keyClick(m_txt, Qt::Key_3);
        ASSERT_EQ(melody(), QStringLiteral("C中ド D中レ D中ミ "));
        m_ui.queueAnswer(c.answer);
        clickRow(2);
        EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{u"「あの歌」を保存しますか？"});
        EXPECT_EQ(m_songName->text(), QString::fromUtf16(c.shownName));
        EXPECT_EQ(melody(), QString::fromUtf16(c.shownMelody));
        EXPECT_EQ(m_musicBox->currentSong(), QString::fromUtf16(c.shownName));
        EXPECT_EQ(m_library->loadSong(u"あの歌")->melody, c.storedFirst);
    }
}

TEST_F(SongsTest, NineDeletesTheSelectedSongAfterAskingAndOpenSongLoadsANewOne) {
    clickRow(1);
    m_ui.queueAnswer(Answer::No);
    QTest::keyClick(m_txt, Qt::Key_F9);
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 3);
    m_ui.queueAnswer(Answer::Yes);
    QTest::keyClick(m_txt, Qt::Key_F9);
    EXPECT_EQ(m_ui.questions().back(), u"「この歌」を削除してよろしいですか？");
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 2);
    EXPECT_FALSE(std::filesystem::exists(m_library->songFile(u"この歌")));
    EXPECT_TRUE(m_songName->text().isEmpty());
    // The neighbour below takes the selection.
    EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("その歌"));

    // A song stored from outside (a mail, a second start) is listed, selected and loaded.
    storeSong(u"届いた歌", u"B中ラ ");
    EXPECT_TRUE(m_window->openSong(QStringLiteral("届いた歌")));
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 3);
    EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("届いた歌"));
    EXPECT_EQ(melody(), QStringLiteral("B中ラ "));
    EXPECT_FALSE(m_window->openSong(QStringLiteral("ない歌")));
}

// The music box on its own rows: the library's order until a header is clicked, then every
// click on a header switches the order, whichever column was sorted before.
class MusicBoxTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        m_musicBox->setEntries({
            {u"さくら", {u"日本古謡", u"山田", u"2000/03/01 10:00", u"童謡", u"春", u"100", u"7"}},
            {u"Alpha", {u"Band", u"鈴木", u"1999/12/24 18:30", u"ポップス", u"冬", u"120", u"0"}},
            {u"夕焼け", {u"草川", u"佐藤", u"2000/01/15 09:05", u"童謡", u"", u"90", u""}},
        });
    }
    QStringList names() const {
        QStringList texts;
        for (int row = 0; row < m_musicBox->topLevelItemCount(); ++row)
            texts << m_musicBox->topLevelItem(row)->text(0);
        return texts;
    }
    void clickHeader(int section) {
        QHeaderView* header = m_musicBox->header();
        const QPoint centre(header->sectionViewportPosition(section) +
                                header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
};

TEST_F(MusicBoxTest, HeaderClicksSortAndSelectedSongsFollowTheListOrder) {
    EXPECT_EQ(names(), (QStringList{u"さくら"_s, u"Alpha"_s, u"夕焼け"_s}));
    // One click after the other: ascending, descending, ascending … (the tempo as text).
    const std::pair<int, QStringList> clicks[] = {{3, {u"Alpha"_s, u"夕焼け"_s, u"さくら"_s}},
                                                  {3, {u"さくら"_s, u"夕焼け"_s, u"Alpha"_s}},
                                                  {6, {u"さくら"_s, u"Alpha"_s, u"夕焼け"_s}}};
    for (const auto& [section, sorted] : clicks) {
        clickHeader(section);
        EXPECT_EQ(names(), sorted) << section;
        EXPECT_TRUE(m_txt->hasFocus());
    }
    m_musicBox->topLevelItem(2)->setSelected(true);
    m_musicBox->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(m_musicBox->selectedSongs(), (QStringList{u"さくら"_s, u"夕焼け"_s}));
}

// The window placement of section "メイン": closing stores it (at 96 dpi 15 twips are a
// pixel), the next window comes back in it, centred; a window closed minimized keeps it.
TEST_F(MainWindowFixture, ClosingStoresThePlacementAndTheNextWindowComesBackInIt) {
    ASSERT_EQ(m_window->logicalDpiY(), 96);
    // The toolbars keep the window from getting narrower than they are.
    m_window->resize(m_window->minimumSizeHint().width() + 40, 500);
    child<QSplitter>("splitter")->setSizes({120, 300});
    m_musicBox->setColumnWidth(2, 90);
    QCoreApplication::processEvents();
    const QSize size = m_window->size();
    const int musicBoxHeight = child<QSplitter>("splitter")->sizes().value(0);
    m_window->close();
    const settings::WindowPlacement stored = settingsFile().windowPlacement();
    EXPECT_EQ(stored.width, size.width() * 15);
    EXPECT_EQ(stored.height, size.height() * 15);
    EXPECT_EQ(stored.splitTop, musicBoxHeight * 15);
    EXPECT_EQ(stored.columnWidths[2], 90 * 15);
    EXPECT_TRUE(stored.top && stored.left);

    openWindow();
    EXPECT_EQ(m_window->size(), size);
    EXPECT_EQ(child<QSplitter>("splitter")->sizes().value(0), musicBoxHeight);
    EXPECT_EQ(m_musicBox->columnWidth(2), 90);
    const QRect area = m_window->screen()->availableGeometry();
    EXPECT_EQ(m_window->x(), area.x() + (area.width() - m_window->width()) / 2);
    EXPECT_EQ(m_window->y(), area.y() + (area.height() - m_window->height()) / 2);
    m_window->resize(640, 480);
    m_window->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(m_window->isMinimized());
    m_window->close();
    EXPECT_EQ(settingsFile().windowPlacement(), stored);
}

// A size kept from a larger screen is fitted into this one.
TEST_F(MainWindowFixture, AnOversizedPlacementFitsTheScreen) {
    settings::WindowPlacement placement;
    placement.width = 40000;
    placement.height = 30000;
    ASSERT_EQ(settingsFile().saveWindowPlacement(placement), "");
    openWindow();
    const QRect area = m_window->screen()->availableGeometry();
    EXPECT_LE(m_window->width(), area.width());
    EXPECT_LE(m_window->height(), area.height());
    EXPECT_TRUE(area.contains(m_window->frameGeometry().topLeft()));
}

// The start sends the voice of the settings as a program change on channel 1; an unknown
// voice sends none.
TEST_F(MainWindowFixture, TheStartSendsTheChosenVoice) {
    const struct {
        const char16_t* voice;
        std::vector<int> programs;
    } cases[] = {{u"ピアノ", {0}}, {u"041: バイオリン", {40}}, {u"999: なし", {}}};
    // Without the key, the design-time voice.
    EXPECT_EQ(notesWithStatus(m_midi, 0xC0), std::vector<int>{7});
    for (const auto& c : cases) {
        ASSERT_EQ(settingsFile().update([&c](settings::PrivateProfile& profile) {
            profile.setValue(u"設定", u"音色", c.voice);
        }),
                  "");
        m_midi.clear();
        openWindow();
        EXPECT_EQ(notesWithStatus(m_midi, 0xC0), c.programs);
    }
}

// A user who types a name and a comment into the song-properties dialog and clicks OK.
std::function<void(QDialog&)> nameSong(QString name, QString comment = QString()) {
    return [name, comment](QDialog& dialog) {
        typeInto(dialog, "txt0", name);
        if (!comment.isNull())
            typeInto(dialog, "txt1", comment);
        clickButton(dialog, "cmd0");
    };
}

void confirm(QDialog& dialog) {
    clickButton(dialog, "cmd0");
}

using SongCommandTest = SongsTest;

// New names the melody on screen; Save stores it under the same name or, as a new song, under
// another, leaving the first as it was.
TEST_F(SongCommandTest, SixNamesTheMelodyAndEightSavesItUnderTheDialogsName) {
    setMelody(QStringLiteral("C中ド D中レ "));
    queueDialog(nameSong(QStringLiteral("新しい歌"), QStringLiteral("初めて")));
    QTest::keyClick(m_txt, Qt::Key_F6);
    EXPECT_EQ(m_dialogTitles, std::vector<QString>{QStringLiteral("新規曲の指定")});
    EXPECT_EQ(m_songName->text(), QStringLiteral("新しい歌"));
    EXPECT_EQ(m_musicBox->currentSong(), QStringLiteral("新しい歌"));
    const auto created = m_library->loadSong(u"新しい歌");
    ASSERT_TRUE(created);
    EXPECT_EQ(created->info.properties.body, u"初めて");
    EXPECT_EQ(created->melody, u"C中ド D中レ ");
    setMelody(QStringLiteral("C中ド D中レ E中ミ "));
    queueDialog(confirm);
    QTest::keyClick(m_txt, Qt::Key_F8);
    EXPECT_EQ(m_dialogTitles.back(), QStringLiteral("「新しい歌」の保存"));
    EXPECT_EQ(m_library->loadSong(u"新しい歌")->melody, u"C中ド D中レ E中ミ ");

    setMelody(QStringLiteral("E高ミ G高ソ "));
    queueDialog(nameSong(QStringLiteral("別の歌"), QStringLiteral("保存")));
    QTest::keyClick(m_txt, Qt::Key_F8);
    const auto song = m_library->loadSong(u"別の歌");
    ASSERT_TRUE(song);
    EXPECT_EQ(song->melody, u"E高ミ G高ソ ");
    EXPECT_EQ(song->info.properties.body, u"保存");
    EXPECT_EQ(m_songName->text(), QStringLiteral("別の歌"));
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 5);
    EXPECT_EQ(m_library->loadSong(u"新しい歌")->melody, u"C中ド D中レ E中ミ ");
    m_window->close();
    EXPECT_TRUE(m_ui.questions().empty());
}

// New with the name of a stored song asks first; No keeps the current song.
TEST_F(SongCommandTest, SixAsksBeforeTakingAStoredName) {
    for (const bool yes : {false, true}) {
        openWindow();
        ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
        m_ui.queueAnswer(yes ? Answer::Yes : Answer::No);
        queueDialog(nameSong(QStringLiteral("あの歌")));
        QTest::keyClick(m_txt, Qt::Key_F6);
        EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{
                                        u"「あの歌」が既に存在します。上書きしてよろしいですか？"});
        const std::u16string current = yes ? u"あの歌" : u"この歌";
        EXPECT_EQ(m_songName->text(), toQString(current));
        EXPECT_EQ(m_window->session().currentName(), current);
        queueDialog(confirm);
        QTest::keyClick(m_txt, Qt::Key_F8);
        EXPECT_EQ(m_library->loadSong(u"あの歌")->melody, yes ? u"E高ミ " : u"C中ド D中レ ");
    }
}

// Open renames the current song and changes its comment; another song's name is refused.
TEST_F(SongCommandTest, SevenRenamesTheCurrentSong) {
    const struct {
        const char16_t* newName;
        bool renamed;
        std::vector<std::u16string> messages;
    } cases[] = {{u"あの歌", false, {u"既に同じ曲名が存在します。"}}, {u"別の歌", true, {}}};
    for (const auto& c : cases) {
        openWindow();
        ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
        queueDialog(nameSong(toQString(c.newName), QStringLiteral("直した")));
        QTest::keyClick(m_txt, Qt::Key_F7);
        EXPECT_EQ(m_dialogTitles,
                  std::vector<QString>{QStringLiteral("「この歌」の曲名／コメントの変更")});
        EXPECT_EQ(m_ui.messages(), c.messages);
        const std::u16string current = c.renamed ? c.newName : u"この歌";
        EXPECT_EQ(m_songName->text(), toQString(current));
        EXPECT_EQ(std::filesystem::exists(m_library->songFile(u"この歌")), current == u"この歌");
        const auto song = m_library->loadSong(current);
        ASSERT_TRUE(song);
        EXPECT_EQ(song->melody, u"E高ミ ");
        EXPECT_EQ(song->info.properties.body, c.renamed ? u"直した" : u"");
        EXPECT_EQ(m_musicBox->topLevelItemCount(), 3);
    }
}

TEST_F(SongCommandTest, ACancelledDialogChangesNothing) {
    // Without a song, Open has nothing to rename.
    QTest::keyClick(m_txt, Qt::Key_F7);
    EXPECT_TRUE(m_dialogTitles.empty());
    ASSERT_TRUE(m_window->openSong(QStringLiteral("この歌")));
    setMelody(QStringLiteral("E高ミ G高ソ "));
    // New offers to save the changed song first, then its dialog is cancelled.
    m_ui.queueAnswer(Answer::Yes);
    for (const Qt::Key key : {Qt::Key_F6, Qt::Key_F7, Qt::Key_F8})
        QTest::keyClick(m_txt, key);
    EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{u"「この歌」を保存しますか？"});
    EXPECT_EQ(m_dialogTitles.size(), 3u);
    EXPECT_EQ(m_library->loadSong(u"この歌")->melody, u"E高ミ G高ソ ");
    EXPECT_EQ(m_songName->text(), QStringLiteral("この歌"));
    EXPECT_EQ(m_musicBox->topLevelItemCount(), 3);
}

// Yes to saving an unnamed melody on closing opens the save dialog; cancelling it keeps the
// window open.
TEST_F(SongCommandTest, ClosingWithAnUnnamedMelodyOpensTheSaveDialog) {
    for (const bool confirmed : {false, true}) {
        openWindow();
        setMelody(QStringLiteral("C中ラ "));
        m_ui.queueAnswer(Answer::Yes);
        if (confirmed)
            queueDialog(nameSong(QStringLiteral("閉じる前の歌")));
        m_window->close();
        EXPECT_EQ(m_ui.questions(), std::vector<std::u16string>{u"「」を保存しますか？"});
        EXPECT_EQ(m_dialogTitles, std::vector<QString>{QStringLiteral("「」の保存")});
        EXPECT_TRUE(m_ui.messages().empty());
        EXPECT_EQ(m_window->isVisible(), !confirmed);
        const auto saved = m_library->loadSong(u"閉じる前の歌");
        ASSERT_EQ(saved.has_value(), confirmed);
        if (saved) {
            EXPECT_EQ(saved->melody, u"C中ラ ");
        }
    }
}

} // namespace
} // namespace sarvo::app::testing
