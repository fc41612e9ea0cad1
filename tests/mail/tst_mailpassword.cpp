// The kept mail password through the mail dialog and the real desktop keychain. ctest runs this
// twice: without a D-Bus session (SARVO_EXPECT_KEYCHAIN=0: the password stays in the settings
// file) and under keychainsession.sh with an unlocked secret service (SARVO_EXPECT_KEYCHAIN=1:
// the password moves to the keychain and leaves the settings file).

#include "../app/qtestenvironment.h"
#include "../common/tempfolder.h"
#include "mail/ui/maildialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace sarvo::mail {
namespace {

bool keychainExpected() {
    const QByteArray expected = qgetenv("SARVO_EXPECT_KEYCHAIN");
    EXPECT_FALSE(expected.isEmpty()) << "run this test through ctest";
    return expected == "1";
}

QString shownPassword(MailDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("txtPass"))->text();
}

struct PasswordCase {
    const char* what;
    std::optional<std::u16string> oldPassword; // in the settings file before
    QString typed;                             // typed before receiving; empty: left as shown
    std::u16string kept;                       // what a dialog opened afterwards shows
};

const PasswordCase kCases[] = {
    {"typed and kept", std::nullopt, QStringLiteral("himitsu"), u"himitsu"},
    {"an old settings file's password", u"mukashi", {}, u"mukashi"},
    {"a new one over an old one", u"mukashi", QStringLiteral("atarashii"), u"atarashii"},
};

TEST(MailPassword, IsKeptInTheKeychainOrElseInTheSettingsFile) {
    const bool keychain = keychainExpected();
    for (const PasswordCase& c : kCases) {
        SCOPED_TRACE(c.what);
        sarvo::testing::TempFolder folder;
        const library::SongLibrary library{library::LibraryFolders(folder.path())};
        RecordingInteractive ui;
        const MailContext context{library, ui};
        const settings::SettingsFile file(library.folders().settingsFile());
        settings::MailSettings mail;
        mail.pop3Servers = {u"127.0.0.1"};
        mail.pop3Port = u"1"; // nobody listens: the exchange fails at once, the settings stay
        mail.userIds = {u"hanako"};
        mail.keepPassword = true;
        ASSERT_EQ(file.saveMailSettings(mail), "");
        if (c.oldPassword) {
            ASSERT_EQ(file.saveMailPassword(*c.oldPassword), "");
        }

        {
            MailDialog dialog(context);
            // An old password is read whether or not a keychain runs.
            if (c.oldPassword) {
                EXPECT_EQ(shownPassword(dialog).toStdU16String(), *c.oldPassword);
            }
            if (!c.typed.isEmpty())
                dialog.findChild<QLineEdit*>(QStringLiteral("txtPass"))->setText(c.typed);
            QSignalSpy finished(&dialog, &MailDialog::exchangeFinished);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdMail1")),
                              Qt::LeftButton);
            ASSERT_TRUE(finished.wait(10000));
            // Without a session bus the keychain fails at once, well before the dialog's bound.
            const std::u16string inFile = keychain ? u"" : c.kept;
            EXPECT_TRUE(QTest::qWaitFor([&] { return file.mailPassword() == inFile; }, 8000))
                << "the settings file holds \""
                << QString::fromStdU16String(file.mailPassword().value_or(u"(none)")).toStdString()
                << "\"";
        }
        MailDialog reopened(context);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return shownPassword(reopened).toStdU16String() == c.kept; }, 8000))
            << shownPassword(reopened).toStdString();
    }
}

} // namespace
} // namespace sarvo::mail
