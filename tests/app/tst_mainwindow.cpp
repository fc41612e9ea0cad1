// The main window as a user drives it: the view selector and its keys, the views with the real key
// conversion behind the guide, the whole window at 800×600, and the window's own commands (play
// and stop, the guide again, close, folder, help, what is ignored while a melody plays). That
// every other command opens its window is the English interface test's walk.

#include "app/windowcommands.h"
#include "mainwindowfixture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

#include <vector>

namespace sarvo::app::testing {
namespace {

QString cells(std::initializer_list<const char16_t*> keys) {
    // Each key cell is five characters wide, padded with ideographic spaces.
    QString text;
    for (const char16_t* key : keys)
        text += QString::fromUtf16(key).leftJustified(5, QChar(0x3000));
    return text;
}

class MainWindowTest : public MainWindowFixture {
protected:
    // The widget of the view on show, and that only it is shown and has the focus.
    void expectShown(int view) {
        const QWidget* views[] = {m_txt, m_staff, m_pnl};
        for (const QWidget* widget : views)
            EXPECT_EQ(widget->isVisible(), widget == views[view]) << view;
        EXPECT_TRUE(views[view]->hasFocus());
    }
};

TEST_F(MainWindowTest, StartsOnTheMelodyTextInTheNoteFontWithAnAlignedKeyGuideFont) {
    ASSERT_EQ(m_combo->count(), 41);
    EXPECT_EQ(m_combo->currentIndex(), 0);
    expectShown(0);
    EXPECT_EQ(QFontInfo(m_txt->font()).family(), QStringLiteral("Sarvo"));
    EXPECT_TRUE(m_txt->font().bold());
    // The key cells line up only when the padding and the keys are equally wide.
    const QFontMetrics metrics(m_pnl->font());
    const int padding = metrics.horizontalAdvance(QChar(0x3000));
    EXPECT_GT(padding, metrics.horizontalAdvance(QLatin1Char('3')));
    for (const char16_t key : {u'３', u'０', u'→', u'＃', u'×'})
        EXPECT_EQ(metrics.horizontalAdvance(QChar(key)), padding) << int(key);
}

TEST_F(MainWindowTest, OneChoiceInTheComboConvertsOnceAndTheGuideFollowsEdits) {
    // A quarter note is two eighths on Type-A: the note and one rest.
    setMelody(QStringLiteral("C中ド "));
    QSignalSpy changes(m_pnl, &QPlainTextEdit::textChanged);
    m_combo->setCurrentIndex(2); // as the mouse chooses: the index, then the activation
    emit m_combo->activated(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"１", u"０"}));
    EXPECT_EQ(m_panel->text(), QStringLiteral("30音　低音なし"));
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_FALSE(QGuiApplication::overrideCursor()) << "the busy cursor was left on";
    const qsizetype changesOfOneConversion = changes.count();
    ASSERT_GT(changesOfOneConversion, 0);

    // Choosing the shown entry again converts afresh, replacing the edited text, and changes
    // the guide as often as the first choice did: that one was a single conversion too.
    m_pnl->setPlainText(QStringLiteral("edited"));
    changes.clear();
    emit m_combo->activated(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"１", u"０"}));
    EXPECT_EQ(changes.count(), changesOfOneConversion);
    m_window->selectView(41); // no such entry: the view stays
    EXPECT_EQ(m_combo->currentIndex(), 2);
    // Set in code, the index switches the view too; the guide follows the edits made meanwhile.
    m_combo->setCurrentIndex(0);
    expectShown(0);
    QTest::keyClick(m_txt, Qt::Key_1);
    m_combo->setCurrentIndex(2);
    expectShown(2);
    EXPECT_EQ(m_pnl->toPlainText(), cells({u"１", u"０", u"１"}));
}

// Type-T has no whole notes and no dotted eighths: one message counts them, and the status bar
// shows it instead of the capacity text "全てＯＫ".
TEST_F(MainWindowTest, ATypeThatCannotTypeSomeNotesSaysSoOnce) {
    setMelody(QStringLiteral("A中ド D.中レ C中ミ "));
    m_combo->setCurrentIndex(21);
    emit m_combo->activated(21);
    const QString report =
        QStringLiteral("Type-T [PS-T15]：表現できない音符が 2 個あります（変換エラー！）");
    EXPECT_EQ(m_panel->text(), report);
    EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{report.toStdU16String()});
}

// Alt with Up or Down or a digit chooses the view, typed in a view or on the selector itself;
// which view a key names is the note input's test.
TEST_F(MainWindowTest, AltKeysChooseTheView) {
    const struct {
        int from;
        bool onTheSelector;
        std::vector<Qt::Key> altKeys;
        int view;
    } cases[] = {{0, false, {Qt::Key_Down, Qt::Key_Down}, 2},
                 {0, true, {Qt::Key_Down}, 1},
                 {2, false, {Qt::Key_Up}, 1},
                 {5, false, {Qt::Key_1}, 0}};
    setMelody(QStringLiteral("D中ミ D中ミ "));
    for (const auto& c : cases) {
        m_window->selectView(c.from);
        if (c.onTheSelector)
            m_combo->setFocus();
        for (const Qt::Key key : c.altKeys)
            press(key, Qt::AltModifier);
        EXPECT_EQ(m_combo->currentIndex(), c.view) << c.from;
        expectShown(std::min(c.view, 2));
        EXPECT_EQ(m_panel->text().isEmpty(), c.view < 2);
    }
    EXPECT_EQ(melody(), QStringLiteral("D中ミ D中ミ "));
}

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
    for (const char* bar : {"tbTop", "tbM", "tbFu", "rbRen", "tbIchou"}) {
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

using CommandTest = MainWindowFixture;

// F4 plays and stops; meanwhile the settings, the view keys and F12 do nothing, but the close
// button of the tool bar stops and closes. F5 shows the key guide again.
TEST_F(CommandTest, FourPlaysAndStopsAndOnlyCloseRunsWhilePlaying) {
    setMelody(QStringLiteral("D中ミ "));
    m_window->session().setSavedMelody(u"D中フ ");
    m_window->selectView(2);
    m_pnl->setPlainText(QStringLiteral("edited"));
    press(Qt::Key_F5);
    EXPECT_EQ(m_pnl->toPlainText(), QString(QChar(u'３')) + QString(4, QChar(0x3000)));
    clickToolButton("tbIchou", "Up"); // transposing under a key guide converts again
    EXPECT_EQ(melody(), QStringLiteral("D中フ "));
    EXPECT_TRUE(m_pnl->isVisible());
    EXPECT_EQ(m_pnl->toPlainText(), QString(QChar(u'４')) + QString(4, QChar(0x3000)));
    m_window->selectView(0);
    for (const bool closeWhilePlaying : {false, true}) {
        press(Qt::Key_F4);
        EXPECT_TRUE(m_window->isPlaying());
        EXPECT_EQ(m_play->text(), QStringLiteral("停止 F4"));
        clickToolButton("tbTop", "Set");
        for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F12})
            press(key);
        press(Qt::Key_Down, Qt::AltModifier);
        EXPECT_TRUE(m_dialogTitles.empty());
        EXPECT_EQ(m_combo->currentIndex(), 0);
        EXPECT_FALSE(m_combo->isEnabled());
        EXPECT_TRUE(m_window->isVisible());
        if (closeWhilePlaying)
            clickToolButton("tbTop", "Close");
        else
            press(Qt::Key_F4);
        EXPECT_FALSE(m_window->isPlaying());
        EXPECT_EQ(m_window->isVisible(), !closeWhilePlaying);
    }
    EXPECT_EQ(m_play->text(), QStringLiteral("再生 F4"));
}

TEST_F(CommandTest, TwelveClosesAndFolderSaysWhenNoFileManagerStarts) {
    // No desktop to ask: nothing on the search path opens folders.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    clickToolButton("tbM", "Folder");
    qputenv("PATH", path);
    EXPECT_TRUE(m_panel->text().startsWith(
        QStringLiteral("フォルダを開くファイルマネージャが起動できません：")))
        << m_panel->text().toStdString();
    EXPECT_TRUE(m_panel->text().endsWith(QStringLiteral("Text")));
    m_txt->setFocus();
    press(Qt::Key_F12);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(CommandTest, HelpShowsJapaneseAndEnglishPagesInOneWindow) {
    m_txt->setFocus();
    press(Qt::Key_F1);
    auto* help = m_window->findChild<QDialog*>(QStringLiteral("frmHelp"));
    ASSERT_NE(help, nullptr);
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    for (const auto& [button, heading] : {std::pair{"cmdEnglish", QStringLiteral("Entering notes")},
                                          std::pair{"cmdJapanese", QStringLiteral("音符の入力")}}) {
        clickButton(*help, button);
        EXPECT_TRUE(browser->toPlainText().contains(heading)) << button;
    }
    press(Qt::Key_F1);
    EXPECT_EQ(m_window->findChildren<QDialog*>(QStringLiteral("frmHelp")).size(), 1);
}

} // namespace
} // namespace sarvo::app::testing
