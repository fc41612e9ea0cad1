#include "common/atomicfile.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace sarvo {
namespace {

TEST(TextCodec, Cp932RoundTripOfMelodyAndKeyCharacters) {
    const std::u16string text = u"C中ド D.高ソ# ３×２　→▲＃＊ ＼￥";
    const auto bytes = toCp932(text);
    ASSERT_TRUE(bytes);
    // "C中ド " is 6 bytes: the octave mark and the katakana take two each.
    EXPECT_EQ(toCp932(u"C中ド ")->size(), 6u);
    EXPECT_EQ(fromCp932(*bytes), text);
}

TEST(TextCodec, RejectsWhatCannotBeConverted) {
    EXPECT_FALSE(toCp932(u"😀"));
    EXPECT_FALSE(fromCp932("\x81"));    // a lead byte without its trail byte
    EXPECT_FALSE(fromUtf8("\xC3\x28")); // broken UTF-8
    EXPECT_EQ(fromUtf8("C中ド"), u"C中ド");
    EXPECT_EQ(toUtf8(u"C中ド"), "C中ド");
    // A lone surrogate cannot be written as UTF-8; it becomes the replacement character.
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(AtomicFile, ReplacesWholeFileAndReportsFailure) {
    const auto dir = std::filesystem::temp_directory_path() / "sarvo-atomic-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto file = dir / "song.txt";
    EXPECT_EQ(writeFileAtomically(file, "first"), "");
    EXPECT_EQ(writeFileAtomically(file, "second"), "");
    std::ifstream in(file);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "second");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    // A folder that does not exist: an error naming the file, and nothing written.
    EXPECT_NE(writeFileAtomically(dir / "missing" / "x.txt", "data"), "");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace sarvo
