#include "../common/tempfolder.h"

#include "cli/cliio.h"
#include "clitesting.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

// What each notation reads as is the notation reader's test.
TEST(FormatCommands, BytesImportAndRefusals) {
    testing::TempFolder folder;
    const auto ked = (folder.path() / "song.ked").string();
    testing::writeBytes(ked, "#F8.bB2");
    expectRuns({
        cli::Run({"import", "--format", "ked", ked}, "", 0, "D.中フ# B中ラ# \n"),
        cli::Run({"encode", "--format=smd", "--tempo=100", "--title=ab"}, "", 0,
                 "ab\x1B\x24\x44\x21\x2B\x0F"),
        cli::Run({"encode", "--format", "wav", "--tempo", "120"}, "C中ド ", 2, ""),
        cli::Run({"encode", "--format", "mld"}, "C中ド ", 2, ""),
        cli::Run({"encode", "--format", "mld", "--tempo", "fast"}, "C中ド ", 2, ""),
        cli::Run({"encode", "--format", "mld", "--tempo", "0"}, "C中ド ", 2, ""),
        cli::Run({"encode", "--format", "mld", "--tempo", "120", "--voice", "128"}, "C中ド ", 2,
                 ""),
        cli::Run({"encode", "--format", "mld", "--tempo", "120", "/nonexistent/part.txt"}, "", 1,
                 ""),
        cli::Run({"encode", "--format", "smd", "--tempo", "120", "--title", "ｱｲ"}, "C中ド ", 1, ""),
        cli::Run({"decode", "--format", "mld"}, "not a ringtone", 1, ""),
        cli::Run({"decode", "--format", "smd"}, "", 1, ""),
        cli::Run({"decode", "--format", "mld", "--part", "-1"}, "", 2, ""),
        cli::Run({"decode", "--format", "omd"}, "", 2, ""),
        cli::Run({"import", "--format", "mld", "song.mld"}, "", 2, ""),
        cli::Run({"import", "--format", "ked"}, "", 2, ""),
        cli::Run({"import", "--format", "ked", "/nonexistent/song.ked"}, "", 1, ""),
        cli::Run({"import", "--format", "omd", "/"}, "", 1, ""), // a folder: refused, no abort
    });
}

TEST(FormatCommands, PartFilesVoiceAndJson) {
    testing::TempFolder folder;
    testing::writeBytes(folder.path() / "low.txt", "C低ド C低レ\n");
    testing::writeBytes(folder.path() / "high.txt", "B高ミ\r\n");
    const Result encoded =
        runCli({"encode", "--format", "mld", "--title", "和音", "--tempo", "90", "--voice", "66",
                (folder.path() / "low.txt").string(), (folder.path() / "high.txt").string()});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    expectRuns({
        cli::Run({"decode", "--format", "mld", "--part", "1"}, encoded.out, 0, "B高ミ \n"),
        cli::Run(
            {"decode", "--format", "mld", "--json"}, encoded.out, 0,
            "{\"title\": \"和音\", \"tempo\": 90, \"voice\": 66, \"melody\": \"C低ド C低レ \"}\n"),
        cli::Run({"decode", "--format", "mld", "--part=1", "--sjis"}, encoded.out, 0,
                 *toCp932(u"B高ミ \n")),
    });
}

TEST(FormatCommands, SizeLimitOfIMelody) {
    std::string melody;
    for (int i = 0; i < 200; ++i)
        melody += "D中ド ";
    const Result cut = runCli({"encode", "--format", "mld", "--tempo", "120"}, melody);
    const Result whole =
        runCli({"encode", "--format", "mld", "--tempo", "120", "--no-limit"}, melody);
    EXPECT_EQ(cut.err, "送信サイズオーバーのため、途中まで送りますね。\n");
    EXPECT_EQ(whole.err, "");
    EXPECT_LT(cut.out.size(), 400u);
    EXPECT_GT(whole.out.size(), 600u);
}

// The P-mail DX streams and kyara-mail text.
TEST(MailFormatCommands, EncodeDecodeAndRefusals) {
    const std::vector<std::string> encode = {"--title", "ab", "--tempo", "120"};
    const auto args = [&](const char* verb, const char* format,
                          std::vector<std::string> more = {}) {
        std::vector<std::string> all = {verb, "--format", format};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    expectRuns({
        {args("encode", "pdx-melody", encode), "C中ド C中レ\n", 0,
         "\xE1\xF0\x61\x62\xFD\xF1\x78\xC4\x33\xC4\x35\xFF"},
        {args("encode", "pdx-codes", encode), "C中ド C中レ\n", 0, "\x04\x84\x08\x09\xFF"},
        {args("encode", "kyara", encode), "C中ド\n", 0, "]]6415\n"},
        {args("decode", "pdx-melody", {"--json"}), "\xE1\xF0\x61\x62\xFD\xF1\x60\xC4\x33\xFF", 0,
         "{\"title\": \"ab\", \"tempo\": 96, \"voice\": null, \"melody\": \"C中ド \"}\n"},
        {args("decode", "pdx-codes", {"--json"}), "\x03\x84\x08\xFF", 0,
         "{\"title\": \"\", \"tempo\": 100, \"voice\": null, \"melody\": \"C中ド \"}\n"},
        {args("decode", "kyara", {"--json"}), "]]3246\r\n", 0,
         "{\"title\": \"\", \"tempo\": 96, \"voice\": null, \"melody\": \"D中フ# \"}\n"},
        // what the encoder cannot write, input without a melody, a part that is not there
        {args("encode", "pdx-codes", encode), "C中ド ] ", kInputError, ""},
        {args("encode", "kyara", encode), "3中ド 3中レ 3中ミ ", kInputError, ""},
        {args("decode", "pdx-melody"), "", kInputError, ""},
        {args("decode", "kyara"), "hello\n", kInputError, ""},
        {args("decode", "kyara", {"--part", "1"}), "]]6415", kInputError, ""},
    });
}

} // namespace
} // namespace sarvo::cli
