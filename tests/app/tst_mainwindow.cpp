// The main window driven as a user drives it: the view selector, the editors, the status bar
// and the keyboard shortcuts, with the real key conversion behind them.

#include "keyguide/keyconversion.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace {

using sarvo::RecordingInteractive;
using sarvo::app::testing::MainWindowFixture;
using sarvo::app::testing::saveScreenshot;

QString cells(std::initializer_list<const char16_t*> keys) {
    // Each key cell is five characters wide, padded with ideographic spaces.
    QString text;
    for (const char16_t* key : keys)
        text += QString::fromUtf16(key).leftJustified(5, QChar(0x3000));
    return text;
}

class MainWindowTest : public MainWindowFixture {
protected:
    // Chooses an entry the way the mouse does: the combo box changes its index and reports
    // the activation.
    void choose(int index) {
        m_combo->setCurrentIndex(index);
        emit m_combo->activated(index);
    }

    void pressAlt(Qt::Key key) { press(key, Qt::AltModifier); }
};

TEST_F(MainWindowTest, CaptionAndObjectName) {
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Sarvo Ver 1.6Z"));
    EXPECT_EQ(m_window->objectName(), QStringLiteral("frmSarvo"));
    EXPECT_EQ(m_window->statusBar(), m_status);
}

TEST_F(MainWindowTest, SelectorListsTheInputViewsAndTheThirtyNineTypes) {
    ASSERT_EQ(m_combo->count(), 41);
    EXPECT_EQ(m_combo->itemText(0), QStringLiteral("音符入力 Alt+1"));
    EXPECT_EQ(m_combo->itemText(1), QStringLiteral("５線譜入力 Alt+2"));
    EXPECT_TRUE(m_combo->itemText(2).startsWith(QStringLiteral("Type-A ")));
    EXPECT_TRUE(m_combo->itemText(3).startsWith(QStringLiteral("Type-B ")));
    EXPECT_TRUE(m_combo->itemText(40).startsWith(QStringLiteral("Type-AM ")));
}

TEST_F(MainWindowTest, StartsOnTheNoteInputWithAnEmptyStatusPanel) {
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_EQ(m_window->currentView(), 0);
    EXPECT_TRUE(m_txt->isVisible());
    EXPECT_FALSE(m_pnl->isVisible());
    EXPECT_TRUE(m_panel->text().isEmpty());
    EXPECT_TRUE(m_txt->hasFocus());
    EXPECT_FALSE(m_pnl->isReadOnly());
}

TEST_F(MainWindowTest, TheMelodyTextUsesTheNoteFont) {
    EXPECT_EQ(m_txt->font().families().value(0), QStringLiteral("Sarvo"));
    EXPECT_EQ(QFontInfo(m_txt->font()).family(), QStringLiteral("Sarvo"));
    EXPECT_TRUE(m_txt->font().bold());
}

TEST_F(MainWindowTest, TheKeyGuideUsesAFixedPitchJapaneseFont) {
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        EXPECT_EQ(QFontInfo(m_pnl->font()).family(), QStringLiteral("IPAGothic"));
    }
    // The key cells line up only when the padding and the keys are equally wide.
    const QFontMetrics metrics(m_pnl->font());
    const int padding = metrics.horizontalAdvance(QChar(0x3000));
    EXPECT_GT(padding, metrics.horizontalAdvance(QLatin1Char('3')));
    for (const char16_t key : {u'３', u'０', u'→', u'＃', u'×'})
        EXPECT_EQ(metrics.horizontalAdvance(QChar(key)), padding)
            << "key U+" << std::hex << int(key);
}

TEST_F(MainWindowTest, TypeAShowsTheKeyTextAndCapacity) {
    setMelody(QStringLiteral("D中ミ D中ミ "));
    choose(2);
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_FALSE(m_txt->isVisible());
    EXPECT_TRUE(m_pnl->hasFocus());
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"３", u"→", u"３"}));
    EXPECT_EQ(m_panel->text(), QStringLiteral("30音　低音なし"));
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_FALSE(QGuiApplication::overrideCursor()) << "the busy cursor was left on";

    // The screenshot of the key guide, for looking at the layout and the Japanese glyphs.
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-type-a")));
}

TEST_F(MainWindowTest, OneChoiceInTheComboConvertsOnce) {
    // A quarter note is two eighths on Type-A: the note and one rest.
    setMelody(QStringLiteral("C中ド "));
    QSignalSpy changes(m_pnl, &QPlainTextEdit::textChanged);
    choose(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"１", u"０"}));
    const qsizetype changesOfOneConversion = changes.count();
    ASSERT_GT(changesOfOneConversion, 0);

    // Choosing the shown entry again converts afresh, replacing the edited text, and changes
    // the guide as often as the first choice did: that one was a single conversion too.
    m_pnl->setPlainText(QStringLiteral("edited"));
    changes.clear();
    emit m_combo->activated(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"１", u"０"}));
    EXPECT_EQ(changes.count(), changesOfOneConversion);
}

struct TypeViewCase {
    int index;
    const char16_t* capacity;
};

void PrintTo(const TypeViewCase& testCase, std::ostream* out) {
    *out << "type index " << testCase.index;
}

// Each phone type replaces the previous type's keys with its own guide and shows its capacity.
class MainWindowTypeViewTest : public MainWindowTest,
                               public ::testing::WithParamInterface<TypeViewCase> {};

TEST_P(MainWindowTypeViewTest, ShowsTheTypesGuideAndCapacity) {
    const QString melodyText = QStringLiteral("D中ミ C高ソ# H D低ド ");
    setMelody(melodyText);
    choose(2);
    ASSERT_FALSE(m_pnl->toPlainText().isEmpty());
    choose(GetParam().index);
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_FALSE(m_txt->isVisible());
    sarvo::melody::ParserState state;
    RecordingInteractive ui;
    const std::u16string expected =
        sarvo::keyguide::convertToKeys(GetParam().index, melodyText.toStdU16String(), state, ui);
    EXPECT_EQ(m_pnl->toPlainText().toStdU16String(), expected);
    EXPECT_EQ(m_panel->text(), QString::fromUtf16(GetParam().capacity));
}

INSTANTIATE_TEST_SUITE_P(Types, MainWindowTypeViewTest,
                         ::testing::Values(TypeViewCase{3, u"50音 中音ド～高音ド ＃(半音上)なし"},
                                           TypeViewCase{9, u"30音　＃(半音上)なし"},
                                           TypeViewCase{40, u"256音　低・中・高音全てOK"}),
                         [](const auto& testInfo) {
                             return "Index" + std::to_string(testInfo.param.index);
                         });

// Type-T has no whole notes and no dotted eighths: one message counts them, and the status bar
// shows it instead of the capacity text "全てＯＫ".
TEST_F(MainWindowTest, ATypeThatCannotTypeSomeNotesSaysSoOnce) {
    setMelody(QStringLiteral("A中ド D.中レ C中ミ "));
    choose(21);
    const QString report =
        QStringLiteral("Type-T [PS-T15]：表現できない音符が 2 個あります（変換エラー！）");
    EXPECT_EQ(m_panel->text(), report);
    EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{report.toStdU16String()});
}

// Both input views show the melody, unchanged, with an empty status panel: view 0 as text,
// view 1 on the staff.
class MainWindowInputViewTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowInputViewTest, ReturnsToTheMelodyUnchanged) {
    const QString melody = QStringLiteral("D中ミ D中ミ ");
    setMelody(melody);
    choose(2);
    choose(GetParam());
    QWidget* shown = GetParam() == 0 ? static_cast<QWidget*>(m_txt) : m_staff;
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->hasFocus());
    EXPECT_EQ(m_txt->isVisible(), GetParam() == 0);
    EXPECT_EQ(m_staff->isVisible(), GetParam() == 1);
    EXPECT_FALSE(m_pnl->isVisible());
    EXPECT_EQ(this->melody(), melody);
    EXPECT_EQ(m_staff->count(), 2);
    EXPECT_TRUE(m_panel->text().isEmpty());

    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-view-%1").arg(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Views, MainWindowInputViewTest, ::testing::Values(0, 1));

TEST_F(MainWindowTest, AltDownAndAltUpStepThroughTheEntries) {
    setMelody(QStringLiteral("D中ミ D中ミ "));
    pressAlt(Qt::Key_Down);
    EXPECT_EQ(m_combo->currentIndex(), 1);
    EXPECT_TRUE(m_staff->isVisible());
    pressAlt(Qt::Key_Down);
    EXPECT_EQ(m_combo->currentIndex(), 2);
    EXPECT_TRUE(m_pnl->hasFocus());
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"３", u"→", u"３"}));
    EXPECT_EQ(m_panel->text(), QStringLiteral("30音　低音なし"));
    pressAlt(Qt::Key_Up);
    EXPECT_EQ(m_combo->currentIndex(), 1);
    EXPECT_TRUE(m_staff->isVisible());
    EXPECT_TRUE(m_panel->text().isEmpty());
    pressAlt(Qt::Key_Up);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    // No entry before the first one: the selection stays.
    pressAlt(Qt::Key_Up);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_EQ(melody(), QStringLiteral("D中ミ D中ミ "));
}

TEST_F(MainWindowTest, AltDownStepsWhileTheSelectorHasTheFocus) {
    m_combo->setFocus();
    ASSERT_TRUE(m_combo->hasFocus());
    pressAlt(Qt::Key_Down);
    EXPECT_EQ(m_combo->currentIndex(), 1);
    EXPECT_TRUE(m_staff->hasFocus());
}

TEST_F(MainWindowTest, AltDownStopsAtTheLastType) {
    m_window->selectView(40);
    pressAlt(Qt::Key_Down);
    EXPECT_EQ(m_combo->currentIndex(), 40);
    EXPECT_TRUE(m_pnl->isVisible());
}

TEST_F(MainWindowTest, AltOneAndAltTwoChooseTheInputViews) {
    m_window->selectView(2);
    ASSERT_TRUE(m_pnl->isVisible());
    pressAlt(Qt::Key_2);
    EXPECT_EQ(m_combo->currentIndex(), 1);
    EXPECT_TRUE(m_staff->isVisible());
    m_window->selectView(5);
    ASSERT_TRUE(m_pnl->isVisible());
    pressAlt(Qt::Key_1);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_TRUE(m_txt->isVisible());
    EXPECT_TRUE(m_panel->text().isEmpty());
}

TEST_F(MainWindowTest, SettingTheIndexInCodeSwitchesTheView) {
    setMelody(QStringLiteral("D中ミ "));
    m_combo->setCurrentIndex(2);
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"３"}));
    m_window->selectView(0);
    EXPECT_TRUE(m_txt->isVisible());
    m_window->selectView(41);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_TRUE(m_txt->isVisible());
}

TEST_F(MainWindowTest, TheGuideFollowsTheEditedMelody) {
    setMelody(QStringLiteral("D中ミ "));
    m_window->selectView(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"３"}));
    m_window->selectView(0);
    // The eighth note is the current length; key 1 is ド.
    QTest::keyClick(m_txt, Qt::Key_1);
    ASSERT_EQ(melody(), QStringLiteral("D中ミ D中ド "));
    m_window->selectView(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"３", u"１"}));
}

} // namespace

namespace {

// At 800×600 every button is on screen, the key captions keep their lines whole and the melody
// text breaks its lines only between notes.
TEST_F(MainWindowTest, IsWhollyUsableAt800By600) {
    m_window->resize(800, 600);
    QString melody;
    for (int i = 0; i < 40; ++i)
        melody += QStringLiteral("D.中ソ# C高ド 3低ラ ");
    setMelody(melody);
    QApplication::processEvents();
    EXPECT_LE(m_window->width(), 800);
    for (const char* bar : {"tbFu", "rbRen", "tbIchou"}) {
        auto* toolBar = child<QToolBar>(bar);
        ASSERT_NE(toolBar, nullptr);
        for (QAction* action : toolBar->actions()) {
            QWidget* button = toolBar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->isVisible()) << bar << " " << action->text().toStdString();
        }
    }
    for (QLabel* panel :
         m_window->findChildren<QLabel*>(QRegularExpression("^pnl(K|S|SR|Clr|Ref)")))
        for (const QString& line : panel->text().split(QLatin1Char('\n')))
            EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(line),
                      panel->contentsRect().width())
                << panel->objectName().toStdString() << " " << line.toStdString();
    // Every shown line starts where a note starts.
    const QTextBlock block = m_txt->document()->firstBlock();
    const QString shown = block.text();
    ASSERT_GT(block.layout()->lineCount(), 1);
    for (int i = 1; i < block.layout()->lineCount(); ++i) {
        const int start = block.layout()->lineAt(i).textStart();
        EXPECT_EQ(shown.at(start - 1), QLatin1Char(' ')) << "line " << i;
    }
    EXPECT_TRUE(saveScreenshot(*m_window, QStringLiteral("mainwindow-800x600")));
}

} // namespace
