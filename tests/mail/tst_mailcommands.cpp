// sarvo-cli mail compose and parse as scripts call them: every type composed from standard
// input comes back through parse and no other type's, chords of more than four library songs
// ask first, and parse stores the parts into a library.

#include "../cli/clitesting.h"
#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sarvo::cli {
namespace {

const std::vector<std::string> kCompose = {
    "mail",         "compose", "--from",           "a@b.jp",  "--to", "c@d.jp", "--subject",
    "春の歌[歌手]", "--date",  "2024-02-29 23:59", "--tempo", "120",  "--type"}; // a leap day

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(MailCommands, ComposedMailsParseBack) {
    for (const char* type : {"0", "1", "2", "3", "4"}) {
        const Result composed = runCli(with(kCompose, {type}), "C中ド D.高ソ# \n");
        ASSERT_EQ(composed.status, 0) << type << composed.err;
        EXPECT_EQ(composed.err, "");
        const Result parsed = runCli({"mail", "parse", "--type", type}, composed.out);
        if (std::string(type) == "4") {
            EXPECT_EQ(parsed.status, 1);
            EXPECT_EQ(parsed.out, "");
            continue;
        }
        EXPECT_EQ(parsed.status, 0) << type << parsed.err;
        EXPECT_NE(parsed.out.find("{\"name\": \"春の歌\", \"kashu\": \"歌手\", \"jan\": \"J-POP\", "
                                  "\"from\": \"a@b.jp\""),
                  std::string::npos)
            << type << parsed.out;
        EXPECT_NE(parsed.out.find("\"melody\": \"C中ド D.高ソ# \""), std::string::npos)
            << parsed.out;
        // Another type's parser does not take it.
        const char* other = std::string(type) == "2" ? "3" : "2";
        EXPECT_EQ(runCli({"mail", "parse", "--type", other}, composed.out).status, 1) << type;
    }
}

TEST(MailCommands, ChordsOfLibrarySongsAskAndAreStored) {
    testing::TempFolder folder;
    const std::string library = folder.path().string();
    const std::vector<std::string> names = {"a", "b", "c", "d", "e"};
    for (const std::string& name : names)
        ASSERT_EQ(runCli({"song", "--library", library, "save", name, "--tenpo", "120"}, "C中ミ \n")
                      .status,
                  0);
    const auto compose = with(with(kCompose, {"3", "--library", library}), names);
    const Result asked = runCli(compose);
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.out, "");
    EXPECT_NE(asked.err.find("和音は４パートまでです。"), std::string::npos);
    const Result four = runCli(with(compose, {"--yes"}));
    ASSERT_EQ(four.status, 0) << four.err;

    // Stored beside the five songs, each part with the mail's sender, date and the voice.
    ASSERT_EQ(runCli({"mail", "parse", "--type", "3", "--library", library}, four.out).status, 0);
    const Result list = runCli({"song", "--library", library, "list"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 9);
    EXPECT_NE(
        list.out.find("春の歌-Sub3\t歌手\ta@b.jp\t2024/02/29 23:59\tJ-POP\tこんにちは。\t120\t7"),
        std::string::npos)
        << list.out;
}

} // namespace
} // namespace sarvo::cli
