// The mail and song-server dialogs driven offscreen. MailDialog and ServerDialog run against
// Postfix and Dovecot (under mailservers.sh): a song sent by the send button comes back by the
// receive button. MailPassword receives from a dead server, once without a D-Bus session (the
// password stays in the settings file) and once under keychainsession.sh with an unlocked
// secret service (it moves to the keychain and leaves the settings file).

#include "../app/qtestenvironment.h"
#include "../common/tempfolder.h"
#include "mail/ui/maildialog.h"
#include "mail/ui/serverdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace sarvo::mail {
namespace {

QString mailDir() {
    const QString dir = qEnvironmentVariable("SARVO_MAIL_DIR");
    if (dir.isEmpty())
        ADD_FAILURE() << "SARVO_MAIL_DIR is unset: run this test under tests/mail/mailservers.sh";
    return dir;
}

// The files Postfix delivered into a mailbox of the test servers, once count of them are there.
QStringList delivered(const QString& box, int count) {
    const QDir dir(mailDir() + QStringLiteral("/boxes/") + box + QStringLiteral("/Maildir/new"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dir.entryList(QDir::Files).size() >= count; }, 10000));
    return dir.entryList(QDir::Files);
}

struct DialogFixture {
    sarvo::testing::TempFolder folder;
    library::SongLibrary library{library::LibraryFolders(folder.path())};
    settings::SettingsFile file{library.folders().settingsFile()};
    RecordingInteractive ui;
    MailContext context{library, ui};
    std::vector<std::u16string> stored;

    // The account of the test servers; nobody listens on POP3 port 1.
    explicit DialogFixture(std::u16string pop3Port = u"1110", bool keepPassword = false) {
        context.melody = u"C中ド D中レ C中ミ ";
        context.song = {u"春の歌", u"歌手", u"J-POP", u"", u"120", u"7"};
        context.songsStored = [this](const std::vector<std::u16string>& names) {
            stored.insert(stored.end(), names.begin(), names.end());
        };
        EXPECT_EQ(file.saveMailSettings(
                      {.smtpServers = {u"127.0.0.1"}, .pop3Servers = {u"127.0.0.1"},
                       .destinations = {u"hanako@sarvo.test"}, .ownAddresses = {u"taro@sarvo.test"},
                       .userIds = {u"hanako"}, .smtpPort = u"2525", .pop3Port = pop3Port,
                       .keepPassword = keepPassword, .deleteAfterReceiving = true}),
                  "");
    }
};

template <class T> T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

bool runButton(MailDialog& dialog, const char* button) {
    QSignalSpy finished(&dialog, &MailDialog::exchangeFinished);
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    EXPECT_TRUE(dialog.exchangeRunning());
    EXPECT_TRUE(finished.wait(20000));
    return !finished.isEmpty() && finished.first().first().toBool();
}

TEST(MailDialog, SendsAndReceivesThroughTheServers) {
    mailDir();
    DialogFixture f;
    MailDialog dialog(f.context);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    child<QRadioButton>(dialog, "optMT3")->click();
    child<QLineEdit>(dialog, "txtSub")->setText(QStringLiteral("春の歌[歌手]"));
    // Entering the message selects it, so typing replaces the greeting.
    auto* body = child<QPlainTextEdit>(dialog, "txtBody");
    body->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return body->textCursor().hasSelection(); }));
    QTest::keyClicks(body, QStringLiteral("x"));
    EXPECT_EQ(body->toPlainText(), QStringLiteral("x"));
    body->setPlainText(QStringLiteral("聞いてね"));
    ASSERT_TRUE(runButton(dialog, "cmdMail0"));
    const QString log = child<QPlainTextEdit>(dialog, "txt")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("♪ 「春の歌[歌手]」を送信しました。♪")))
        << log.toStdString();

    delivered(QStringLiteral("hanako"), 1);
    child<QLineEdit>(dialog, "txtPass")->setText(QStringLiteral("secret"));
    ASSERT_TRUE(runButton(dialog, "cmdMail1"));
    EXPECT_EQ(f.stored, std::vector<std::u16string>{u"春の歌"});
    const auto song = f.library.loadSong(u"春の歌");
    ASSERT_TRUE(song);
    EXPECT_EQ(song->melody, u"C中ド D中レ C中ミ ");
    EXPECT_EQ(song->info.properties.body, u"聞いてね");
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "txt")
                    ->toPlainText()
                    .contains(QStringLiteral("♪ 「春の歌」を受信しました。♪")));
    app::testing::saveScreenshot(dialog, QStringLiteral("maildialog-received"));
}

TEST(MailDialog, ReceivingIsRefusedForTheIModeNoticeAndWithoutAUserId) {
    DialogFixture f;
    MailDialog dialog(f.context);
    dialog.show();
    child<QRadioButton>(dialog, "optMT4")->click();
    EXPECT_FALSE(child<QPushButton>(dialog, "cmdMail1")->isEnabled());
    EXPECT_TRUE(child<QWidget>(dialog, "fraimode")->isVisible());
    child<QRadioButton>(dialog, "optMT2")->click();
    child<QComboBox>(dialog, "cmbMail4")->setEditText({});
    QTest::mouseClick(child<QPushButton>(dialog, "cmdMail1"), Qt::LeftButton);
    EXPECT_EQ(f.ui.messages(), std::vector<std::u16string>{u"ユーザＩＤを指定して下さい！"});
    EXPECT_FALSE(dialog.exchangeRunning());
}

TEST(ServerDialog, UploadsTheSongFileAndWritesItsIconBack) {
    mailDir();
    DialogFixture f;
    // The SMTP port, the icon before, whether the upload is delivered, the icon after: the
    // music-box icon is written back after a successful upload only.
    const std::tuple<const char16_t*, const char16_t*, bool, const char16_t*> cases[] = {
        {u"2525", u"3", true, u"3"}, {u"1", u"x", false, u"x"}, {u"2525", u"x", true, u"1"}};
    ServerDialog dialog(f.context);
    dialog.show();
    int uploads = 0;
    for (const auto& [port, iconBefore, wasDelivered, iconAfter] : cases) {
        ASSERT_EQ(f.file.update([&](settings::PrivateProfile& profile) {
            profile.setValue(kServerSection, u"SMTP", u"127.0.0.1");
            profile.setValue(kServerSection, u"SMTPPORT", port);
            profile.setValue(kServerSection, u"UPLOADADDR", u"upload@sarvo.test");
        }),
                  "");
        RecordingInteractive quiet;
        melody::ParserState state;
        const library::SongInfo info{.properties = f.context.song, .icon = iconBefore};
        ASSERT_TRUE(f.library.saveSong(info, f.context.melody, {}, state, quiet).ok());
        QSignalSpy finished(&dialog, &ServerDialog::exchangeFinished);
        QTest::mouseClick(child<QPushButton>(dialog, "cmdMail"), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(finished.first().first().toBool(), wasDelivered);
        EXPECT_EQ(f.library.loadSong(f.context.song.name)->info.icon, iconAfter);
        // The count grows with every attempt, delivered or not.
        EXPECT_EQ(child<QLabel>(dialog, "lblUpNum")->text(), QString::number(++uploads));
    }
    EXPECT_EQ(f.file.uploadCount(), uploads);
    app::testing::saveScreenshot(dialog, QStringLiteral("serverdialog-uploaded"));
    EXPECT_EQ(delivered(QStringLiteral("upload"), 2).size(), 2);
}

TEST(MailPassword, IsKeptInTheKeychainOrElseInTheSettingsFile) {
    const QByteArray expected = qgetenv("SARVO_EXPECT_KEYCHAIN");
    ASSERT_FALSE(expected.isEmpty()) << "run this test through ctest";
    // The password in the settings file before, the one typed before receiving (empty: left as
    // shown), and the one a dialog opened afterwards shows.
    const std::tuple<std::optional<std::u16string>, QString, std::u16string> cases[] = {
        {std::nullopt, QStringLiteral("himitsu"), u"himitsu"},
        {u"mukashi", {}, u"mukashi"},
        {u"mukashi", QStringLiteral("atarashii"), u"atarashii"},
    };
    for (const auto& [oldPassword, typed, kept] : cases) {
        SCOPED_TRACE(QString::fromStdU16String(kept).toStdString());
        DialogFixture f(u"1", true); // the exchange fails at once, the settings stay
        ASSERT_EQ(oldPassword ? f.file.saveMailPassword(*oldPassword) : "", "");
        {
            MailDialog dialog(f.context);
            auto* password = child<QLineEdit>(dialog, "txtPass");
            // An old password is read whether or not a keychain runs.
            EXPECT_EQ(password->text().toStdU16String(), oldPassword.value_or(u""));
            if (!typed.isEmpty())
                password->setText(typed);
            // A dead server is logged and leaves the dialog usable.
            EXPECT_FALSE(runButton(dialog, "cmdMail1"));
            EXPECT_TRUE(child<QPlainTextEdit>(dialog, "txt")
                            ->toPlainText()
                            .contains(u"×うっ、、エラーだ！×"));
            EXPECT_TRUE(child<QPushButton>(dialog, "cmdMail1")->isEnabled());
            // Without a session bus the keychain fails at once, well before the dialog's bound.
            const std::u16string inFile = expected == "1" ? u"" : kept;
            EXPECT_TRUE(QTest::qWaitFor([&] { return f.file.mailPassword() == inFile; }, 8000))
                << QString::fromStdU16String(f.file.mailPassword().value_or(u"(none)"))
                       .toStdString();
        }
        MailDialog reopened(f.context);
        auto* shown = child<QLineEdit>(reopened, "txtPass");
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown->text().toStdU16String() == kept; }, 8000))
            << shown->text().toStdString();
    }
}

} // namespace
} // namespace sarvo::mail
