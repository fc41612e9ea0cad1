// The music box, the splitter and the status bar of the main window, driven with the mouse and
// the keyboard.

#include "mainwindowfixture.h"

#include <QDateTime>
#include <QHeaderView>
#include <QSignalSpy>
#include <QSplitter>
#include <QSplitterHandle>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::app::MusicBoxEntry;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;

std::vector<MusicBoxEntry> someSongs() {
    return {
        {u"さくら", {u"日本古謡", u"山田", u"2000/03/01 10:00", u"童謡", u"春", u"100", u"7"}},
        {u"Alpha", {u"Band", u"鈴木", u"1999/12/24 18:30", u"ポップス", u"冬", u"120", u"0"}},
        {u"夕焼け", {u"草川", u"佐藤", u"2000/01/15 09:05", u"童謡", u"", u"90", u""}},
    };
}

class MusicBoxTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        m_musicBox->setEntries(someSongs());
    }

    QStringList column(int index) const {
        QStringList texts;
        for (int row = 0; row < m_musicBox->topLevelItemCount(); ++row)
            texts << m_musicBox->topLevelItem(row)->text(index);
        return texts;
    }

    void clickHeader(int section) {
        QHeaderView* header = m_musicBox->header();
        const QPoint centre(header->sectionViewportPosition(section) +
                                header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }

    void clickRow(int row) {
        QTreeWidgetItem* item = m_musicBox->topLevelItem(row);
        const QRect rect = m_musicBox->visualItemRect(item);
        QTest::mouseClick(m_musicBox->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
};

TEST_F(MusicBoxTest, ShowsTheEightColumns) {
    ASSERT_EQ(m_musicBox->columnCount(), 8);
    const QStringList expected{QStringLiteral("曲名"),     QStringLiteral("ミュージシャン"),
                               QStringLiteral("作成者"),   QStringLiteral("日時"),
                               QStringLiteral("ジャンル"), QStringLiteral("コメント"),
                               QStringLiteral("テンポ"),   QStringLiteral("音色")};
    for (int section = 0; section < 8; ++section)
        EXPECT_EQ(m_musicBox->headerItem()->text(section), expected[section]);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("さくら"), QStringLiteral("Alpha"),
                                      QStringLiteral("夕焼け")}));
    EXPECT_EQ(column(6),
              (QStringList{QStringLiteral("100"), QStringLiteral("120"), QStringLiteral("90")}));
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-musicbox")));
}

struct SortCase {
    int section;
    int clicks;
    std::vector<const char16_t*> names;
};

void PrintTo(const SortCase& testCase, std::ostream* out) {
    *out << "section " << testCase.section << ", " << testCase.clicks << " clicks";
}

class MusicBoxSortTest : public MusicBoxTest, public ::testing::WithParamInterface<SortCase> {};

// Every click on a header switches the order, whichever column was sorted before.
TEST_P(MusicBoxSortTest, EachHeaderClickSwitchesTheOrder) {
    for (int click = 0; click < GetParam().clicks; ++click)
        clickHeader(GetParam().section);
    QStringList expected;
    for (const char16_t* name : GetParam().names)
        expected << QString::fromUtf16(name);
    EXPECT_EQ(column(0), expected);
    EXPECT_TRUE(m_txt->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Headers, MusicBoxSortTest,
                         ::testing::Values(SortCase{3, 1, {u"Alpha", u"夕焼け", u"さくら"}},
                                           SortCase{3, 2, {u"さくら", u"夕焼け", u"Alpha"}},
                                           SortCase{6, 1, {u"さくら", u"Alpha", u"夕焼け"}},
                                           SortCase{6, 2, {u"夕焼け", u"Alpha", u"さくら"}},
                                           SortCase{0, 1, {u"Alpha", u"さくら", u"夕焼け"}}));

TEST_F(MusicBoxTest, AfterAClickTheArrowsGoOnThroughTheSongsAndNoteKeysStillType) {
    QSignalSpy chosen(m_musicBox, &sarvo::app::MusicBox::songChosen);
    clickRow(0);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(m_musicBox, key);
    QStringList names;
    for (const QList<QVariant>& arguments : chosen)
        names << arguments.at(0).toString();
    // Nothing above the first song: the last Up reports no choice.
    EXPECT_EQ(names, (QStringList{QStringLiteral("さくら"), QStringLiteral("Alpha"),
                                  QStringLiteral("夕焼け"), QStringLiteral("Alpha"),
                                  QStringLiteral("さくら")}));
    EXPECT_TRUE(m_musicBox->hasFocus());
    QTest::keyClick(m_musicBox, Qt::Key_1);
    EXPECT_EQ(melody(), QStringLiteral("D中ド "));
}

TEST_F(MusicBoxTest, SelectedSongsFollowTheListOrder) {
    m_musicBox->topLevelItem(2)->setSelected(true);
    m_musicBox->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(m_musicBox->selectedSongs(),
              (QStringList{QStringLiteral("さくら"), QStringLiteral("夕焼け")}));
}

TEST_F(MusicBoxTest, TheSplitterBarMovesTheBoundary) {
    auto* splitter = child<QSplitter>("splitter");
    auto* bar = child<QSplitterHandle>("Picture1");
    ASSERT_NE(splitter, nullptr);
    ASSERT_NE(bar, nullptr);
    const int before = m_musicBox->height();
    const QPoint grip = bar->rect().center();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(bar, grip + QPoint(0, 60));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, grip + QPoint(0, 60));
    EXPECT_EQ(m_musicBox->height(), before + 60);
}

TEST_F(MusicBoxTest, TheStatusBarShowsDateAndTime) {
    const QDateTime before = QDateTime::currentDateTime();
    m_window->findChild<sarvo::app::WindowStatusBar*>()->showClock();
    const QDateTime after = QDateTime::currentDateTime();
    const QString date = child<QLabel>("stsDate")->text();
    const QString time = child<QLabel>("stsTime")->text();
    EXPECT_TRUE(date == before.toString(QStringLiteral("yyyy/MM/dd")) ||
                date == after.toString(QStringLiteral("yyyy/MM/dd")))
        << date.toStdString();
    EXPECT_TRUE(time == before.toString(QStringLiteral("HH:mm")) ||
                time == after.toString(QStringLiteral("HH:mm")))
        << time.toStdString();
}

} // namespace
