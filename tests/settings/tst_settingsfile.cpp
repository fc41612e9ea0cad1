#include "common/textcodec.h"
#include "keyguide/phonetypes.h"
#include "settings/preferences.h"
#include "settings/privateprofile.h"
#include "settings/scrambling.h"
#include "settings/settingsfile.h"

#include "../common/tempfolder.h"
#include "preferencekeys.h"

#include <gtest/gtest.h>

#include <functional>

namespace sarvo::settings {
namespace {

using testdata::kPreferenceKeys;

std::string sjis(std::u16string_view text) {
    return toCp932(text).value();
}

std::vector<std::u16string> keysOf(const PrivateProfile& profile, std::u16string_view section) {
    std::vector<std::u16string> keys;
    for (const auto& entry : profile.entries(section))
        keys.push_back(entry.first);
    return keys;
}

Preferences changedEverywhere() {
    Preferences p;
    p.voice = u"005: Electric Piano 1";
    p.inputSound = InputSound::FollowNote;
    p.tempo = 180;
    p.tempoNote = u"D.";
    p.testNote = u"E";
    p.tempoBase = 7;
    p.staffCursorStays = true;
    p.keyMap = 2;
    p.inputFont = {u"Sarvo", 20, false, u"CDE"};
    p.displayFont = {u"IPAGothic", 11, true, u"あいう"};
    p.phoneTypes = {2, 6, 40};
    p.userName = u"山田";
    p.language = LanguageChoice::English;
    return p;
}

TEST(Preferences, AFileWithoutTheSectionGivesDesignTimeValuesAndOkWritesAFullSection) {
    PrivateProfile profile(sjis(u"[メイン]\r\nWidth=100\r\n"));
    const Preferences read = readPreferences(profile);
    EXPECT_EQ(read, Preferences());
    writePreferences(profile, read);
    EXPECT_EQ(keysOf(profile, kPreferencesSection), kPreferenceKeys);
    EXPECT_EQ(profile.value(u"設定", u"携帯タイプ").substr(0, 15), u",Type-A,Type-B,");
    EXPECT_EQ(profile.value(u"設定", u"キー割り当て"), u"1 2 3 4 5 6 7 Q W R T Y");
    EXPECT_EQ(profile.value(u"設定", u"入力画面のフォントボールド"), u"1");
    // The other section is untouched.
    EXPECT_TRUE(profile.bytes().starts_with(sjis(u"[メイン]\r\nWidth=100\r\n\r\n[設定]\r\n")));
}

TEST(Preferences, EveryValueSurvivesAWriteAndARead) {
    const Preferences written = changedEverywhere();
    PrivateProfile profile;
    writePreferences(profile, written);
    EXPECT_EQ(readPreferences(PrivateProfile(profile.bytes())), written);
    EXPECT_EQ(profile.value(u"設定", u"携帯タイプ"), u",Type-A,Type-E,Type-AM");
    EXPECT_EQ(profile.value(u"設定", u"入力音"), u"音符に従う");
}

// A stored value read as the dialog shows it: what it changes from the design-time values, where
// an unknown or out-of-range value keeps them or takes the nearest end.
TEST(Preferences, StoredValuesReadAsTheDialogShowsThem) {
    struct Case {
        std::u16string key, stored;
        std::function<void(Preferences&)> change;
    };
    const std::vector<Case> cases = {
        {u"キー割り当て", u"Q W E",
         [](Preferences&) {
         }},
        {u"キー割り当て", u"A S D F G H J W E T Y U",
         [](Preferences& p) {
             p.keyMap = 1;
         }},
        {u"携帯タイプ", u",Type-AM,Type-B,Type-ZZ,type-c,Type-A",
         [](Preferences& p) {
             p.phoneTypes = {2, 3, 40};
         }},
        {u"携帯タイプ", u",Type-ZZ",
         [](Preferences& p) {
             p.phoneTypes.clear();
         }},
        {u"携帯タイプ", u"",
         [](Preferences&) {
         }},
        {u"入力音", u"入力音なし",
         [](Preferences& p) {
             p.inputSound = InputSound::None;
         }},
        {u"入力音", u"大きい",
         [](Preferences&) {
         }},
        {u"テンポ", u"速い",
         [](Preferences&) {
         }},
        {u"テンポの音符", u"F",
         [](Preferences&) {
         }},
        {u"テンポ基準値", u"21",
         [](Preferences& p) {
             p.tempoBase = 20;
         }},
        {u"テンポ基準値", u"-3",
         [](Preferences& p) {
             p.tempoBase = 0;
         }},
        {u"テンポ基準値", u"x",
         [](Preferences&) {
         }},
        {u"入力画面のフォントサイズ", u"0",
         [](Preferences&) {
         }},
        {u"入力画面のフォントボールド", u"0",
         [](Preferences& p) {
             p.inputFont.bold = false;
         }},
        {u"使用者", u"佐藤",
         [](Preferences& p) {
             p.userName = u"佐藤";
         }},
        {u"言語", u"en",
         [](Preferences& p) {
             p.language = LanguageChoice::English;
         }},
        {u"言語", u"English",
         [](Preferences&) {
         }},
    };
    for (const Case& c : cases) {
        PrivateProfile profile;
        profile.setValue(kPreferencesSection, c.key, c.stored);
        Preferences expected;
        c.change(expected);
        EXPECT_EQ(readPreferences(profile), expected) << sjis(c.key) << "=" << sjis(c.stored);
    }
}

struct ResetCase {
    int tab;
    std::function<bool(const Preferences&)> resetPart;
};

class ResetTabs : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetTabs, ResetOnlyTheirOwnValues) {
    Preferences p = changedEverywhere();
    p.resetTab(GetParam().tab);
    EXPECT_TRUE(GetParam().resetPart(p));
    // Whatever the tab, the user name stays and the other tabs keep their changes.
    EXPECT_EQ(p.userName, u"山田");
    const Preferences changed = changedEverywhere();
    int unchangedTabs = 0;
    for (int other = 0; other < 4; ++other) {
        Preferences only = changed;
        only.resetTab(other);
        unchangedTabs += only == p ? 1 : 0;
    }
    EXPECT_EQ(unchangedTabs, 1); // p equals the reset of exactly its own tab
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, ResetTabs,
    ::testing::Values(ResetCase{0,
                                [](const Preferences& p) {
                                    return p.voice == kFirstVoice &&
                                           p.inputSound == InputSound::Automatic &&
                                           p.tempo == 100 && p.tempoNote == u"C" &&
                                           p.testNote == u"C" && !p.staffCursorStays &&
                                           p.tempoBase == 15 && p.keyMap == 2;
                                }},
                      ResetCase{1,
                                [](const Preferences& p) {
                                    return p.keyMap == 0 && p.tempo == 180;
                                }},
                      ResetCase{2,
                                [](const Preferences& p) {
                                    return p.inputFont ==
                                               FontChoice{u"Sarvo", 12, true, u"ABCDEFG"} &&
                                           p.displayFont ==
                                               FontChoice{u"ＭＳ ゴシック", 9, false, u"ABCDEFG"};
                                }},
                      ResetCase{3, [](const Preferences& p) {
                                    return p.phoneTypes.size() == size_t(keyguide::kPhoneTypeCount);
                                }}));

TEST(Preferences, NoPhoneTypeKeepsTheDialogOpen) {
    Preferences p;
    EXPECT_EQ(preferencesError(p), std::nullopt);
    p.phoneTypes.clear();
    EXPECT_EQ(preferencesError(p), u"携帯電話タイプは必ず１つは指定して下さい。m(_ _;)m");
}

TEST(Scrambling, SecretsSurviveTheFileAndAreNotStoredPlain) {
    testing::TempFolder folder;
    const SettingsFile settings(folder.path() / "Sarvo.ini");
    const std::u16string secrets[] = {u"1357", u"0000", u"~}|{pass word", u"パスワード",
                                      std::u16string(120, u'~')};
    for (const std::u16string& secret : secrets) {
        ASSERT_EQ(settings.saveMailPassword(secret), "");
        ASSERT_EQ(settings.saveCableSettings({1, 3, u"Type-E", secret}), "");
        EXPECT_EQ(settings.mailPassword(), secret);
        EXPECT_EQ(settings.cableSettings().pin, secret);
        const PrivateProfile stored = settings.profile();
        const std::u16string password = stored.value(u"設定", u"音の状態");
        EXPECT_TRUE(password.starts_with(u"良好"));
        EXPECT_NE(password.substr(2), secret);
        EXPECT_NE(stored.value(u"設定", u"SARVONO"), secret);
    }
    EXPECT_NE(settings.saveMailPassword(std::u16string(121, u'a')), "");
}

TEST(Scrambling, EachStoredCharacterIsRaisedByAKeyDigit) {
    const std::u16string secret(120, u'A');
    const std::u16string pin = scramblePin(secret).value();
    const std::u16string password = disguisePassword(secret).value().substr(2);
    for (const std::u16string* stored : {&pin, &password}) {
        for (char16_t c : *stored)
            EXPECT_TRUE(c >= u'A' && c <= u'A' + 2);
    }
    EXPECT_NE(pin, password); // two different keys
    // The older form, without the prefix, subtracts digits 0 to 9.
    const std::u16string legacy = revealPassword(std::u16string(120, u'Z'));
    for (char16_t c : legacy)
        EXPECT_TRUE(c >= u'Z' - 9 && c <= u'Z');
    EXPECT_NE(legacy, std::u16string(120, u'Z'));
}

TEST(SettingsFile, EachOwnerKeepsTheOthersKeys) {
    testing::TempFolder folder;
    const SettingsFile settings(folder.path() / "Sarvo.ini");
    WindowPlacement placement;
    placement.splitTop = 1800;
    placement.columnWidths = {1, 2, 3, 4, 5, 6, 7};
    placement.top = 10;
    placement.left = 20;
    placement.height = 7000;
    placement.width = 9000;
    ASSERT_EQ(settings.saveWindowPlacement(placement), "");
    MailSettings mail;
    mail.mailType = 4;
    mail.smtpServers = {u"smtp.example.jp", u"", u"mail.example.jp"};
    mail.userIds = {u"taro"};
    mail.keepPassword = true;
    ASSERT_EQ(settings.saveMailSettings(mail), "");
    ASSERT_EQ(settings.savePreferences(changedEverywhere()), "");
    ASSERT_EQ(settings.saveUploadCount(3), "");
    ASSERT_EQ(settings.savePublishAddress(true), "");

    EXPECT_EQ(settings.windowPlacement(), placement);
    mail.smtpServers = {u"smtp.example.jp", u"mail.example.jp"}; // empty entries are not kept
    EXPECT_EQ(settings.mailSettings(), mail);
    EXPECT_EQ(settings.preferences(), changedEverywhere());
    EXPECT_EQ(settings.uploadCount(), 3);
    EXPECT_TRUE(settings.publishAddress());

    const PrivateProfile file = settings.profile();
    EXPECT_EQ(keysOf(file, u"メイン"),
              (std::vector<std::u16string>{u"SplitTop", u"lvw1Width", u"lvw2Width", u"lvw3Width",
                                           u"lvw4Width", u"lvw5Width", u"lvw6Width", u"lvw7Width",
                                           u"Top", u"Left", u"Height", u"Width"}));
    EXPECT_EQ(keysOf(file, u"メイル"),
              (std::vector<std::u16string>{u"MAILTYPE", u"SMTP", u"POP3", u"SENDADDR", u"MYADDR",
                                           u"USERID", u"SMTPPORT", u"POP3PORT", u"IMODEADDR",
                                           u"PASS", u"DEL"}));
    EXPECT_EQ(file.value(u"メイル", u"SMTP"), u"smtp.example.jp,mail.example.jp,");
}

struct MailDefaultCase {
    const char* name;
    std::string file;
    MailSettings expected;
};

class MailDefaults : public ::testing::TestWithParam<MailDefaultCase> {};

TEST_P(MailDefaults, FillWhatIsMissing) {
    testing::TempFolder folder;
    testing::writeBytes(folder.path() / "Sarvo.ini", GetParam().file);
    EXPECT_EQ(SettingsFile(folder.path() / "Sarvo.ini").mailSettings(), GetParam().expected);
}

MailSettings mailWith(std::function<void(MailSettings&)> change) {
    MailSettings mail;
    change(mail);
    return mail;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MailDefaults,
    ::testing::Values(
        MailDefaultCase{"NoSection", "", MailSettings()},
        MailDefaultCase{"MailTypeNotNumeric", sjis(u"[メイル]\r\nMAILTYPE=x\r\n"), MailSettings()},
        MailDefaultCase{"MailTypeOutOfRange", sjis(u"[メイル]\r\nMAILTYPE=7\r\n"), MailSettings()},
        MailDefaultCase{"TextAfterLastCommaIgnored",
                        sjis(u"[メイル]\r\nPOP3=a,b,c\r\nMAILTYPE=0\r\n"),
                        mailWith([](MailSettings& m) {
                            m.pop3Servers = {u"a", u"b"};
                            m.mailType = 0;
                        })},
        MailDefaultCase{"Ports", sjis(u"[メイル]\r\nSMTPPORT=587\r\nPOP3PORT=995\r\nDEL=1\r\n"),
                        mailWith([](MailSettings& m) {
                            m.smtpPort = u"587";
                            m.pop3Port = u"995";
                            m.deleteAfterReceiving = true;
                        })}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsFile, MissingValuesOfOtherOwners) {
    testing::TempFolder folder;
    const SettingsFile settings(folder.path() / "Sarvo.ini");
    EXPECT_EQ(settings.uploadCount(), 0);
    EXPECT_FALSE(settings.publishAddress());
    EXPECT_EQ(settings.mailPassword(), std::nullopt);
    EXPECT_EQ(settings.cableSettings(), CableSettings());
    EXPECT_EQ(settings.windowPlacement(), WindowPlacement());
    // Nothing was written by reading.
    EXPECT_FALSE(std::filesystem::exists(settings.path()));
}

} // namespace
} // namespace sarvo::settings
