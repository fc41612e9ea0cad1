#include "common/textcodec.h"
#include "settings/preferences.h"
#include "settings/privateprofile.h"
#include "settings/scrambling.h"
#include "settings/settingsfile.h"

#include "../common/tempfolder.h"
#include "preferencekeys.h"

#include <gtest/gtest.h>

#include <map>

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

// The section "設定" the preferences write, key by key.
std::map<std::u16string, std::u16string> written(const Preferences& preferences) {
    PrivateProfile profile;
    writePreferences(profile, preferences);
    const auto entries = profile.entries(kPreferencesSection);
    return {entries.begin(), entries.end()};
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

// A stored value read as the dialog shows it, seen in what OK writes back: the value it means,
// or (nullptr) the design-time value for an unknown one; out-of-range values take the nearest
// end. Every other key keeps its design-time value.
TEST(Preferences, StoredValuesReadAsTheDialogShowsThem) {
    struct Case {
        std::u16string key, stored;
        const char16_t* meant;
    };
    const std::vector<Case> cases = {
        {u"キー割り当て", u"Q W E", nullptr},
        {u"キー割り当て", u"A S D F G H J W E T Y U", u"A S D F G H J W E T Y U"},
        {u"携帯タイプ", u",Type-AM,Type-B,Type-ZZ,type-c,Type-A", u",Type-A,Type-B,Type-AM"},
        {u"携帯タイプ", u",Type-ZZ", u""},
        {u"携帯タイプ", u"", nullptr},
        {u"入力音", u"入力音なし", u"入力音なし"},
        {u"入力音", u"大きい", nullptr},
        {u"テンポ", u"速い", nullptr},
        {u"テンポの音符", u"F", nullptr},
        {u"テンポ基準値", u"21", u"20"},
        {u"テンポ基準値", u"-3", u"0"},
        {u"テンポ基準値", u"x", nullptr},
        {u"入力画面のフォントサイズ", u"0", nullptr},
        {u"入力画面のフォントボールド", u"0", u"0"},
        {u"使用者", u"佐藤", u"佐藤"},
        {u"言語", u"en", u"en"},
        {u"言語", u"English", nullptr},
    };
    for (const Case& c : cases) {
        PrivateProfile profile;
        profile.setValue(kPreferencesSection, c.key, c.stored);
        auto expected = written(Preferences());
        if (c.meant)
            expected[c.key] = c.meant;
        EXPECT_EQ(written(readPreferences(profile)), expected)
            << sjis(c.key) << "=" << sjis(c.stored);
    }
}

// Each tab's reset button gives back the design-time values of its own keys (a range of
// kPreferenceKeys); the other keys, the user name and the language among them, keep theirs.
TEST(Preferences, ResetTabsResetOnlyTheirOwnKeys) {
    struct Case {
        int tab;
        size_t first, last;
    };
    const auto designTime = written(Preferences());
    const auto changed = written(changedEverywhere());
    for (const Case& c : std::vector<Case>{{0, 0, 6}, {1, 7, 7}, {2, 8, 15}, {3, 16, 16}}) {
        Preferences p = changedEverywhere();
        p.resetTab(c.tab);
        const auto reset = written(p);
        for (size_t k = 0; k < kPreferenceKeys.size(); ++k) {
            const std::u16string& key = kPreferenceKeys[k];
            EXPECT_EQ(reset.at(key), (k >= c.first && k <= c.last ? designTime : changed).at(key))
                << c.tab << " " << sjis(key);
        }
    }
}

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
    // Reading a missing file writes nothing.
    EXPECT_EQ(settings.mailPassword(), std::nullopt);
    EXPECT_EQ(settings.mailSettings(), MailSettings());
    EXPECT_FALSE(std::filesystem::exists(settings.path()));

    const WindowPlacement placement{1800, {1, 2, 3, 4, 5, 6, 7}, 10, 20, 7000, 9000};
    ASSERT_EQ(settings.saveWindowPlacement(placement), "");
    MailSettings mail{4,
                      {u"smtp.example.jp", u"", u"mail.example.jp"},
                      {u"pop.example.jp"},
                      {},
                      {},
                      {u"taro"},
                      u"587",
                      u"995",
                      u"",
                      true,
                      true};
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

// A stored mail section reads as the one beside it: a mail type that is no number or out of
// range is the default, text after a list's last comma is no entry.
TEST(SettingsFile, MailValuesOutsideTheirRangeAreTheDefaults) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"MAILTYPE=x", u""},
        {u"MAILTYPE=5", u""},
        {u"MAILTYPE=-1", u""},
        {u"POP3=a,b,c\r\nMAILTYPE=0", u"POP3=a,b,\r\nMAILTYPE=0"},
    };
    testing::TempFolder folder;
    const auto mailIn = [&](const std::u16string& section) {
        testing::writeBytes(folder.path() / "Sarvo.ini", sjis(u"[メイル]\r\n" + section + u"\r\n"));
        return SettingsFile(folder.path() / "Sarvo.ini").mailSettings();
    };
    for (const auto& [stored, meant] : cases)
        EXPECT_EQ(mailIn(stored), mailIn(meant)) << sjis(stored);
    EXPECT_EQ(mailIn(u"MAILTYPE=0").mailType, 0);
}

} // namespace
} // namespace sarvo::settings
