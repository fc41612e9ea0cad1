#include "library/libraryfolders.h"
#include "library/songnames.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

namespace sarvo::library {
namespace {

struct NameCase {
    const char* name;
    std::u16string raw;
    std::optional<std::u16string> safe;
};

class SongNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SongNames, AreWidenedOrRefused) {
    EXPECT_EQ(safeSongName(GetParam().raw), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongNames,
    ::testing::Values(NameCase{"Plain", u"春の歌", u"春の歌"},
                      NameCase{"Widened", u"a:b<c>d\\e/f*g?h|i", u"a：b＜c＞d￥e／f＊g？h｜i"},
                      NameCase{"ParentPathWidened", u"../../etc/passwd", u"..／..／etc／passwd"},
                      NameCase{"Empty", u"", std::nullopt}, NameCase{"Dot", u".", std::nullopt},
                      NameCase{"DotDot", u"..", std::nullopt},
                      NameCase{"ThreeDotsAreAName", u"...", u"..."},
                      NameCase{"Nul", std::u16string(u"a\0b", 3), std::nullopt},
                      NameCase{"LoneSurrogate", u"a\xD800", std::nullopt},
                      // 251 bytes and ".ini" fill a file name exactly; one more is too long.
                      NameCase{"LongestName", std::u16string(251, u'x'), std::u16string(251, u'x')},
                      NameCase{"TooLong", std::u16string(252, u'x'), std::nullopt},
                      NameCase{"TooLongInUtf8", std::u16string(84, u'あ'), std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SongNames, CompareWithoutAsciiCase) {
    EXPECT_TRUE(sameSongName(u"Song A", u"song a"));
    EXPECT_FALSE(sameSongName(u"Ｓong", u"ｓong")); // full-width letters are other names
    EXPECT_FALSE(sameSongName(u"ab", u"abc"));
}

struct DataFolderCase {
    const char* name;
    bool iniBesideProgram;
    std::string xdg;
    std::string home;
    std::string expected; // relative to the temporary folder; "" for none
};

class DataFolders : public ::testing::TestWithParam<DataFolderCase> {};

TEST_P(DataFolders, PortableBesideTheProgramElseXdg) {
    const DataFolderCase& c = GetParam();
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
        EXPECT_EQ(found, std::nullopt);
    else
        EXPECT_EQ(found, std::filesystem::path(under(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFolders,
    ::testing::Values(
        DataFolderCase{"Portable", true, "/xdg", "/home", "/program"},
        DataFolderCase{"Xdg", false, "/xdg", "/home", "/xdg/sarvo"},
        DataFolderCase{"HomeWithoutXdg", false, "", "/home", "/home/.local/share/sarvo"},
        DataFolderCase{"RelativeXdgIgnored", false, "xdg", "/home", "/home/.local/share/sarvo"},
        DataFolderCase{"Nothing", false, "", "", ""}),
    [](const auto& row) { return std::string(row.param.name); });

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
