#include "common/interaction.h"
#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keytextexport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace sarvo::keyguide {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class KeyTextExport : public ::testing::Test {
protected:
    void SetUp() override {
        m_root =
            std::filesystem::temp_directory_path() /
            ("sarvo-export-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::remove_all(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }
    std::filesystem::path m_root;
};

TEST_F(KeyTextExport, WritesOneLinePerTypeInCodePage932) {
    // [GIVEN] a song and two owned types, one of them without rules yet
    const std::u16string melody = u"C中ミ D高ソ# ";
    const std::vector<int> types = {2, 5};
    melody::ParserState state;
    RecordingInteractive ui;
    // [WHEN] exporting its key texts
    const ExportResult result = exportKeyTexts(m_root, u"春の歌", types, melody, state, ui);
    // [THEN] one file per type, in the song's folder, the key text as one CRLF line
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.filesWritten, 2);
    const auto folder = m_root / std::filesystem::path(u8"春の歌");
    const std::string typeA = readFile(folder / "Type-A.txt");
    const std::u16string expected = convertToKeys(2, melody, state, ui);
    EXPECT_EQ(typeA, *toCp932(expected) + "\r\n");
    EXPECT_EQ(fromCp932(typeA.substr(0, typeA.size() - 2)), expected);
    EXPECT_EQ(readFile(folder / "Type-D.txt"), "\r\n");
    EXPECT_EQ(keyTextFileName(u"Type-AB"), u"Type-AB.txt");
}

TEST_F(KeyTextExport, ReportsAFolderThatCannotBeMade) {
    std::filesystem::create_directories(m_root);
    std::ofstream(m_root / "blocker") << "a file where the song folder should go";
    melody::ParserState state;
    RecordingInteractive ui;
    const std::vector<int> types = {2};
    const ExportResult result =
        exportKeyTexts(m_root / "blocker", u"song", types, u"C中ド ", state, ui);
    EXPECT_NE(result.error, "");
    EXPECT_EQ(result.filesWritten, 0);
}

} // namespace
} // namespace sarvo::keyguide
