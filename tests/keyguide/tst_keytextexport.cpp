#include "common/interaction.h"
#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keytextexport.h"
#include "keyguide/macrotexts.h"
#include "keyguide/phonetypes.h"
#include "keyguidetesting.h"

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

TEST_F(KeyTextExport, WritesKeyAndMacroTextsOneLineEachInCodePage932) {
    // [GIVEN] a song and three owned types: Type-A and Type-E have macro texts, Type-B none
    const std::u16string melody = u"C中ミ D高ソ# ";
    const std::vector<int> types = {2, 3, 6};
    melody::ParserState state;
    RecordingInteractive ui;
    const auto folder = m_root / std::filesystem::path(u8"春の歌");
    // [WHEN] exporting its key texts into the song's folder
    const ExportResult result = exportKeyTexts(folder, types, melody, state, ui);
    // [THEN] the key text of each type and the macro texts of the types that have them
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.filesWritten, 6);
    for (int index : types) {
        const std::u16string name(phoneTypeByIndex(index)->shortName());
        const std::u16string expected = convertToKeys(index, melody, state, ui);
        const std::string bytes = readFile(folder / toUtf8(keyTextFileName(name)));
        EXPECT_EQ(bytes, *toCp932(expected) + "\r\n") << toUtf8(name);
    }
    EXPECT_EQ(readFile(folder / "Type-AMac.txt"), "3R0R5555R\r\n");
    EXPECT_EQ(readFile(folder / "Type-EMac.txt"),
              toUtf8(macroText(convertToKeys(6, melody, state, ui), MacroForm::Repeated)) + "\r\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "Type-EMac2.txt"));
    // Nothing but the finished files is left in the folder: no macro text of Type-B, no second
    // one of Type-A.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 6);
}

TEST_F(KeyTextExport, ATypeThatCannotTypeSomeNotesSaysSoOnceWithTheirCount) {
    // [GIVEN] Type-T, whose length list has neither whole notes nor dotted eighths
    const int typeT = 21;
    const std::vector<int> types = {2, typeT};
    melody::ParserState state;
    RecordingInteractive ui;
    // [WHEN] exporting a melody with three such notes
    const ExportResult result =
        exportKeyTexts(m_root / "song", types, u"A中ド D.中レ C中ミ A低ソ ", state, ui);
    // [THEN] one message names the type and counts the notes; the files are still written
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(ui.messages(),
              std::vector<std::u16string>{
                  u"Type-T [PS-T15]：表現できない音符が 3 個あります（変換エラー！）"});
    EXPECT_TRUE(std::filesystem::exists(m_root / "song" / "Type-T.txt"));
}

TEST_F(KeyTextExport, ReportsAFolderThatCannotBeMade) {
    std::filesystem::create_directories(m_root);
    std::ofstream(m_root / "blocker") << "a file where the song folder should go";
    melody::ParserState state;
    RecordingInteractive ui;
    const std::vector<int> types = {2};
    const ExportResult result =
        exportKeyTexts(m_root / "blocker" / "song", types, u"C中ド ", state, ui);
    EXPECT_NE(result.error, "");
    EXPECT_EQ(result.filesWritten, 0);
}

TEST(MacroTexts, Forms) {
    struct Case {
        std::u16string keys;
        MacroForm form;
        std::u16string macro;
    };
    const std::vector<Case> cases = {
        {cells({u"３", u"→", u"５×４"}), MacroForm::Repeated, u"3RQ5555R"},
        {cells({u"３", u"→", u"５×４"}), MacroForm::Counted, u"3,Q,5@4"},
        {cells({u"０", u"＊×２", u"１×３", u"＃"}), MacroForm::Repeated, u"0RZZR111RWR"},
        {cells({u"▲", u"８×２", u"▼×１２"}), MacroForm::Counted, u"Y,8@2,T@12"},
        // Cells of keys without a macro letter are left out, so are blank cells.
        {cells({u"１", u"Ａ", u"", u"２"}), MacroForm::Repeated, u"1R2R"},
        {u"", MacroForm::Repeated, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(macroText(c.keys, c.form), c.macro) << toUtf8(c.macro);
}

} // namespace
} // namespace sarvo::keyguide
