// Help (F1) opens the program's own pages, Japanese first and English a click away; Folder opens
// the song's guide folder, and says so in the status bar when no file manager can be started.

#include "mainwindowfixture.h"

#include <QTextBrowser>

namespace sarvo::app::testing {
namespace {

using HelpAndFolderTest = MainWindowFixture;

TEST_F(HelpAndFolderTest, HelpShowsJapaneseAndEnglishPages) {
    m_txt->setFocus();
    press(Qt::Key_F1);
    auto* help = m_window->findChild<QDialog*>(QStringLiteral("frmHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    const struct {
        const char* button;
        QString heading;
    } pages[] = {{"cmdEnglish", QStringLiteral("Entering notes")},
                 {"cmdJapanese", QStringLiteral("音符の入力")}};
    for (const auto& page : pages) {
        help->findChild<QPushButton*>(QString::fromLatin1(page.button))->click();
        EXPECT_TRUE(browser->toPlainText().contains(page.heading)) << page.button;
        EXPECT_TRUE(saveScreenshot(*help, QStringLiteral("help-") + page.button));
    }
    // A second F1 shows the same window again.
    press(Qt::Key_F1);
    EXPECT_EQ(m_window->findChildren<QDialog*>(QStringLiteral("frmHelp")).size(), 1);
}

TEST_F(HelpAndFolderTest, FolderWithoutAFileManagerSaysSoInTheStatusBar) {
    // No desktop to ask: nothing on the search path opens folders.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    m_window->runCommand(WindowCommand::Folder);
    qputenv("PATH", path);
    EXPECT_TRUE(m_panel->text().startsWith(
        QStringLiteral("フォルダを開くファイルマネージャが起動できません")))
        << m_panel->text().toStdString();
    EXPECT_TRUE(m_panel->text().endsWith(QStringLiteral("Text")));
}

} // namespace
} // namespace sarvo::app::testing
