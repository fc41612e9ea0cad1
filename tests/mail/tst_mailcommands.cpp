// sarvo-cli mail compose and parse as scripts call them: every type composed from standard
// input or from library songs comes back through parse, chords of more than four parts ask
// first, and parse stores into a library by the answer given.

#include "../cli/clitesting.h"
#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sarvo::cli {
namespace {

const std::vector<std::string> kCompose = {
    "mail",         "compose", "--from",           "a@b.jp",  "--to", "c@d.jp", "--subject",
    "春の歌[歌手]", "--date",  "2000-12-31 23:59", "--tempo", "120",  "--type"};

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(MailCommands, ComposedMailsParseBack) {
    for (const char* type : {"0", "1", "2", "3", "4"}) {
        const Result composed = runCli(with(kCompose, {type}), "C中ド D中レ \n");
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
        EXPECT_NE(parsed.out.find("\"melody\": \"C中ド D中レ \""), std::string::npos) << parsed.out;
        // Another type's parser does not take it.
        const char* other = std::string(type) == "2" ? "3" : "2";
        EXPECT_EQ(runCli({"mail", "parse", "--type", other}, composed.out).status, 1) << type;
    }
}

TEST(MailCommands, ChordsOfLibrarySongsAndStoring) {
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

    const std::vector<std::string> answers[] = {{}, {"--no"}, {"--yes"}};
    size_t songs = 0;
    for (const auto& answer : answers) {
        const Result parsed =
            runCli(with({"mail", "parse", "--type", "3", "--library", library}, answer), four.out);
        ASSERT_EQ(parsed.status, 0) << parsed.err;
        EXPECT_EQ(std::count(parsed.out.begin(), parsed.out.end(), '\n'), 4);
        const Result list = runCli({"song", "--library", library, "list"});
        songs = static_cast<size_t>(std::count(list.out.begin(), list.out.end(), '\n'));
    }
    // 5 saved, then 4 parts under free names; --no and --yes add none.
    EXPECT_EQ(songs, 9u);
}

} // namespace
} // namespace sarvo::cli
