#include "clitesting.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace sarvo::cli {
namespace {

// The key text of Type-A for "D中ミ D中ミ ": three cells.
const std::string kTwoEighthsOfMi = "３　　　　→　　　　３　　　　";

TEST(Cli, KeysAndReadInUtf8) {
    struct Case {
        std::vector<std::string> args;
        std::string input, output;
    };
    const std::vector<Case> cases = {
        {{"keys", "--type", "Type-A"}, "D中ミ D中ミ \n", kTwoEighthsOfMi + "\n"},
        {{"keys", "--type=type-a"}, "D中ミ D中ミ ", kTwoEighthsOfMi + "\n"},
        {{"keys", "--type", "Type-A"}, "", "\n"},
        {{"read", "--type", "Type-A"}, kTwoEighthsOfMi + "\n", "D中ミ D中ミ \n"},
        {{"read", "--type", "Type-A"}, "０×３\r\n", "I I I \n"},
        {{"transpose", "--up"}, "C中シ H C低ド \n", "C高ド H C低ド# \n"},
        {{"transpose", "--down"}, "C低ド C中ミ ^ \n", "C低ド C中レ# ^ \n"},
    };
    for (const Case& c : cases) {
        const Result r = runCli(c.args, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.output) << c.args[0];
    }
}

TEST(Cli, AllTypesOneLineEach) {
    const Result r = runCli({"keys", "--type", "all"}, "D中ミ D中ミ \n");
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> seen;
    while (std::getline(lines, line))
        seen.push_back(line);
    ASSERT_EQ(seen.size(), 39u);
    EXPECT_EQ(seen[0], "Type-A\t" + kTwoEighthsOfMi);
    EXPECT_EQ(seen[38].substr(0, 8), "Type-AM\t");
}

TEST(Cli, ConvertOneTypeToAll) {
    // [GIVEN] the Type-A key text of two eighths of ミ
    // [WHEN] converting it to every type
    const Result r = runCli({"convert", "--from", "Type-A"}, kTwoEighthsOfMi + "\n");
    // [THEN] one line per type, the same as converting the melody it reads back as
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, runCli({"keys", "--type", "all"}, "D中ミ D中ミ \n").out);
}

TEST(Cli, ExportWritesKeyAndMacroFiles) {
    const auto dir = std::filesystem::temp_directory_path() / "sarvo-cli-export-test";
    std::filesystem::remove_all(dir);
    const Result r =
        runCli({"export", "--dir", dir.string(), "--types", "Type-A,Type-E"}, "D中ミ D中ミ \n");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name :
         {"Type-A.txt", "Type-AMac.txt", "Type-E.txt", "Type-EMac.txt", "Type-EMac2.txt"})
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    std::ifstream in(dir / "Type-A.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, *toCp932(u"３　　　　→　　　　３　　　　") + "\r\n");
    EXPECT_EQ(runCli({"export", "--dir", dir.string(), "--types", "Type-A,Nope"}, "").status, 2);
    std::filesystem::remove_all(dir);
}

TEST(Cli, TypesTable) {
    const Result r = runCli({"types"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "2\tType-A\tType-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3]\t"
              "30音　低音なし");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 39);
}

TEST(Cli, ShiftJisInAndOut) {
    const std::string melody = *toCp932(u"D中ミ D中ミ \n");
    const Result keys = runCli({"keys", "--type", "Type-A", "--sjis"}, melody);
    ASSERT_EQ(keys.status, 0);
    EXPECT_EQ(keys.out, *toCp932(u"３　　　　→　　　　３　　　　\n"));
    const Result back = runCli({"read", "--type", "Type-A", "--sjis"}, keys.out);
    EXPECT_EQ(back.out, *toCp932(u"D中ミ D中ミ \n"));
}

TEST(Cli, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"play"},
        {"keys"},
        {"keys", "--type"},
        {"keys", "--type", "Type-ZZ"},
        {"read", "--type", "all"},
        {"keys", "--type", "Type-A", "--bogus"},
        {"transpose"},
        {"transpose", "--up", "--down"},
        {"types", "--type", "Type-A"},
        {"convert"},
        {"convert", "--from", "Type-ZZ"},
        {"convert", "--type", "Type-A"},
        {"export", "--types", "Type-A"},
        {"export", "--dir", "/tmp/x"},
        {"export", "--dir"},
    };
    for (const auto& args : cases) {
        const Result r = runCli(args, "C中ド ");
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("sarvo-cli: "), std::string::npos);
    }
}

TEST(Cli, HelpOnEveryCommand) {
    for (const char* command : {"keys", "read", "convert", "export", "transpose", "types"}) {
        const Result r = runCli({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find(std::string("usage: sarvo-cli ") + command), std::string::npos);
    }
    EXPECT_NE(runCli({"--help"}).out.find("Commands:"), std::string::npos);
}

TEST(Cli, UndecodableInputIsAnErrorNotACrash) {
    const Result utf8 = runCli({"keys", "--type", "Type-A"}, "\xff\xfe");
    EXPECT_EQ(utf8.status, 1);
    EXPECT_NE(utf8.err.find("not valid UTF-8"), std::string::npos);
    const Result sjis = runCli({"keys", "--type", "Type-A", "--sjis"}, "\x81");
    EXPECT_EQ(sjis.status, 1);
}

} // namespace
} // namespace sarvo::cli
