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

TEST(UiLanguage, FollowsTheFirstLocaleVariableSet) {
    using enum UiLanguage;
    EXPECT_EQ(localeLanguage("", "", "ja_JP.UTF-8"), Japanese);
    EXPECT_EQ(localeLanguage("", "", ""), English);
    EXPECT_EQ(localeLanguage("C", "", "ja_JP.UTF-8"), English);
    EXPECT_EQ(localeLanguage("", "ja_JP.eucJP", "C"), Japanese);
    EXPECT_EQ(localeLanguage("ja_JP", "en_US", "en_US"), Japanese);
    EXPECT_EQ(chosenLanguage(LanguageChoice::Automatic, Japanese), Japanese);
    EXPECT_EQ(chosenLanguage(LanguageChoice::English, Japanese), English);
}

TEST(EnglishTexts, TranslateWholeLinesAndCarryTheVaryingParts) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"「春の歌」を保存しますか？", u"Save “春の歌”?"},
        {u"Type-A [P206]：表現できない音符が 3 個あります（変換エラー！）",
         u"Type-A [P206]: 3 notes cannot be expressed (Conversion error!)"},
        {u"和音の試聴は26パートまでです。\n上から26曲を試聴しますか？",
         u"Chord playback takes up to 26 parts.\nPlay the first 26 songs?"},
        {u"知らない文\n変換エラー！", u"知らない文\nConversion error!"}, // unknown lines stay
        {u"着信音１", u"Ringtone 1"}, // full-width digits of a part become ASCII
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
// clang-format off
constexpr const char* kContentSources[] = {
    "keyguide/types/", "keyguide/macrotexts.cpp", "keyguide/keyreading.h",
    "keyguide/keyconversion.h", "keyguide/phonetypes.cpp", "melody/pitchkeytable.",
    "melody/notecodes.cpp", "melody/foreignnotation.cpp", "melody/staffglyphs",
    "melody/tokenvalidation.cpp", "melody/filenames.cpp", "melody/noteparser.cpp", "melody/note.h",
    "settings/settingsfile.cpp", "settings/scrambling.cpp", "settings/preferences.",
    "library/song.h", "mail/serversettings.h", "mail/mailfields.cpp", "mail/accountimport.cpp",
    "mail/pop3session.cpp", "mail/smtpsession.cpp", "mail/exchange.", "mail/mailcompose.h",
    "mail/mailpassword.cpp", "cable/protocollog.h", "cable/commdialog.cpp",
    "sound/trackroles.cpp", "sound/midiimport.cpp", "/ui/", "/net/"};
// clang-format on

// A line is covered when it is a note or octave name, as the keyboard panels label them, or a
// catalogue key holds it (messages are built from pieces).
bool covered(std::u16string_view line) {
    return !holdsJapanese(line) ||
           line.find_first_not_of(u"ドレミファソラシ#低中高音") == std::u16string_view::npos ||
           std::ranges::any_of(englishTexts(), [&](const EnglishText& text) {
               return text.japanese.find(line) != std::u16string_view::npos;
           });
}

TEST(EnglishTexts, EveryJapaneseTextOfTheCoreLibrariesHasAnEntry) {
    const std::regex literal(R"re(u"((?:[^"\\]|\\.)*)")re");
    std::string missing;
    for (const char* library : {"common", "keyguide", "formats", "library", "sound", "mail",
                                "cable", "settings", "melody"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 SARVO_SOURCE_DIR "/src/" + std::string(library))) {
            const std::string path = entry.path().string();
            if (!entry.is_regular_file() ||
                std::ranges::any_of(kContentSources, [&](const char* s) {
                    return path.find(s) != std::string::npos;
                }))
                continue;
            std::stringstream text;
            text << std::ifstream(entry.path()).rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end;
                 ++it) {
                // Escaped line ends split a message into its catalogue lines.
                std::u16string rest = fromUtf8((*it)[1].str()).value_or(u"") + u"\\n";
                for (size_t at; (at = rest.find(u"\\n")) != rest.npos; rest.erase(0, at + 2))
                    if (!covered(std::u16string_view(rest).substr(0, at)))
                        missing += path + ": " + (*it)[1].str() + "\n";
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << missing;
}

} // namespace
} // namespace sarvo
