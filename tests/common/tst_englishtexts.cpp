// The interface language: the locale and setting rules, the core catalogue's matching, and that
// every Japanese text the core libraries can hand to the user has an English form.

#include "common/englishtexts.h"
#include "common/textcodec.h"
#include "common/uilanguage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace sarvo {
namespace {

struct LocaleCase {
    const char *lcAll, *lcMessages, *lang;
    UiLanguage expected;
};

TEST(UiLanguage, FollowsTheFirstLocaleVariableSet) {
    const LocaleCase cases[] = {
        {"", "", "ja_JP.UTF-8", UiLanguage::Japanese},
        {"", "", "en_GB.UTF-8", UiLanguage::English},
        {"", "", "", UiLanguage::English},
        {"C", "", "ja_JP.UTF-8", UiLanguage::English},
        {"", "ja_JP.eucJP", "C", UiLanguage::Japanese},
        {"ja_JP", "en_US", "en_US", UiLanguage::Japanese},
    };
    for (const LocaleCase& c : cases)
        EXPECT_EQ(localeLanguage(c.lcAll, c.lcMessages, c.lang), c.expected)
            << c.lcAll << "|" << c.lcMessages << "|" << c.lang;
    EXPECT_EQ(chosenLanguage(LanguageChoice::Automatic, UiLanguage::Japanese),
              UiLanguage::Japanese);
    EXPECT_EQ(chosenLanguage(LanguageChoice::English, UiLanguage::Japanese), UiLanguage::English);
    EXPECT_EQ(chosenLanguage(LanguageChoice::Japanese, UiLanguage::English), UiLanguage::Japanese);
}

TEST(EnglishTexts, TranslateWholeLinesAndCarryTheVaryingParts) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"変換エラー！", u"Conversion error!"},
        {u"「春の歌」を保存しますか？", u"Save “春の歌”?"},
        {u"Type-A [P206]：表現できない音符が 3 個あります（変換エラー！）",
         u"Type-A [P206]: 3 notes cannot be expressed (Conversion error!)"},
        {u"[4分音符] キー入力：C", u"[quarter note] key: C"},
        {u"和音の試聴は26パートまでです。\n上から26曲を試聴しますか？",
         u"Chord playback takes up to 26 parts.\nPlay the first 26 songs?"},
        {u"知らない文\n変換エラー！", u"知らない文\nConversion error!"}, // unknown lines stay
        {u"中ド", u"中ド"},
        {u"着信音１", u"Ringtone 1"}, // full-width digits of a part become ASCII
        {u"着信音00", u"Ringtone 00"},
    };
    for (const auto& [japanese, english] : cases)
        EXPECT_EQ(toEnglish(japanese), english) << toUtf8(japanese);
}

bool holdsJapanese(std::u16string_view text) {
    return std::ranges::any_of(text, [](char16_t c) {
        return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
               (c >= 0xFF66 && c <= 0xFF9F);
    });
}

size_t holes(std::u16string_view text) {
    size_t count = 0;
    for (size_t at = text.find(u"{}"); at != text.npos; at = text.find(u"{}", at + 2))
        ++count;
    return count;
}

TEST(EnglishTexts, EveryEntryIsEnglishWithTheSameParts) {
    for (const EnglishText& text : englishTexts()) {
        EXPECT_FALSE(holdsJapanese(text.english)) << toUtf8(text.english);
        EXPECT_EQ(holes(text.japanese), holes(text.english)) << toUtf8(text.japanese);
    }
}

// Core sources whose Japanese is content the user types or files keep, never interface text:
// key texts of the phone types, note names, settings sections and keys, protocol logs; and the
// cable dialog, whose texts the window catalogue holds.
constexpr const char* kContentSources[] = {
    "keyguide/types/", "keyguide/macrotexts.cpp", "keyguide/keyreading.h",
    "keyguide/keyconversion.h", "keyguide/phonetypes.cpp", "melody/pitchkeytable.",
    "melody/notecodes.cpp", "melody/foreignnotation.cpp", "melody/staffglyphs",
    "melody/tokenvalidation.cpp", "melody/filenames.cpp", "melody/noteparser.cpp", "melody/note.h",
    "settings/settingsfile.cpp", "settings/scrambling.cpp", "settings/preferences.",
    "library/song.h", "mail/serversettings.h", "mail/mailfields.cpp", "mail/accountimport.cpp",
    "mail/pop3session.cpp", "mail/smtpsession.cpp", "mail/exchange.", "mail/mailcompose.h",
    "mail/mailpassword.cpp", "cable/protocollog.h", "cable/commdialog.cpp",
    "sound/trackroles.cpp", "sound/midiimport.cpp",
};

// Note and octave names, as the keyboard panels label them.
bool isNoteName(std::u16string_view text) {
    return text.find_first_not_of(u"ドレミファソラシ#低中高音") == std::u16string_view::npos;
}

bool isContentSource(const std::string& path) {
    return std::ranges::any_of(kContentSources, [&](const char* content) {
        return path.find(content) != std::string::npos;
    });
}

// A literal is covered when a catalogue key holds it (messages are built from pieces).
bool covered(std::u16string_view literal) {
    for (const EnglishText& text : englishTexts())
        if (text.japanese.find(literal) != std::u16string_view::npos)
            return true;
    return false;
}

TEST(EnglishTexts, EveryJapaneseTextOfTheCoreLibrariesHasAnEntry) {
    const std::filesystem::path src = SARVO_SOURCE_DIR "/src";
    const std::regex literal(R"re(u"((?:[^"\\]|\\.)*)")re");
    std::vector<std::string> missing;
    for (const char* library : {"common", "keyguide", "formats", "library", "sound", "mail",
                                "cable", "settings", "melody"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(src / library)) {
            const std::string path = entry.path().string();
            if (!entry.is_regular_file() || path.find("/ui/") != std::string::npos ||
                path.find("/net/") != std::string::npos || isContentSource(path))
                continue;
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), literal), last; it != last;
                 ++it) {
                const std::string body = (*it)[1];
                std::u16string line = fromUtf8(body).value_or(u"");
                // Escaped line ends split a message into its catalogue lines.
                for (size_t at; (at = line.find(u"\\n")) != line.npos;)
                    line.replace(at, 2, u"\n");
                std::u16string_view rest = line;
                while (!rest.empty()) {
                    const size_t end = rest.find(u'\n');
                    const std::u16string_view piece = rest.substr(0, end);
                    if (holdsJapanese(piece) && !isNoteName(piece) && !covered(piece))
                        missing.push_back(path + ": " + body);
                    rest = end == rest.npos ? std::u16string_view() : rest.substr(end + 1);
                }
            }
        }
    }
    std::string list;
    for (const std::string& text : missing)
        list += text + "\n";
    EXPECT_TRUE(missing.empty()) << list;
}

} // namespace
} // namespace sarvo
