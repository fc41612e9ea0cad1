// sarvo-cli mail compose and parse as scripts call them: every type composed from standard
// input comes back through parse and no other type's, with the name and musician of its subject,
// chords of more than four library songs ask first, and parse stores the parts into a library.

#include "../cli/clitesting.h"
#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sarvo::cli {
namespace {

const std::vector<std::string> kCompose = {
    "mail", "compose", "--from", "a@b.jp",           "--user",  "Taro",
    "--to", "c@d.jp",  "--date", "2024-02-29 23:59", "--tempo", "120"}; // a leap day

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(MailCommands, ComposedMailsParseBackAsTheirTypeOnly) {
    std::string tune; // 25 characters: the subject folds into encoded words
    for (int i = 0; i < 25; ++i)
        tune += "曲";
    // The type, the subject and more options; the name and musician read back.
    const std::tuple<std::string, std::string, std::string, std::string, std::vector<std::string>>
        cases[] = {
            {"0", "春の歌[歌手]", "春の歌", "歌手", {}},
            {"1", "夏]]「うた」", "夏]]", "うた", {}}, // a kyara title may hold "]]"
            {"2", tune, tune, "作者", {"--kashu", "作者"}},
            {"3", "[Intro]", "[Intro]", "", {}},
            {"4", "春の歌[歌手]", "", "", {}}, // the URL notice carries no song
        };
    for (const auto& [type, subject, name, kashu, more] : cases) {
        const Result composed = runCli(
            with(kCompose, with({"--type", type, "--subject", subject}, more)), "C中ド D.高ソ# \n");
        ASSERT_EQ(composed.status, 0) << type << composed.err;
        EXPECT_EQ(composed.err, "");
        const Result parsed = runCli({"mail", "parse", "--type", type}, composed.out);
        EXPECT_EQ(parsed.status, name.empty() ? 1 : 0) << type << parsed.err;
        if (name.empty()) {
            EXPECT_EQ(parsed.out, "");
            continue;
        }
        EXPECT_NE(parsed.out.find("{\"name\": \"" + name + "\", \"kashu\": \"" + kashu +
                                  "\", \"jan\": \"J-POP\", \"from\": \"Taro<a@b.jp>\""),
                  std::string::npos)
            << parsed.out;
        EXPECT_NE(parsed.out.find("\"melody\": \"C中ド D.高ソ# \""), std::string::npos)
            << parsed.out;
        // The next type's parser does not take it.
        const std::string other = std::to_string((std::stoi(type) + 1) % 4);
        EXPECT_EQ(runCli({"mail", "parse", "--type", other}, composed.out).status, 1) << type;
    }
}

TEST(MailCommands, ChordsOfLibrarySongsAskAndAreStored) {
    testing::TempFolder folder;
    const std::string library = folder.path().string();
    const std::vector<std::string> names = {"a", "b", "c", "d", "e"};
    const char* melodies[] = {"C中ド \n", "C中レ \n", "C中ミ \n", "C中フ \n", "C中ソ \n"};
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(
            runCli({"song", "--library", library, "save", names[i], "--tenpo", "120"}, melodies[i])
                .status,
            0);
    const auto compose = with(
        with(kCompose, {"--subject", "春の歌[歌手]", "--type", "3", "--library", library}), names);
    const Result asked = runCli(compose);
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.out, "");
    EXPECT_NE(asked.err.find("和音は４パートまでです。"), std::string::npos);
    const Result four = runCli(with(compose, {"--yes"}));
    ASSERT_EQ(four.status, 0) << four.err;
    // Four songs are no question: the same mail.
    EXPECT_EQ(runCli({compose.begin(), compose.end() - 1}).out, four.out);

    // Each part with its melody, stored beside the five songs with the mail's sender, date, the
    // message and the voice.
    const Result parsed = runCli({"mail", "parse", "--type", "3", "--library", library}, four.out);
    size_t at = 0;
    for (const char* part :
         {"春の歌\"", "C中ド ", "-Sub1\"", "C中レ ", "-Sub2\"", "C中ミ ", "-Sub3\"", "C中フ "})
        EXPECT_NE(at = parsed.out.find(part, at), std::string::npos) << part << parsed.out;
    const Result list = runCli({"song", "--library", library, "list"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 9);
    EXPECT_NE(list.out.find(
                  "春の歌-Sub3\t歌手\tTaro<a@b.jp>\t2024/02/29 23:59\tJ-POP\tこんにちは。\t120\t7"),
              std::string::npos)
        << list.out;
}

} // namespace
} // namespace sarvo::cli
