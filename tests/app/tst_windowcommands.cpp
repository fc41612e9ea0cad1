// The window's commands as a user reaches them: the buttons of tbTop and tbM with their
// captions and tips, the function keys, the commands ignored while a melody plays, and the save
// question on closing.

#include "app/windowcommands.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::Answer;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;

struct ButtonCase {
    const char* toolbar;
    const char* key;
    const char16_t* caption;
    const char16_t* tip;
};

void PrintTo(const ButtonCase& testCase, std::ostream* out) {
    *out << testCase.toolbar << "/" << testCase.key;
}

class ToolbarButtonTest : public MainWindowFixture,
                          public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolbarButtonTest, ShowsItsCaptionAndTip) {
    auto* bar = child<QToolBar>(GetParam().toolbar);
    ASSERT_NE(bar, nullptr);
    QAction* action = bar->findChild<QAction*>(QString::fromLatin1(GetParam().key));
    ASSERT_NE(action, nullptr);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    ASSERT_NE(button, nullptr);
    if (GetParam().caption) {
        EXPECT_EQ(button->text(), QString::fromUtf16(GetParam().caption));
    }
    EXPECT_EQ(action->toolTip(), QString::fromUtf16(GetParam().tip));
    EXPECT_TRUE(button->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ToolbarButtonTest,
    ::testing::Values(
        ButtonCase{"tbM", "New", u"新規 F6...", u"新規に作成する曲名を付けます。"},
        ButtonCase{"tbM", "Open", u"変更 F7...", u"曲名やコメントの変更を行います。"},
        ButtonCase{"tbM", "Save", u"保存 F8...", u"編集中の曲を保存します。"},
        ButtonCase{"tbM", "Del", u"削除 F9", u"選択している曲を削除します。"},
        ButtonCase{"tbM", "Folder", nullptr, u"曲が保存されているﾌｫﾙﾀﾞをｴｸｽﾌﾟﾛｰﾗで開きます"},
        ButtonCase{"tbTop", "New", nullptr, u"新規に作成する曲名を付けます。"},
        ButtonCase{"tbTop", "Open", nullptr, u"曲名やコメントの変更を行います。"},
        ButtonCase{"tbTop", "Save", nullptr, u"編集中の曲を保存します。"},
        ButtonCase{"tbTop", "Folder", nullptr, u"曲が保存されているﾌｫﾙﾀﾞをｴｸｽﾌﾟﾛｰﾗで開きます"},
        ButtonCase{"tbTop", "Mail", nullptr, u"曲データのメール送受信(PHSとの着信音交換も可能)"},
        ButtonCase{"tbTop", "Comm", nullptr, u"シリアルケーブルでの着信音編集"},
        ButtonCase{"tbTop", "Change", nullptr,
                   u"１機種の携帯電話の着信音操作手順を全タイプに変換。"},
        ButtonCase{"tbTop", "Server", nullptr, u"サーバから曲をダウンロード・アップロードします。"},
        ButtonCase{"tbTop", "Set", nullptr, u"Sarvo の各種設定をします"},
        ButtonCase{"tbTop", "Help", nullptr, u"ヘルプを起動します"},
        ButtonCase{"tbTop", "Close", nullptr, u"Sarvo を終了します"}),
    [](const auto& testInfo) {
        return std::string(testInfo.param.toolbar) + "_" + testInfo.param.key;
    });

class CommandTest : public MainWindowFixture {};

TEST_F(CommandTest, ToolbarsKeepTheirButtonOrder) {
    auto keys = [this](const char* toolbar) {
        std::vector<std::string> found;
        for (QAction* action : child<QToolBar>(toolbar)->actions())
            found.push_back(action->objectName().toStdString());
        return found;
    };
    EXPECT_EQ(keys("tbTop"),
              (std::vector<std::string>{"New", "Open", "Save", "Folder", "Mail", "Comm", "Change",
                                        "Server", "Set", "Help", "Close"}));
    EXPECT_EQ(keys("tbM"), (std::vector<std::string>{"New", "Open", "Save", "Del", "Folder"}));
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-start")));
}

TEST_F(CommandTest, FourPlaysAndStops) {
    setMelody(QStringLiteral("C中ド "));
    m_txt->setFocus();
    press(Qt::Key_F4);
    EXPECT_TRUE(m_window->isPlaying());
    EXPECT_EQ(m_play->text(), QStringLiteral("停止 F4"));
    press(Qt::Key_F4);
    EXPECT_FALSE(m_window->isPlaying());
    EXPECT_EQ(m_play->text(), QStringLiteral("再生 F4"));
}

TEST_F(CommandTest, FiveShowsTheKeyGuideAgain) {
    setMelody(QStringLiteral("D中ミ "));
    m_window->selectView(2);
    m_pnl->setPlainText(QStringLiteral("edited"));
    press(Qt::Key_F5);
    EXPECT_EQ(m_pnl->toPlainText(), QString(QChar(u'３')) + QString(4, QChar(0x3000)));
}

TEST_F(CommandTest, TwelveCloses) {
    press(Qt::Key_F12);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(CommandTest, WhilePlayingSetAndTheKeysDoNothing) {
    setMelody(QStringLiteral("C中ド D中レ "));
    m_window->session().setSavedMelody(u"C中ド D中レ ");
    m_window->runCommand(sarvo::app::WindowCommand::Play);
    ASSERT_TRUE(m_window->isPlaying());
    m_panel->clear();
    clickToolButton("tbTop", "Set");
    EXPECT_TRUE(m_panel->text().isEmpty());
    press(Qt::Key_F2);
    EXPECT_TRUE(m_panel->text().isEmpty());
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_FALSE(m_combo->isEnabled());
    press(Qt::Key_F12);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->isPlaying());
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-playing")));

    clickToolButton("tbTop", "Close");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_window->isPlaying());
}

struct CloseCase {
    const char* name;
    bool changed;
    std::vector<Answer> answers;
    bool asked;
    bool staysOpen;
    const char16_t* storedAfter; // the melody of the song file afterwards
};

void PrintTo(const CloseCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class CloseTest : public MainWindowFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksToSaveAChangedMelody) {
    const CloseCase& testCase = GetParam();
    storeSong(u"春の歌", u"C中ド ");
    ASSERT_TRUE(m_window->openSong(QStringLiteral("春の歌")));
    ASSERT_EQ(melody(), QStringLiteral("C中ド "));
    if (testCase.changed)
        setMelody(QStringLiteral("C中ド D中レ "));
    for (const Answer answer : testCase.answers)
        m_ui.queueAnswer(answer);
    clickToolButton("tbTop", "Close");
    if (testCase.asked) {
        ASSERT_EQ(m_ui.questions().size(), 1u);
        EXPECT_EQ(m_ui.questions().front(), u"「春の歌」を保存しますか？");
    } else {
        EXPECT_TRUE(m_ui.questions().empty());
    }
    EXPECT_EQ(m_window->isVisible(), testCase.staysOpen);
    EXPECT_EQ(m_ui.pendingAnswers(), 0u);
    const auto stored = m_library->loadSong(u"春の歌");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->melody, testCase.storedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseTest,
    ::testing::Values(CloseCase{"Unchanged", false, {}, false, false, u"C中ド "},
                      CloseCase{"ChangedNo", true, {Answer::No}, true, false, u"C中ド "},
                      CloseCase{"ChangedCancel", true, {Answer::Cancel}, true, true, u"C中ド "},
                      CloseCase{"ChangedYes", true, {Answer::Yes}, true, false, u"C中ド D中レ "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
