// sarvo-cli encode and decode with the P-mail DX streams and kyara-mail text.

#include "cli/cliio.h"
#include "clitesting.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace sarvo::cli {
namespace {

struct EncodeCase {
    std::string format;
    std::string melody;
    std::string output;
};

class MailFormatEncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(MailFormatEncodeTest, WritesTheFormatOnStandardOutput) {
    const EncodeCase& c = GetParam();
    const Result result =
        runCli({"encode", "--format", c.format, "--title", "ab", "--tempo", "120"}, c.melody);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, MailFormatEncodeTest,
    ::testing::Values(EncodeCase{"pdx-melody", "C中ド C中レ\n",
                                 "\xE1\xF0\x61\x62\xFD\xF1\x78\xC4\x33\xC4\x35\xFF"},
                      EncodeCase{"pdx-codes", "C中ド C中レ\n", "\x04\x84\x08\x09\xFF"},
                      EncodeCase{"kyara", "C中ド\n", "]]6415\n"},
                      EncodeCase{"kyara", "G. ", "]]6700\n"}));

TEST(MailFormatCommands, EncoderFailureGoesToStandardErrorOnly) {
    struct Case {
        std::string format;
        std::string melody;
    };
    const Case cases[] = {{"pdx-codes", "C中ド ] "},
                          {"pdx-codes", "` "},
                          {"kyara", "3中ド 3中レ 3中ミ "},
                          {"kyara", "C中ド _ "}};
    for (const Case& c : cases) {
        const Result result = runCli({"encode", "--format", c.format, "--tempo", "120"}, c.melody);
        EXPECT_EQ(result.status, kInputError) << c.format << " " << c.melody;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
}

TEST(MailFormatCommands, EncodeThenDecode) {
    struct Case {
        std::string format;
        std::string melody;
        std::string decoded;
    };
    const Case cases[] = {
        {"pdx-melody", "C中ド D.高ソ# H E低ラ\n", "C中ド D.高ソ# H E低ラ \n"},
        {"pdx-melody", "C中ド ^ 2中レ ", "C中ド C中ド 3中レ 3中レ \n"},
        {"pdx-codes", "C中ド D.高ソ# H 5低ラ\n", "C中ド D.高ソ# H 5低ラ \n"},
        {"kyara", "C中ド D.高ソ# H E低ラ\n", "C中ド D.高ソ# H E低ラ \n"},
        {"kyara", "A.中ド ^ ", "A中ド A中ド \n"},
    };
    for (const Case& c : cases) {
        const Result encoded = runCli({"encode", "--format", c.format, "--tempo", "100"}, c.melody);
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        const Result decoded = runCli({"decode", "--format", c.format}, encoded.out);
        EXPECT_EQ(decoded.status, 0) << decoded.err;
        EXPECT_EQ(decoded.out, c.decoded) << c.format;
    }
}

TEST(MailFormatCommands, JsonCarriesTitleAndTempo) {
    struct Case {
        std::string format;
        std::string input;
        std::string json;
    };
    const Case cases[] = {
        {"pdx-melody", "\xE1\xF0\x61\x62\xFD\xF1\x60\xC4\x33\xFF",
         R"({"title": "ab", "tempo": 96, "voice": null, "melody": "C中ド "})"},
        {"pdx-codes", "\x03\x84\x08\xFF",
         R"({"title": "", "tempo": 100, "voice": null, "melody": "C中ド "})"},
        {"kyara", "]]3246\r\n",
         R"({"title": "", "tempo": 96, "voice": null, "melody": "D中フ# "})"},
    };
    for (const Case& c : cases) {
        const Result result = runCli({"decode", "--format", c.format, "--json"}, c.input);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.json + "\n");
    }
}

TEST(MailFormatCommands, InputWithoutMelodyIsRefused) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
    };
    const Case cases[] = {
        {{"decode", "--format", "pdx-melody"}, ""},
        {{"decode", "--format", "pdx-melody"}, "\xE1\xF0\xFD\xF1\x78\xFF"},
        {{"decode", "--format", "pdx-codes"}, "\x04\xFF"},
        {{"decode", "--format", "kyara"}, "hello\n"},
        {{"decode", "--format", "kyara", "--part", "1"}, "]]6415"},
        {{"decode", "--format", "pdx-codes", "--part", "2"}, "\x04\x84\x08\xFF"},
    };
    for (const Case& c : cases) {
        const Result result = runCli(c.args, c.input);
        EXPECT_EQ(result.status, kInputError) << c.args[2];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
}

} // namespace
} // namespace sarvo::cli
