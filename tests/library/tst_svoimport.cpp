#include "librarytesting.h"
#include "settings/privateprofile.h"

#include <gtest/gtest.h>

#include <optional>

namespace sarvo::library {
namespace {

const std::u16string kStored = u"[曲情報]\r\nName=春\r\nMusic=C中ド \r\n";

// A .svo waiting in the log folder; a song 春 is in the library when the row answers the
// overwrite question.
struct ImportCase {
    const char* name;
    std::u16string svoFile;
    std::u16string svoContents;
    std::optional<Answer> answer;
    std::u16string expectedName; // returned; the song file is named after it
};

class SvoImport : public LibraryTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(SvoImport, TurnsTheFileIntoASong) {
    const ImportCase& c = GetParam();
    if (c.answer) {
        putLogFile(u"春.ini", kStored);
        m_ui.queueAnswer(*c.answer);
    }
    putLogFile(c.svoFile, c.svoContents);
    const ImportResult result = m_library.importSongFile(c.svoFile, m_ui);
    EXPECT_EQ(result.name, c.expectedName);
    EXPECT_FALSE(std::filesystem::exists(logFile(c.svoFile)));
    if (!c.expectedName.empty()) {
        const auto stored =
            settings::PrivateProfile(testing::readBytes(logFile(c.expectedName + u".ini")));
        EXPECT_EQ(stored.value(kSongSection, u"Music"), u"E中ミ");
        EXPECT_EQ(stored.value(kSongSection, u"Name"), c.expectedName);
    }
    if (c.answer ==
        Answer::No) { // the old song stays, the arriving one waits under a temporary name
        EXPECT_EQ(readLogFile(u"春.ini"), kStored);
        EXPECT_EQ(readLogFile(u"tmptmpdltmptmp.ini"), c.svoContents);
    }
    EXPECT_EQ(m_ui.questions(),
              c.answer ? std::vector<std::u16string>{u"ダウンロードした「春」は、既に存在します。"
                                                     u"上書きしてよろしいですか？"}
                       : std::vector<std::u16string>{});
    EXPECT_EQ(m_ui.messages(),
              c.answer ? std::vector<std::u16string>{}
                       : std::vector<std::u16string>{u"ダウンロードした「" + c.expectedName +
                                                     u"」を読み込みました。"});
    // Nothing was written outside the log folder.
    EXPECT_EQ(entriesIn(m_temp.path()), 1u);
}

const std::u16string kSpring = u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SvoImport,
    ::testing::Values(ImportCase{"NoClash", u"dl.svo", kSpring, std::nullopt, u"春"},
                      ImportCase{"ClashOverwrite", u"dl.svo", kSpring, Answer::Yes, u"春"},
                      ImportCase{"ClashDeclined", u"dl.svo", kSpring, Answer::No, u""},
                      ImportCase{"NoNameTakesTheFileName", u"夏.svo",
                                 u"[曲情報]\r\nMusic=E中ミ \r\n", std::nullopt, u"夏"},
                      ImportCase{"HostileNameWidened", u"x.svo",
                                 u"[曲情報]\r\nName=../../evil\r\nMusic=E中ミ \r\n", std::nullopt,
                                 u"..／..／evil"},
                      ImportCase{"DotDotNameTakesTheFileName", u"x.svo",
                                 u"[曲情報]\r\nName=..\r\nMusic=E中ミ \r\n", std::nullopt, u"x"},
                      ImportCase{"ClashIgnoresCaseOfTheExtension", u"dl.SVO",
                                 u"[曲情報]\r\nname=春\r\nMusic=E中ミ \r\n", std::nullopt, u"春"}),
    [](const auto& row) { return std::string(row.param.name); });

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
