// The mail dialog driven offscreen against Postfix and Dovecot (run under mailservers.sh): a
// song sent by the send button comes back by the receive button; refusals and a dead server
// leave the dialog usable.

#include "../app/qtestenvironment.h"
#include "../common/tempfolder.h"
#include "mail/net/exchangedriver.h"
#include "mail/ui/maildialog.h"
#include "mail/ui/serverdialog.h"

#include <QDir>

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

struct DialogFixture {
    sarvo::testing::TempFolder folder;
    library::SongLibrary library{library::LibraryFolders(folder.path())};
    RecordingInteractive ui;
    MailContext context{library, ui};
    std::vector<std::u16string> stored;

    DialogFixture() {
        context.melody = u"C中ド D中レ C中ミ ";
        context.song = {u"春の歌", u"歌手", u"J-POP", u"", u"120", u"7"};
        context.songsStored = [this](const std::vector<std::u16string>& names) {
            stored.insert(stored.end(), names.begin(), names.end());
        };
        const settings::SettingsFile file(library.folders().settingsFile());
        settings::MailSettings mail;
        mail.smtpServers = {u"127.0.0.1"};
        mail.pop3Servers = {u"127.0.0.1"};
        mail.destinations = {u"hanako@sarvo.test"};
        mail.ownAddresses = {u"taro@sarvo.test"};
        mail.userIds = {u"hanako"};
        mail.smtpPort = u"2525";
        mail.pop3Port = u"1110";
        mail.deleteAfterReceiving = true;
        EXPECT_EQ(file.saveMailSettings(mail), "");
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
    child<QRadioButton>(dialog, "optMT3")->click();
    child<QLineEdit>(dialog, "txtSub")->setText(QStringLiteral("春の歌[歌手]"));
    // Entering the message selects it, so typing replaces the greeting.
    auto* body = child<QPlainTextEdit>(dialog, "txtBody");
    body->setFocus();
    QTest::qWait(50);
    QTest::keyClicks(body, QStringLiteral("x"));
    EXPECT_EQ(body->toPlainText(), QStringLiteral("x"));
    body->setPlainText(QStringLiteral("聞いてね"));
    ASSERT_TRUE(runButton(dialog, "cmdMail0"));
    const QString log = child<QPlainTextEdit>(dialog, "txt")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("♪ 「春の歌[歌手]」を送信しました。♪")))
        << log.toStdString();

    QTest::qWait(1500); // Postfix hands the mail to the mailbox
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

TEST(MailDialog, RefusalsAndADeadServerLeaveItUsable) {
    mailDir();
    DialogFixture f;
    MailDialog dialog(f.context);
    dialog.show();
    child<QRadioButton>(dialog, "optMT4")->click();
    EXPECT_FALSE(child<QPushButton>(dialog, "cmdMail1")->isEnabled());
    EXPECT_TRUE(child<QWidget>(dialog, "fraimode")->isVisible());
    QDir().mkpath(QStringLiteral("/tmp/shots-mail"));
    dialog.grab().save(QStringLiteral("/tmp/shots-mail/maildialog-imode.png"));
    child<QRadioButton>(dialog, "optMT2")->click();
    child<QComboBox>(dialog, "cmbMail4")->setEditText({});
    QTest::mouseClick(child<QPushButton>(dialog, "cmdMail1"), Qt::LeftButton);
    EXPECT_EQ(f.ui.messages(), std::vector<std::u16string>{u"ユーザＩＤを指定して下さい！"});
    EXPECT_FALSE(dialog.exchangeRunning());

    child<QComboBox>(dialog, "cmbMail4")->setEditText(QStringLiteral("hanako"));
    child<QLineEdit>(dialog, "txtPort1")->setText(QStringLiteral("1")); // nobody listens
    EXPECT_FALSE(runButton(dialog, "cmdMail1"));
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "txt")
                    ->toPlainText()
                    .contains(QStringLiteral("×うっ、、エラーだ！×")));
    EXPECT_TRUE(child<QPushButton>(dialog, "cmdMail1")->isEnabled());
    EXPECT_TRUE(f.stored.empty());
}

struct UploadCase {
    const char16_t* port;
    const char16_t* iconBefore;
    bool delivered;
    const char16_t* iconAfter; // the music-box icon written back after a successful upload
};

TEST(ServerDialog, UploadsTheSongFileAndWritesItsIconBack) {
    const QString dir = mailDir();
    DialogFixture f;
    const settings::SettingsFile file(f.library.folders().settingsFile());
    const UploadCase cases[] = {
        {u"2525", u"3", true, u"3"},
        {u"1", u"x", false, u"x"}, // nobody listens: nothing written
        {u"2525", u"x", true, u"1"},
    };
    ServerDialog dialog(f.context);
    dialog.show();
    int uploads = 0;
    for (const UploadCase& c : cases) {
        ASSERT_EQ(file.update([&](settings::PrivateProfile& profile) {
            profile.setValue(kServerSection, u"SMTP", u"127.0.0.1");
            profile.setValue(kServerSection, u"SMTPPORT", c.port);
            profile.setValue(kServerSection, u"UPLOADADDR", u"upload@sarvo.test");
        }),
                  "");
        RecordingInteractive quiet;
        melody::ParserState state;
        library::SongInfo info;
        info.properties = f.context.song;
        info.icon = c.iconBefore;
        ASSERT_TRUE(f.library.saveSong(info, f.context.melody, {}, state, quiet).ok());
        QSignalSpy finished(&dialog, &ServerDialog::exchangeFinished);
        QTest::mouseClick(child<QPushButton>(dialog, "cmdMail"), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(finished.first().first().toBool(), c.delivered);
        EXPECT_EQ(f.library.loadSong(f.context.song.name)->info.icon, c.iconAfter);
        // The count grows with every attempt, delivered or not.
        EXPECT_EQ(child<QLabel>(dialog, "lblUpNum")->text(), QString::number(++uploads));
    }
    EXPECT_EQ(file.uploadCount(), uploads);
    app::testing::saveScreenshot(dialog, QStringLiteral("serverdialog-uploaded"));
    QTest::qWait(1500);
    const QStringList arrived =
        QDir(dir + QStringLiteral("/boxes/upload/Maildir/new")).entryList(QDir::Files);
    EXPECT_EQ(arrived.size(), 2);
}

} // namespace
} // namespace sarvo::mail
