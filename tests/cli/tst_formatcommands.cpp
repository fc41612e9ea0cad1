#include "../common/tempfolder.h"

#include "clitesting.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

TEST(FormatCommands, EncodeThenDecode) {
    struct Case {
        std::string format;
        std::string melody;
        std::string decoded;
    };
    const std::vector<Case> cases = {
        {"mld", "C中ド D.高ソ# H E低ラ\n", "C中ド D.高ソ# H E低ラ \n"},
        {"mld", "C中ド ^ 5中レ ", "B中ド 3中レ \n"},
        {"smd", "C中ド D.高ソ# H E低ラ\n", "C中ド D.高ソ# H E低ラ \n"},
        {"smd", "C中ド ^ 3中レ I ", "B中ド E中レ I \n"},
    };
    for (const Case& c : cases) {
        const Result encoded =
            runCli({"encode", "--format", c.format, "--title", "t", "--tempo", "120"}, c.melody);
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        EXPECT_EQ(encoded.err, "");
        const Result decoded = runCli({"decode", "--format", c.format}, encoded.out);
        EXPECT_EQ(decoded.status, 0) << decoded.err;
        EXPECT_EQ(decoded.out, c.decoded) << c.format;
    }
}

TEST(FormatCommands, GoldenBytes) {
    struct Case {
        std::vector<std::string> args;
        std::string melody;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {{"encode", "--format", "smd", "--tempo", "120"}, "C中ド ", "\x1B\x24\x44\x21\x2A\x36\x0F"},
        {{"encode", "--format=smd", "--tempo=100", "--title=ab"}, "", "ab\x1B\x24\x44\x21\x2B\x0F"},
        {{"encode", "--format", "mld", "--title", "ab", "--tempo", "120", "--voice", "0"},
         "",
         std::string("melo\0\0\0\x4A\0\x1C\1\1\1sorc\0\1\1titl\0\2abvers\0\4"
                     "0100trac\0\0\0\x24"
                     "\0\xFF\xC3\x78\0\xFF\xD0\0\0\xFF\xE2\x3F\0\xFF\xE2\x7F\0\xFF\xE2\xBF"
                     "\0\xFF\xE2\xFF\0\xFF\xE0\0\0\xFF\xE1\2\0\xFF\xDF\0",
                     82)},
    };
    for (const Case& c : cases) {
        const Result result = runCli(c.args, c.melody);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.bytes);
    }
}

TEST(FormatCommands, PartFilesVoiceAndJson) {
    testing::TempFolder folder;
    testing::writeBytes(folder.path() / "low.txt", "C低ド C低レ\n");
    testing::writeBytes(folder.path() / "high.txt", "B高ミ\r\n");
    const Result encoded =
        runCli({"encode", "--format", "mld", "--title", "和音", "--tempo", "90", "--voice", "66",
                (folder.path() / "low.txt").string(), (folder.path() / "high.txt").string()});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"decode", "--format", "mld", "--part", "1"}, "B高ミ \n"},
        {{"decode", "--format", "mld", "--json"},
         "{\"title\": \"和音\", \"tempo\": 90, \"voice\": 66, \"melody\": \"C低ド C低レ \"}\n"},
        {{"decode", "--format", "mld", "--part=1", "--sjis"}, *toCp932(u"B高ミ \n")},
    };
    for (const Case& c : cases) {
        const Result decoded = runCli(c.args, encoded.out);
        EXPECT_EQ(decoded.status, 0) << decoded.err;
        EXPECT_EQ(decoded.out, c.out);
    }
}

TEST(FormatCommands, SizeLimitOfIMelody) {
    std::string melody;
    for (int i = 0; i < 200; ++i)
        melody += "D中ド ";
    const Result cut = runCli({"encode", "--format", "mld", "--tempo", "120"}, melody);
    const Result whole =
        runCli({"encode", "--format", "mld", "--tempo", "120", "--no-limit"}, melody);
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(cut.err, "送信サイズオーバーのため、途中まで送りますね。\n");
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(whole.err, "");
    EXPECT_LT(cut.out.size(), 400u);
    EXPECT_GT(whole.out.size(), 600u);
}

TEST(FormatCommands, RefusalsAndUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        int status;
    };
    const std::vector<Case> cases = {
        {{"encode", "--format", "wav", "--tempo", "120"}, "C中ド ", 2},
        {{"encode", "--format", "mld"}, "C中ド ", 2},
        {{"encode", "--format", "mld", "--tempo", "fast"}, "C中ド ", 2},
        {{"encode", "--format", "mld", "--tempo", "0"}, "C中ド ", 2},
        {{"encode", "--format", "mld", "--tempo", "120", "--voice", "128"}, "C中ド ", 2},
        {{"encode", "--format", "mld", "--tempo", "120", "/nonexistent/part.txt"}, "", 1},
        {{"encode", "--format", "smd", "--tempo", "120", "--title", "ｱｲ"}, "C中ド ", 1},
        {{"decode", "--format", "mld"}, "not a ringtone", 1},
        {{"decode", "--format", "smd"}, "", 1},
        {{"decode", "--format", "mld", "--part", "-1"}, "", 2},
        {{"decode", "--format", "omd"}, "", 2},
        {{"import", "--format", "mld", "song.mld"}, "", 2},
        {{"import", "--format", "ked"}, "", 2},
        {{"import", "--format", "ked", "/nonexistent/song.ked"}, "", 1},
    };
    for (const Case& c : cases) {
        const Result result = runCli(c.args, c.input);
        EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args.back();
        EXPECT_EQ(result.out, "") << c.args.back();
        EXPECT_NE(result.err, "") << c.args.back();
    }
}

TEST(FormatCommands, ImportTextNotations) {
    testing::TempFolder folder;
    struct Case {
        std::string format;
        std::string file;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"omd", "C4D8\r\n+E16R4", "C中ド D中レ E高ミ H \n"},
        {"ked", "#F8.bB2", "D.中フ# B中ラ# \n"},
        {"cml", "<d b@a", "C中ド I E中ミ \n"},
    };
    for (const Case& c : cases) {
        const auto path = folder.path() / ("song." + c.format);
        testing::writeBytes(path, c.file);
        const Result result = runCli({"import", "--format", c.format, path.string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.out) << c.format;
    }
}

} // namespace
} // namespace sarvo::cli
