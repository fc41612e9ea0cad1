// The main window's Mail (F10) and Server commands open the mail and song-server dialogs.

#include "../app/mainwindowfixture.h"

namespace sarvo::app::testing {
namespace {

class MailCommandTest : public MainWindowFixture {};

TEST_F(MailCommandTest, MailAndServerOpenTheirDialogs) {
    m_txt->setFocus();
    press(Qt::Key_F10);
    auto* mail = m_window->findChild<QDialog*>(QStringLiteral("dlgMail"));
    ASSERT_NE(mail, nullptr);
    EXPECT_TRUE(mail->isVisible());
    mail->reject();
    m_window->runCommand(WindowCommand::Server);
    auto* server = m_window->findChild<QDialog*>(QStringLiteral("dlgServer"));
    ASSERT_NE(server, nullptr);
    EXPECT_TRUE(server->isVisible());
    EXPECT_TRUE(saveScreenshot(*server, QStringLiteral("serverdialog-from-window")));
    server->reject();
}

} // namespace
} // namespace sarvo::app::testing
