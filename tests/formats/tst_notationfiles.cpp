#include "../common/tempfolder.h"

#include "common/textcodec.h"
#include "formats/notationfiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace sarvo::formats {
namespace {

// Blanks, tabs, empty lines, full-width blanks and bare line feeds between the notes; a file
// that is missing, empty or blank gives no melody. The sample files hold the notations themselves.
TEST(NotationFiles, FilesInBothNotations) {
    struct Case {
        std::string name;
        std::optional<std::string> bytes; // the file as another editor wrote it; nullopt: none
        TextNotation notation;
        std::u16string melody; // empty: no melody
    };
    // clang-format off
    const Case cases[] = {
        {"song.omd", "C4 D4\tE4\r\n\r\nR1", TextNotation::Letter, u"C中ド C中レ C中ミ F "},
        {"fullwidth.omd", *toCp932(u"C4\u3000D4"), TextNotation::Letter, u"C中ド C中レ "},
        {"unix.cml", "9d\n:d\n", TextNotation::CodePair, u"C低ラ C低ラ# "},
        {"missing.ked", std::nullopt, TextNotation::Letter, u""},
        {"empty.ked", "", TextNotation::Letter, u""},
        {"blank.cml", "\r\n\r\n", TextNotation::CodePair, u""},
    };
    // clang-format on
    testing::TempFolder folder;
    for (const Case& c : cases) {
        if (c.bytes)
            testing::writeBytes(folder.path() / c.name, *c.bytes);
        const Converted<std::u16string> result = readNotationFile(folder.path() / c.name, c.notation);
        EXPECT_EQ(result.ok(), !c.melody.empty()) << c.name;
        EXPECT_EQ(toUtf8(result.value), toUtf8(c.melody)) << c.name;
    }
    const std::filesystem::path data = std::filesystem::path(SARVO_SOURCE_DIR) / "tests/formats/data";
    EXPECT_EQ(readNotationFile(data / "letters.ked", TextNotation::Letter).value,
              u"C高ド D中レ E中ミ H D.中フ# B中ラ# ");
    EXPECT_EQ(readNotationFile(data / "codes.cml", TextNotation::CodePair).value,
              u"C中ド D中レ E中ミ I. C.高ド A高シ ");
}

TEST(NotationFiles, FormatNames) {
    EXPECT_EQ(notationOfFormat("omd"), TextNotation::Letter);
    EXPECT_EQ(notationOfFormat("ked"), TextNotation::Letter);
    EXPECT_EQ(notationOfFormat("cml"), TextNotation::CodePair);
    EXPECT_FALSE(notationOfFormat("mld").has_value());
}

} // namespace
} // namespace sarvo::formats
