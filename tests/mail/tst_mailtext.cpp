// The mail texts of the five services byte for byte, and their recognition.

#include "../common/tempfolder.h"
#include "mail/accountimport.h"
#include "mail/mailcompose.h"
#include "mail/mailparse.h"
#include "mail/receivedsongs.h"

#include <gtest/gtest.h>

#include <fstream>

namespace sarvo::mail {
namespace {

OutgoingMail sampleMail(MailKind kind, std::u16string melody = u"C中ド ") {
    OutgoingMail mail;
    mail.kind = kind;
    mail.ownAddress = u"me@example.jp";
    mail.destination = kind == MailKind::IMelodyUrl ? u"upload@sarvo.invalid" : u"you@example.jp";
    mail.userName = u"Taro";
    mail.subject = u"Song[Singer]";
    mail.body = u"Hi";
    mail.imodeAddress = u"taro";
    mail.songName = u"N";
    mail.kashu = u"K";
    mail.jan = u"J";
    mail.time = {2000, 12, 31, 23, 59, 0};
    formats::Ringtone ringtone{u"N", formats::TempoUnit::quarterNotes(120), {{melody}}};
    RecordingInteractive ui;
    mail.attachment = encodeAttachment(kind, ringtone, mail.subject, ui).value;
    return mail;
}

std::string composed(const OutgoingMail& mail) {
    const Converted<std::string> text = composeMail(mail);
    EXPECT_TRUE(text.ok()) << std::string(text.error.begin(), text.error.end());
    return text.value;
}

constexpr const char* kHead = "From: Taro<me@example.jp>\r\nTo: ";
constexpr const char* kFields = "\r\nMIME-Version: 1.0\r\nX-Mailer: Sarvo Ver 1.6Z\r\n"
                                "X-Sarvo-Name: N\r\nX-Sarvo-Kashu: K\r\nX-Sarvo-JAN: J\r\n";
constexpr const char* kTextPart = "Content-type: Text/Plain;charset=iso-2022-jp\r\n";
constexpr const char* kMld = "bWVsbwAAAEwAGwEBAXNvcmMAAQF0aXRsAAFOdmVycwAEMDEwMHRyYWMAAAAnAP/DeAD/"
                             "0AAA/+I/AP/ifwD/4r8A/+L/AP/gBwD/4QIAGzAw/98A";

TEST(MailText, EveryKindByteForByte) {
    const std::string subject = "Subject: Song[Singer]\r\n";
    const std::string to = std::string(kHead) + "you@example.jp" + kFields;
    const std::string boundary = "Content-Type: Multipart/Mixed;boundary=\"200012312359\"\r\n";
    const std::pair<MailKind, std::string> cases[] = {
        {MailKind::PmailDx,
         subject + to + "X-Sarvo-Mail-Type: PDX\r\n" + boundary +
             "Status:\r\n\r\n--200012312359\r\n" + kTextPart +
             "\r\nHi\r\n--200012312359\r\nContent-type: Audio/X-Alpha5; Name=\"melo0001.als\"\r\n"
             "Content-Transfer-Encoding: Base64\r\n\r\n4fBTb25nW1Npbmdlcl398XjEM/8=\r\n"
             "--200012312359\r\nHi\r\n--200012312359\r\nContent-type: "
             "X-PmailDX/X-BANDAI;Type=03\r\n\r\nBIQI/w==\r\n--200012312359--"},
        {MailKind::Kyara,
         to + "X-Sarvo-Mail-Type: CML\r\n" + kTextPart + "\r\nMSG=Song[Singer]***Hi]]6415\r\n"},
        {MailKind::IMelody,
         subject + to + "X-Sarvo-Mail-Type: MLD\r\n" + kTextPart + "\r\n--B:M\r\n" + kMld},
        {MailKind::SkyMelody,
         subject + to + "X-Sarvo-Mail-Type: SMD\r\n" + boundary + "--200012312359\r\n" + kTextPart +
             "\r\nHi\r\n--200012312359\r\nContent-Type: application/octet-stream; "
             "name=\"sarvo.smd\"\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: "
             "attachment; filename=\"sarvo.smd\"\r\n\r\nThskRCEqNg8=\r\n--200012312359"},
        {MailKind::IMelodyUrl, std::string(kHead) + "upload@sarvo.invalid" + kFields +
                                   "X-Sarvo-Mail-Type: MLD\r\nX-imode-User-Addr: taro\r\n" +
                                   kTextPart + "\r\n--B:M\r\n" + kMld},
    };
    for (const auto& [kind, expected] : cases)
        EXPECT_EQ(composed(sampleMail(kind)), expected) << static_cast<int>(kind);
}

TEST(MailText, LongJapaneseSubjectFoldsIntoEncodedWords) {
    OutgoingMail mail = sampleMail(MailKind::IMelody);
    mail.subject = std::u16string(25, u'曲');
    const std::string text = composed(mail);
    const std::string head = text.substr(0, text.find("From:"));
    // "Subject:" alone, a word of 18 characters (74 long), a word of 7 and its blank.
    ASSERT_EQ(head.find("Subject:\r\n =?ISO-2022-JP?B?"), 0u) << head;
    const size_t second = head.find("\r\n =?", 12);
    EXPECT_EQ(second - 11, 74u) << head;
    EXPECT_EQ(head.substr(head.size() - 5), "?= \r\n");

    mail.subject = u"ｱｲ"; // half-width katakana have no ISO-2022-JP form
    EXPECT_FALSE(composeMail(mail).ok());
}

TEST(MailText, ChordOfMoreThanFourPartsAsks) {
    const std::vector<std::u16string> five{u"a", u"b", u"c", u"d", u"e"};
    struct Case {
        std::vector<std::u16string> selected;
        std::optional<Answer> answer;
        size_t parts;
    };
    const Case cases[] = {
        {{u"a", u"b", u"c"}, std::nullopt, 3}, {five, Answer::Yes, 4}, {five, Answer::No, 0}};
    for (const Case& c : cases) {
        RecordingInteractive ui;
        if (c.answer)
            ui.queueAnswer(*c.answer);
        EXPECT_EQ(chordParts(c.selected, ui).size(), c.parts);
        EXPECT_EQ(ui.questions().size(), c.answer ? 1u : 0u);
    }
}

struct ParseCase {
    const char* what;
    MailKind composedAs;
    MailKind parsedAs;
    std::u16string subject, kashu;
    std::vector<std::u16string> names; // empty: not recognised
    std::u16string expectedKashu;
};

TEST(MailText, RecognisesOnlyItsOwnKindAndReadsTheSubject) {
    const ParseCase cases[] = {
        {"P-mail DX",
         MailKind::PmailDx,
         MailKind::PmailDx,
         u"春の歌[歌手名]",
         u"",
         {u"春の歌"},
         u"歌手名"},
        {"kyara", MailKind::Kyara, MailKind::Kyara, u"夏「うた」", u"", {u"夏"}, u"うた"},
        {"i-melody",
         MailKind::IMelody,
         MailKind::IMelody,
         std::u16string(25, u'曲'),
         u"作者",
         {std::u16string(25, u'曲')},
         u"作者"},
        {"Sky Melody",
         MailKind::SkyMelody,
         MailKind::SkyMelody,
         u"[Intro]",
         u"",
         {u"[Intro]"},
         u""},
        {"i-melody as Sky Melody", MailKind::IMelody, MailKind::SkyMelody, u"x", u"", {}, u""},
        {"Sky Melody as P-mail DX", MailKind::SkyMelody, MailKind::PmailDx, u"x", u"", {}, u""},
        {"kyara as i-melody", MailKind::Kyara, MailKind::IMelody, u"x", u"", {}, u""},
        {"URL notice", MailKind::IMelodyUrl, MailKind::IMelodyUrl, u"x", u"", {}, u""},
    };
    for (const ParseCase& c : cases) {
        OutgoingMail mail = sampleMail(c.composedAs, u"C中ド D.高ソ# ");
        mail.subject = c.subject;
        mail.kashu = c.kashu;
        RecordingInteractive ui;
        const auto songs = parseMail(c.parsedAs, composed(mail), ui);
        ASSERT_EQ(songs.has_value(), !c.names.empty()) << c.what;
        if (!songs)
            continue;
        ASSERT_EQ(songs->size(), 1u) << c.what;
        const ReceivedSong& song = songs->front();
        EXPECT_EQ(song.name, c.names.front()) << c.what;
        EXPECT_EQ(song.kashu, c.expectedKashu) << c.what;
        EXPECT_EQ(song.melody, u"C中ド D.高ソ# ") << c.what;
        EXPECT_EQ(song.from, u"Taro<me@example.jp>") << c.what;
        EXPECT_EQ(song.jan, kReceivedGenre) << c.what;
    }
}

TEST(MailText, ChordPartsDateAndKyaraWithoutBoundary) {
    OutgoingMail mail = sampleMail(MailKind::SkyMelody);
    formats::Ringtone chord{
        u"N", formats::TempoUnit::quarterNotes(120), {{u"C中ド "}, {u"C中ミ "}, {u"C中ソ "}}};
    RecordingInteractive ui;
    mail.attachment = encodeAttachment(MailKind::SkyMelody, chord, mail.subject, ui).value;
    const auto songs = parseMail(MailKind::SkyMelody, composed(mail), ui);
    ASSERT_TRUE(songs);
    ASSERT_EQ(songs->size(), 3u);
    EXPECT_EQ((*songs)[1].name, u"Song-Sub1");
    EXPECT_EQ((*songs)[2].name, u"Song-Sub2");
    EXPECT_EQ((*songs)[2].melody, u"C中ソ ");
    EXPECT_EQ((*songs)[0].date, u"2000/12/31 23:59");
    EXPECT_EQ((*songs)[0].body, u"Hi");

    // A boundary that is no date leaves the Date header; a kyara-mail is recognised with a
    // boundary header as without.
    std::string text = composed(sampleMail(MailKind::SkyMelody));
    for (size_t at; (at = text.find("200012312359")) != std::string::npos;)
        text.replace(at, 12, "200013312359");
    text = "Date: Sun, 31 Dec 2000\r\n" + text;
    EXPECT_EQ(parseMail(MailKind::SkyMelody, text, ui)->front().date, u"Sun, 31 Dec 2000");
    const std::string kyara =
        "Content-Type: Multipart/Mixed;boundary=\"x\"\r\n" + composed(sampleMail(MailKind::Kyara));
    EXPECT_EQ(parseMail(MailKind::Kyara, kyara, ui)->front().melody, u"C中ド ");
}

TEST(MailText, StoredSongsFollowTheNameClashChoice) {
    testing::TempFolder folder;
    const library::SongLibrary library{library::LibraryFolders(folder.path())};
    const ReceivedSong song{u"Song", u"K",      u"J-POP", u"a@b", u"2000/12/31 23:59",
                            120,     u"C中ド ", u"Hi"};
    RecordingInteractive ui;
    const auto store = [&](std::optional<Answer> answer) {
        return storeReceivedSongs(library, {song}, u"7", {}, fixedNameClashChoice(library, answer),
                                  ui)
            .names;
    };
    EXPECT_EQ(store(std::nullopt), std::vector<std::u16string>{u"Song"});
    EXPECT_EQ(store(std::nullopt), std::vector<std::u16string>{u"Song(2)"});
    EXPECT_EQ(store(Answer::Yes), std::vector<std::u16string>{u"Song"});
    EXPECT_TRUE(store(Answer::No).empty());
    const auto stored = library.loadSong(u"Song(2)");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->info.properties.tenpo, u"120");
    EXPECT_EQ(stored->info.properties.neiro, u"7");
    EXPECT_EQ(stored->info.date, u"2000/12/31 23:59");
    EXPECT_EQ(stored->melody, u"C中ド ");
}

TEST(MailText, ThunderbirdDefaultAccount) {
    const std::string prefs =
        "user_pref(\"mail.accountmanager.defaultaccount\", \"account2\");\n"
        "user_pref(\"mail.account.account2.server\", \"server3\");\n"
        "user_pref(\"mail.account.account2.identities\", \"id1\");\n"
        "user_pref(\"mail.identity.id1.smtpServer\", \"smtp2\");\n"
        "user_pref(\"mail.server.server3.hostname\", \"pop.example.jp\");\n"
        "user_pref(\"mail.server.server3.userName\", \"taro\");\n"
        "user_pref(\"mail.smtpserver.smtp2.hostname\", \"smtp.example.jp\");\n";
    struct Case {
        const char* profilesIni;
        bool found;
    };
    const Case cases[] = {
        {"[Profile0]\nPath=other\n[Profile1]\nPath=p\n[Install1]\nDefault=p\n", true},
        {"[Profile0]\nPath=other\n[Profile1]\nPath=p\nDefault=1\n", true},
        {"[Profile0]\nPath=other\n", false},
    };
    for (const Case& c : cases) {
        testing::TempFolder home;
        std::filesystem::create_directories(home.path() / ".thunderbird/p");
        std::ofstream(home.path() / ".thunderbird/profiles.ini") << c.profilesIni;
        std::ofstream(home.path() / ".thunderbird/p/prefs.js") << prefs;
        const auto account = readThunderbirdAccount(home.path());
        ASSERT_EQ(account.has_value(), c.found) << c.profilesIni;
        if (!account)
            continue;
        EXPECT_EQ(account->pop3Server, u"pop.example.jp");
        EXPECT_EQ(account->smtpServer, u"smtp.example.jp");
        EXPECT_EQ(account->userId, u"taro");
        const settings::SettingsFile file(home.path() / "Sarvo.ini");
        ASSERT_EQ(saveImportedAccount(file, *account), "");
        EXPECT_EQ(file.mailSettings().userIds, std::vector<std::u16string>{u"taro"});
    }
}

} // namespace
} // namespace sarvo::mail
