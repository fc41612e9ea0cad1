#include "library/libraryfolders.h"
#include "library/songnames.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

namespace sarvo::library {
namespace {

// Widened to file-safe characters, or refused when no file can bear the name.
TEST(SongNames, AreWidenedOrRefused) {
    const std::pair<std::u16string, std::optional<std::u16string>> cases[] = {
        {u"a:b<c>d\\e/f*g?h|i", u"a：b＜c＞d￥e／f＊g？h｜i"},
        {u"", std::nullopt},
        {u".", std::nullopt},
        {u"..", std::nullopt},
        {u"...", u"..."},
        {std::u16string(u"a\0b", 3), std::nullopt},
        {u"a\xD800", std::nullopt}, // lone surrogate
        // 251 bytes and ".ini" fill a file name exactly; one more is too long, in UTF-8 too.
        {std::u16string(251, u'x'), std::u16string(251, u'x')},
        {std::u16string(252, u'x'), std::nullopt},
        {std::u16string(84, u'あ'), std::nullopt}};
    for (const auto& [raw, safe] : cases)
        EXPECT_EQ(safeSongName(raw), safe) << raw.size();
}

TEST(SongNames, CompareWithoutAsciiCase) {
    EXPECT_TRUE(sameSongName(u"Song A", u"song a"));
    EXPECT_FALSE(sameSongName(u"Ｓong", u"ｓong")); // full-width letters are other names
    EXPECT_FALSE(sameSongName(u"ab", u"abc"));
}

// Portable beside the program, else the XDG data folder; a relative XDG_DATA_HOME is ignored.
TEST(DataFolders, PortableBesideTheProgramElseXdg) {
    struct Case {
        bool iniBesideProgram;
        std::string xdg, home;
        std::string expected; // relative to the temporary folder; "" for none
    };
    const Case cases[] = {{true, "/xdg", "/home", "/program"},
                          {false, "/xdg", "/home", "/xdg/sarvo"},
                          {false, "", "/home", "/home/.local/share/sarvo"},
                          {false, "xdg", "/home", "/home/.local/share/sarvo"},
                          {false, "", "", ""}};
    for (const Case& c : cases) {
        testing::TempFolder temp;
        const auto program = temp.path() / "program";
        std::filesystem::create_directories(program);
        if (c.iniBesideProgram)
            testing::writeBytes(program / "Sarvo.ini", "");
        auto under = [&](const std::string& relative) {
            return relative.empty() || relative.front() != '/' ? relative
                                                               : (temp.path().string() + relative);
        };
        const auto found = dataFolder(program, under(c.xdg), under(c.home));
        if (c.expected.empty())
            EXPECT_EQ(found, std::nullopt) << c.xdg;
        else
            EXPECT_EQ(found, std::filesystem::path(under(c.expected))) << c.expected;
    }
}

TEST(LibraryFolders, UseFoldersOfAnyCase) {
    testing::TempFolder temp;
    std::filesystem::create_directories(temp.path() / "Log");
    const LibraryFolders folders(temp.path());
    EXPECT_EQ(folders.logFolder(), temp.path() / "Log");
    EXPECT_EQ(folders.textFolder(), temp.path() / "Text"); // not there yet: the usual spelling
    EXPECT_EQ(folders.settingsFile(), temp.path() / "Sarvo.ini");
}

} // namespace
} // namespace sarvo::library
