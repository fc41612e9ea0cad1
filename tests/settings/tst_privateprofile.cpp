#include "common/textcodec.h"
#include "settings/privateprofile.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace sarvo::settings {
namespace {

std::string sjis(std::u16string_view text) {
    return toCp932(text).value();
}

struct ReadCase {
    const char* name;
    std::string file; // code page 932 bytes
    std::u16string section;
    std::u16string key;
    size_t bufferSize;
    std::optional<std::u16string> expected;
};

class ProfileReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReading, FindsTheValueAReaderReceives) {
    const ReadCase& c = GetParam();
    const PrivateProfile profile(c.file);
    EXPECT_EQ(profile.find(c.section, c.key, c.bufferSize), c.expected);
    // A missing key gives the caller's default, a present one its value.
    EXPECT_EQ(profile.value(c.section, c.key, u"DEFAULT", c.bufferSize),
              c.expected.value_or(u"DEFAULT"));
}

const std::string kSong = sjis(u"[曲情報]\r\nIcon=1\r\nName=春の歌\r\nMusic=C中ド D中レ \r\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReading,
    ::testing::Values(
        ReadCase{"JapaneseSection", kSong, u"曲情報", u"Name", 255, u"春の歌"},
        ReadCase{"KeyIgnoresCase", kSong, u"曲情報", u"nAME", 255, u"春の歌"},
        ReadCase{"SectionIgnoresCase", "[Main]\r\nWidth=10\r\n", u"MAIN", u"width", 255, u"10"},
        ReadCase{"TrailingBlankDropped", kSong, u"曲情報", u"Music", kWholeValue, u"C中ド D中レ"},
        ReadCase{"BlanksAroundNamesAndValue", "[ s ]\r\n  k \t=  v w \t\r\n", u"s", u"k", 255,
                 u"v w"},
        ReadCase{"DoubleQuotesStripped", "[s]\r\nk=\"a b\"\r\n", u"s", u"k", 255, u"a b"},
        ReadCase{"SingleQuotesStripped", "[s]\r\nk='x'\r\n", u"s", u"k", 255, u"x"},
        ReadCase{"UnpairedQuoteKept", "[s]\r\nk=\"x\r\n", u"s", u"k", 255, u"\"x"},
        ReadCase{"CutAtNul", std::string("[s]\r\nk=ab\0cd\r\n", 15), u"s", u"k", 255, u"ab"},
        ReadCase{"BufferKeepsSizeLessOne", "[s]\r\nk=" + std::string(300, 'a') + "\r\n", u"s", u"k",
                 255, std::u16string(254, u'a')},
        ReadCase{"BufferNeverSplitsACharacter", sjis(u"[s]\r\nk=aあい\r\n"), u"s", u"k", 5, u"aあ"},
        ReadCase{"BufferCutsBeforeTheSplitCharacter", sjis(u"[s]\r\nk=aあい\r\n"), u"s", u"k", 3,
                 u"a"},
        ReadCase{"WholeValueHasNoLimit", "[s]\r\nk=" + std::string(5000, 'b') + "\r\n", u"s", u"k",
                 kWholeValue, std::u16string(5000, u'b')},
        ReadCase{"EmptyValuePresent", "[s]\r\nk=\r\n", u"s", u"k", 255, u""},
        ReadCase{"MissingKey", kSong, u"曲情報", u"Kashu", 255, std::nullopt},
        ReadCase{"MissingSection", kSong, u"設定", u"Name", 255, std::nullopt},
        ReadCase{"KeyOfAnotherSection", "[a]\r\nk=1\r\n[b]\r\nj=2\r\n", u"b", u"k", 255,
                 std::nullopt},
        ReadCase{"FirstOfTwoKeys", "[s]\r\nk=1\r\nK=2\r\n", u"s", u"k", 255, u"1"},
        ReadCase{"FirstOfTwoSections", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", u"s", u"k", 255, u"1"},
        ReadCase{"LineFeedOnly", "[s]\nk=v\n", u"s", u"k", 255, u"v"},
        ReadCase{"LastLineWithoutEnd", "[s]\r\nk=v", u"s", u"k", 255, u"v"},
        ReadCase{"KeysBeforeAnySectionIgnored", "k=0\r\n[s]\r\nk=v\r\n", u"s", u"k", 255, u"v"},
        // ア is 83 41 and ャ is 83 61: their second bytes differ only in ASCII case.
        ReadCase{"SecondByteComparedExactly", sjis(u"[s]\r\nャ=small\r\n"), u"s", u"ア", 255,
                 std::nullopt},
        ReadCase{"BrokenBytesReadAsReplacement",
                 "[s]\r\nk=a\x81\x7f"
                 "b\r\n",
                 u"s", u"k", 255, u"a\uFFFDb"}),
    [](const auto& row) { return std::string(row.param.name); });

struct WriteCase {
    const char* name;
    std::string before;
    std::u16string section, key, value;
    std::string after;
    bool encodable = true; // every character has a code page 932 form
};

class ProfileWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriting, ChangesOnlyTheKeyWritten) {
    const WriteCase& c = GetParam();
    PrivateProfile profile(c.before);
    EXPECT_EQ(profile.setValue(c.section, c.key, c.value), c.encodable);
    EXPECT_EQ(profile.bytes(), c.after);
    // The key reads back as written (less the blanks a reader drops).
    EXPECT_EQ(PrivateProfile(c.after).find(c.section, c.key), profile.find(c.section, c.key));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriting,
    ::testing::Values(WriteCase{"NewFile", "", u"曲情報", u"Music", u"C中ド ",
                                sjis(u"[曲情報]\r\nMusic=C中ド \r\n")},
                      WriteCase{"ReplacesInPlace",
                                "; note\r\n[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n", u"a", u"x",
                                u"9", "; note\r\n[a]\r\nx=9\r\ny=2\r\n\r\n[b]\r\nz=3\r\n"},
                      WriteCase{"KeepsTheKeysSpelling", "[A]\r\nWidth=1\r\n", u"a", u"WIDTH", u"2",
                                "[A]\r\nWidth=2\r\n"},
                      WriteCase{"NewKeyAfterTheSectionsLastLine",
                                "[a]\r\nx=1\r\n\r\n[b]\r\nz=3\r\n", u"a", u"y", u"2",
                                "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n"},
                      WriteCase{"NewSectionAtTheEnd", "[a]\r\nx=1\r\n", u"b", u"y", u"2",
                                "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
                      WriteCase{"EmptySectionGetsItsFirstKey", "[a]\r\n[b]\r\n", u"a", u"x", u"1",
                                "[a]\r\nx=1\r\n[b]\r\n"},
                      WriteCase{"LineFeedFileRewrittenWithCrLf", "[a]\nx=1\n", u"a", u"x", u"2",
                                "[a]\r\nx=2\r\n"},
                      WriteCase{"LineBreaksInAValueBecomeBlanks", "", u"s", u"Body",
                                u"one\r\ntwo\nthree", "[s]\r\nBody=one  two three\r\n"},
                      WriteCase{"ValueEndsAtNul", "", u"s", u"k", std::u16string(u"ab\0cd", 5),
                                "[s]\r\nk=ab\r\n"},
                      // Bytes code page 932 leaves undefined survive a rewrite of another key, and
                      // read as characters of their own that write back as the same bytes.
                      WriteCase{"UndefinedBytesKept", "[s]\r\np=\x80\xa0\xfd\xfe\xff\r\nq=1\r\n",
                                u"s", u"q", u"2", "[s]\r\np=\x80\xa0\xfd\xfe\xff\r\nq=2\r\n"},
                      WriteCase{"UndefinedBytesWrittenBack", "", u"s", u"p",
                                PrivateProfile("[s]\r\np=\x80~\xa0\r\n").value(u"s", u"p"),
                                "[s]\r\np=\x80~\xa0\r\n"},
                      WriteCase{"NoCodePage932FormIsAQuestionMark", "", u"s", u"k", u"a😀b",
                                "[s]\r\nk=a?b\r\n", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PrivateProfile, EntriesInFileOrderFirstOccurrenceOnly) {
    const PrivateProfile profile(
        sjis(u"[曲情報]\r\nIcon=1\r\nname=a\r\nNAME=b\r\n; c\r\nTenpo=\"90\"\r\n"));
    using Entries = std::vector<std::pair<std::u16string, std::u16string>>;
    EXPECT_EQ(profile.entries(u"曲情報"),
              (Entries{{u"Icon", u"1"}, {u"name", u"a"}, {u"Tenpo", u"90"}}));
    EXPECT_TRUE(profile.entries(u"none").empty());
}

TEST(PrivateProfile, SavesAtomicallyLoadsBackAndReportsFailures) {
    testing::TempFolder folder;
    const auto file = folder.path() / "Sarvo.ini";
    // A file that does not exist loads as an empty profile without an error.
    ProfileLoad missing = PrivateProfile::load(file);
    EXPECT_EQ(missing.error, "");
    EXPECT_EQ(missing.profile.bytes(), "");

    missing.profile.setValue(u"設定", u"テンポ", u"120");
    ASSERT_EQ(missing.profile.save(file), "");
    EXPECT_EQ(testing::readBytes(file), sjis(u"[設定]\r\nテンポ=120\r\n"));
    EXPECT_EQ(PrivateProfile::load(file).profile.value(u"設定", u"テンポ"), u"120");
    // Only the file itself is left: no temporary beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    // A folder where the file should be can be neither read nor written.
    const auto blocked = folder.path() / "blocked.ini";
    std::filesystem::create_directories(blocked / "x");
    EXPECT_NE(missing.profile.save(blocked), "");
    EXPECT_EQ(PrivateProfile::load(blocked).error, "cannot read " + blocked.string());
}

} // namespace
} // namespace sarvo::settings
