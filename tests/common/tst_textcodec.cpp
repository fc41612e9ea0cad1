#include "common/atomicfile.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Once an output named /dev/null was renamed over and the device became a plain file: what is
// no regular file is written in place, and a link keeps linking to the replaced file.
TEST(AtomicFile, KeepsPipesAndLinks) {
    const auto dir = std::filesystem::temp_directory_path() / "sarvo-atomic-special";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK); // so the writer never waits
    ASSERT_GE(reader, 0);
    EXPECT_EQ(writeFileAtomically(pipe, "through"), "");
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    const auto file = dir / "song.txt";
    const auto link = dir / "link.txt";
    std::filesystem::create_symlink(file.filename(), link);
    EXPECT_EQ(writeFileAtomically(file, "old"), "");
    EXPECT_EQ(writeFileAtomically(link, "new"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace sarvo
