// The mail texts of the five services byte for byte, and their recognition.

#include "../common/tempfolder.h"
#include "mail/accountimport.h"
#include "mail/mailcompose.h"
#include "mail/mailparse.h"
#include "mail/mailsongs.h"
#include "mail/receivedsongs.h"
#include "mail/uploadmail.h"

#include <gtest/gtest.h>

#include <fstream>

namespace sarvo::mail {
namespace {

OutgoingMail sampleMail(MailKind kind, std::u16string melody = u"C中ド ") {
    const bool upload = kind == MailKind::IMelodyUrl;
    const formats::Ringtone ringtone{u"N", formats::TempoUnit::quarterNotes(120), {{melody}}};
    RecordingInteractive ui;
    return {kind, u"me@example.jp", upload ? u"upload@sarvo.invalid" : u"you@example.jp", u"Taro",
            u"Song[Singer]", u"Hi", u"taro", u"N", u"K", u"J", {2000, 12, 31, 23, 59, 0},
            encodeAttachment(kind, ringtone, u"Song[Singer]", ui).value};
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
    EXPECT_EQ(head.find("\r\n =?", 12) - 11, 74u) << head;
    EXPECT_EQ(head.substr(head.size() - 5), "?= \r\n");

    // Half-width katakana have no ISO-2022-JP form: neither mail is written with them.
    mail.subject = u"ｱｲ";
    EXPECT_FALSE(composeMail(mail).ok());
    EXPECT_FALSE(composeUploadMail({u"曲", u"Name=曲", u"ｱｲ", u"me@a.jp", u"up@a.jp"}).ok());
}

TEST(MailText, DateHeaderWhenTheBoundaryIsNoDateAndKyaraWithABoundary) {
    RecordingInteractive ui;
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
    EXPECT_EQ(stored->melody, u"C中ド ");
}

TEST(MailText, SongsOfAMailKeepAVoiceOnlyWhenItIsAGeneralMidiProgram) {
    testing::TempFolder folder;
    const library::SongLibrary library{library::LibraryFolders(folder.path())};
    const std::pair<std::u16string, int> voices[] = {
        {u"0", 0}, {u"127", 127}, {u"128", formats::kDefaultVoice}, {u"", formats::kDefaultVoice}};
    std::vector<std::u16string> names;
    for (const auto& [neiro, voice] : voices) {
        names.push_back(u"曲" + neiro);
        RecordingInteractive ui;
        melody::ParserState state;
        const library::SongProperties song{names.back(), u"", u"", u"", u"120", neiro};
        ASSERT_TRUE(library.saveSong({.properties = song}, u"C中ド ", {}, state, ui).ok());
    }
    const Converted<MailSongs> songs = loadMailSongs(library, names, u"C", 100);
    ASSERT_EQ(songs.value.ringtone.parts.size(), std::size(voices));
    for (size_t i = 0; i < std::size(voices); ++i)
        EXPECT_EQ(songs.value.ringtone.parts[i].voice, voices[i].second) << i;
    EXPECT_EQ(loadMailSongs(library, {u"無い"}, u"C", 100).error,
              u"「無い」という曲はありません。");
}

TEST(MailText, ThunderbirdDefaultAccount) {
    const auto pref = [](const char* key, const char* value) {
        return "user_pref(\"mail." + std::string(key) + "\", \"" + value + "\");\n";
    };
    const std::string account = pref("accountmanager.defaultaccount", "account2");
    const std::string prefs = pref("account.account2.server", "server3") +
                              pref("account.account2.identities", "id1") +
                              pref("server.server3.hostname", "pop.example.jp") +
                              pref("server.server3.userName", "taro") +
                              pref("smtpserver.smtp2.hostname", "smtp.example.jp");
    const std::string identitySmtp = pref("identity.id1.smtpServer", "smtp2");
    const std::string install =
        "[Profile0]\nPath=other\n[Profile1]\nPath=p\n[Install1]\nDefault=p\n";
    const std::tuple<std::string, std::string, bool> cases[] = {
        {install, account + identitySmtp + prefs, true},
        {"[Profile0]\nPath=other\n[Profile1]\nPath=p\nDefault=1\n", account + identitySmtp + prefs,
         true},
        {install, account + pref("smtp.defaultserver", "smtp2") + prefs, true},
        {install, identitySmtp + prefs, false}, // no account set up yet
        {"[Profile0]\nPath=other\n", account + identitySmtp + prefs, false},
    };
    for (const auto& [profilesIni, prefsJs, found] : cases) {
        testing::TempFolder home;
        std::filesystem::create_directories(home.path() / ".thunderbird/p");
        std::ofstream(home.path() / ".thunderbird/profiles.ini") << profilesIni;
        std::ofstream(home.path() / ".thunderbird/p/prefs.js") << prefsJs;
        const auto imported = readThunderbirdAccount(home.path());
        ASSERT_EQ(imported.has_value(), found) << profilesIni << prefsJs;
        if (!imported)
            continue;
        EXPECT_EQ(std::tuple(imported->pop3Server, imported->smtpServer, imported->userId),
                  std::tuple(u"pop.example.jp", u"smtp.example.jp", u"taro"));
        const settings::SettingsFile file(home.path() / "Sarvo.ini");
        ASSERT_EQ(saveImportedAccount(file, *imported), "");
        EXPECT_EQ(file.mailSettings().userIds, std::vector<std::u16string>{u"taro"});
    }
}

} // namespace
} // namespace sarvo::mail
