#include "tempfolder.h"

#include "common/atomicfile.h"
#include "common/filebytes.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sarvo {
namespace {

TEST(TextCodec, Cp932AndUtf8) {
    const std::u16string text = u"C中ド D.高ソ# ３×２　→▲＃＊ ＼￥";
    ASSERT_TRUE(toCp932(text));
    EXPECT_EQ(fromCp932(*toCp932(text)), text);
    EXPECT_EQ(toCp932(u"C中ド ")->size(), 6u); // the octave mark and the katakana take two bytes
    EXPECT_FALSE(toCp932(u"😀"));
    EXPECT_FALSE(fromCp932("\x81"));    // a lead byte without its trail byte
    EXPECT_FALSE(fromUtf8("\xC3\x28")); // broken UTF-8
    // A lone surrogate cannot be written as UTF-8; it becomes the replacement character.
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(AtomicFile, ReplacesWholeFileAndReportsFailure) {
    testing::TempFolder dir;
    const auto file = dir.path() / "song.txt";
    EXPECT_EQ(writeFileAtomically(file, "first"), "");
    EXPECT_EQ(writeFileAtomically(file, "second"), "");
    EXPECT_EQ(testing::readBytes(file), "second");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // A folder that does not exist: an error naming the file, and nothing written.
    EXPECT_NE(writeFileAtomically(dir.path() / "missing" / "x.txt", "data"), "");
}

// Reading a folder by a file's name once ended the program with an uncaught stream exception.
TEST(FileBytes, ReadsAFileAndRefusesWhatIsNoReadableFile) {
    testing::TempFolder dir;
    ASSERT_EQ(writeFileAtomically(dir.path() / "song.txt", "bytes"), "");
    EXPECT_EQ(readFileBytes(dir.path() / "song.txt"), "bytes");
    EXPECT_EQ(readFileBytes(dir.path() / "missing.txt"), std::nullopt);
    EXPECT_EQ(readFileBytes(dir.path()), std::nullopt);
}

// Once an output named /dev/null was renamed over and the device became a plain file: what is
// no regular file is written in place, and a link keeps linking to the replaced file.
TEST(AtomicFile, KeepsPipesAndLinks) {
    testing::TempFolder dir;
    const auto pipe = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK); // so the writer never waits
    ASSERT_GE(reader, 0);
    EXPECT_EQ(writeFileAtomically(pipe, "through"), "");
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    const auto file = dir.path() / "song.txt";
    const auto link = dir.path() / "link.txt";
    std::filesystem::create_symlink(file.filename(), link);
    EXPECT_EQ(writeFileAtomically(file, "old"), "");
    EXPECT_EQ(writeFileAtomically(link, "new"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::readBytes(file), "new");
}

} // namespace
} // namespace sarvo
