#include "../common/tempfolder.h"

#include "common/textcodec.h"
#include "formats/notationfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

TEST(NotationFiles, FilesInBothNotations) {
    struct Case {
        std::string name;
        std::string bytes; // the file as another editor wrote it
        TextNotation notation;
        std::u16string melody;
    };
    // Blanks, tabs, empty lines, full-width blanks and bare line feeds between the notes; the
    // sample files below hold the notations themselves.
    const std::vector<Case> cases = {
        {"song.omd", "C4 D4\tE4\r\n\r\nR1", TextNotation::Letter, u"C中ド C中レ C中ミ F "},
        {"fullwidth.omd", *toCp932(u"C4\u3000D4"), TextNotation::Letter, u"C中ド C中レ "},
        {"unix.cml", "9d\n:d\n", TextNotation::CodePair, u"C低ラ C低ラ# "},
    };
    testing::TempFolder folder;
    for (const Case& c : cases) {
        const auto path = folder.path() / c.name;
        testing::writeBytes(path, c.bytes);
        const Converted<std::u16string> result = readNotationFile(path, c.notation);
        EXPECT_TRUE(result.ok()) << c.name;
        EXPECT_EQ(toUtf8(result.value), toUtf8(c.melody)) << c.name;
    }
}

TEST(NotationFiles, SampleFilesInTheSourceTree) {
    const std::filesystem::path data =
        std::filesystem::path(SARVO_SOURCE_DIR) / "tests/formats/data";
    EXPECT_EQ(readNotationFile(data / "letters.ked", TextNotation::Letter).value,
              u"C高ド D中レ E中ミ H D.中フ# B中ラ# ");
    EXPECT_EQ(readNotationFile(data / "codes.cml", TextNotation::CodePair).value,
              u"C中ド D中レ E中ミ I. C.高ド A高シ ");
}

// A missing file, an empty one and one of blank lines give no melody; the format names.
TEST(NotationFiles, FailuresAndFormatNames) {
    testing::TempFolder folder;
    testing::writeBytes(folder.path() / "empty.ked", "");
    testing::writeBytes(folder.path() / "blank.cml", "\r\n\r\n");
    for (auto [name, notation] : {std::pair{"missing.ked", TextNotation::Letter},
                                  {"empty.ked", TextNotation::Letter},
                                  {"blank.cml", TextNotation::CodePair}}) {
        const Converted<std::u16string> result = readNotationFile(folder.path() / name, notation);
        EXPECT_FALSE(result.ok()) << name;
        EXPECT_TRUE(result.value.empty()) << name;
    }
    EXPECT_EQ(notationOfFormat("omd"), TextNotation::Letter);
    EXPECT_EQ(notationOfFormat("ked"), TextNotation::Letter);
    EXPECT_EQ(notationOfFormat("cml"), TextNotation::CodePair);
    EXPECT_FALSE(notationOfFormat("mld").has_value());
}

} // namespace
} // namespace sarvo::formats
