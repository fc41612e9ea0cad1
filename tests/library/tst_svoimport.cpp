#include "librarytesting.h"
#include "settings/privateprofile.h"

#include <gtest/gtest.h>

#include <optional>

namespace sarvo::library {
namespace {

const std::u16string kStored = u"[曲情報]\r\nName=春\r\nMusic=C中ド \r\n";

struct ImportCase {
    const char* name;
    std::u16string svoFile;
    std::u16string svoContents;
    bool songExists;                 // a song 春 is in the library
    std::optional<Answer> answer;    // to the overwrite question
    std::u16string expectedName;     // returned
    std::u16string expectedSongFile; // where the arriving song ends up ("" for nowhere)
    bool asked;
    std::u16string message;
};

class SvoImport : public LibraryTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(SvoImport, TurnsTheFileIntoASong) {
    const ImportCase& c = GetParam();
    // [GIVEN] a .svo waiting in the log folder, and maybe a song of the same name
    if (c.songExists)
        putLogFile(u"春.ini", kStored);
    putLogFile(c.svoFile, c.svoContents);
    if (c.answer)
        m_ui.queueAnswer(*c.answer);
    // [WHEN] importing it
    const ImportResult result = m_library.importSongFile(c.svoFile, m_ui);
    // [THEN] the song is stored under its name, or the old one kept
    EXPECT_EQ(result.name, c.expectedName);
    EXPECT_FALSE(std::filesystem::exists(logFile(c.svoFile)));
    if (!c.expectedSongFile.empty()) {
        const auto stored =
            settings::PrivateProfile(testing::readBytes(logFile(c.expectedSongFile)));
        EXPECT_EQ(stored.value(kSongSection, u"Music"), u"E中ミ");
        EXPECT_EQ(stored.value(kSongSection, u"Name"), c.expectedName);
    }
    if (c.songExists && c.answer != Answer::Yes) {
        EXPECT_EQ(readLogFile(u"春.ini"), kStored);
    }
    EXPECT_EQ(m_ui.questions().size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(m_ui.questions()[0],
                  u"ダウンロードした「春」は、既に存在します。上書きしてよろしいですか？");
    }
    EXPECT_EQ(m_ui.messages(), c.message.empty() ? std::vector<std::u16string>{}
                                                 : std::vector<std::u16string>{c.message});
    // Nothing was written outside the log folder.
    EXPECT_EQ(entriesIn(m_temp.path()), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SvoImport,
    ::testing::Values(
        ImportCase{"NoClash", u"dl.svo", u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n", false,
                   std::nullopt, u"春", u"春.ini", false,
                   u"ダウンロードした「春」を読み込みました。"},
        ImportCase{"ClashOverwrite", u"dl.svo", u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n", true,
                   Answer::Yes, u"春", u"春.ini", true, u""},
        // Declining leaves the arriving song under its temporary name.
        ImportCase{"ClashDeclined", u"dl.svo", u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n", true,
                   Answer::No, u"", u"", true, u""},
        ImportCase{"NoNameTakesTheFileName", u"夏.svo", u"[曲情報]\r\nMusic=E中ミ \r\n", false,
                   std::nullopt, u"夏", u"夏.ini", false,
                   u"ダウンロードした「夏」を読み込みました。"},
        ImportCase{"HostileNameWidened", u"x.svo",
                   u"[曲情報]\r\nName=../../evil\r\nMusic=E中ミ \r\n", false, std::nullopt,
                   u"..／..／evil", u"..／..／evil.ini", false,
                   u"ダウンロードした「..／..／evil」を読み込みました。"},
        ImportCase{"DotDotNameTakesTheFileName", u"x.svo",
                   u"[曲情報]\r\nName=..\r\nMusic=E中ミ \r\n", false, std::nullopt, u"x", u"x.ini",
                   false, u"ダウンロードした「x」を読み込みました。"},
        ImportCase{"ClashIgnoresCaseOfTheExtension", u"dl.SVO",
                   u"[曲情報]\r\nname=春\r\nMusic=E中ミ \r\n", false, std::nullopt, u"春",
                   u"春.ini", false, u"ダウンロードした「春」を読み込みました。"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SvoImport, DeclinedSongWaitsUnderItsTemporaryName) {
    putLogFile(u"春.ini", kStored);
    putLogFile(u"dl.svo", u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n");
    m_ui.queueAnswer(Answer::No);
    EXPECT_EQ(m_library.importSongFile(u"dl.svo", m_ui).name, u"");
    EXPECT_EQ(readLogFile(u"tmptmpdltmptmp.ini"), u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n");
}

TEST_F(SvoImport, AFileFromElsewhereIsCopiedIntoTheLogFolderFirst) {
    const auto download = m_temp.path() / "downloads" / "曲.svo";
    testing::writeBytes(download, sjis(u"[曲情報]\r\nName=秋\r\nMusic=E中ミ \r\n"));
    const ImportResult result = m_library.importExternalFile(download, m_ui);
    EXPECT_EQ(result.name, u"秋");
    EXPECT_TRUE(std::filesystem::exists(download)); // the user's own file stays
    EXPECT_EQ(m_library.loadSong(u"秋")->melody, u"E中ミ ");
    EXPECT_NE(m_library.importExternalFile(m_temp.path() / "song.txt", m_ui).error, "");
}

TEST_F(SvoImport, TheFirstWaitingFileInNameOrder) {
    EXPECT_EQ(m_library.firstWaitingSvo(), std::nullopt);
    putLogFile(u"b.svo", u"");
    putLogFile(u"a.svo", u"");
    putLogFile(u"0.ini", u"");
    EXPECT_EQ(m_library.firstWaitingSvo(), u"a.svo");
}

} // namespace
} // namespace sarvo::library
