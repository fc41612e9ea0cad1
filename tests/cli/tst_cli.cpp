#include "cli/commandgroups.h"
#include "cli/helplayout.h"
#include "clitesting.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
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

// The display column where the description of a table row starts, or npos for a line that is
// no row: two spaces, a term, two or more spaces.
size_t descriptionColumn(std::string_view line) {
    if (!line.starts_with("  ") || line.size() < 3 || line[2] == ' ')
        return std::string_view::npos;
    const size_t gap = line.find("  ", 2);
    if (gap == std::string_view::npos)
        return std::string_view::npos;
    return displayWidth(line.substr(0, line.find_first_not_of(' ', gap)));
}

// Every help text, the command list's and each command's, lines its tables up by what a
// terminal shows: in a run of rows every description starts at the same column.
TEST(CliHelp, EveryTableLinesUp) {
    std::vector<std::vector<std::string>> helps = {{"--help"}};
    for (const Command& command : allCommands())
        helps.push_back({command.name, "--help"});
    for (const auto& args : helps) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_TRUE(r.out.starts_with("usage: sarvo-cli ")) << args[0];
        std::istringstream lines(r.out);
        size_t column = std::string::npos;
        for (std::string line; std::getline(lines, line);) {
            const size_t at = descriptionColumn(line);
            const bool indentedTwo = line.size() > 2 && line.starts_with("  ") && line[2] != ' ';
            if (indentedTwo && column != std::string::npos) {
                EXPECT_EQ(at, column) << args[0] << ": " << line;
            }
            if (line.starts_with("   ") && column != std::string::npos) {
                EXPECT_EQ(displayWidth(line.substr(0, line.find_first_not_of(' '))), column)
                    << args[0] << ": " << line;
            } else {
                column = at;
            }
        }
    }
}

struct LayoutCase {
    const char* name;
    std::string help;
    std::string laidOut;
};

class HelpLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HelpLayoutTest, LinesUpByDisplayWidth) {
    EXPECT_EQ(alignHelpTables(GetParam().help), GetParam().laidOut);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, HelpLayoutTest,
    ::testing::Values(
        // 名前 takes four columns, so the widest term is eleven wide
        LayoutCase{"wide_term", "  --名前 NAME  曲名\n  --x  one\n",
                   "  --名前 NAME  曲名\n  --x          one\n"},
        LayoutCase{"continued_description", "  list     一覧\n   の続き\n  show  one\n",
                   "  list  一覧\n        の続き\n  show  one\n"},
        LayoutCase{"two_options_side_by_side", "  --kashu T    musician   --jan T  genre\n",
                   "  --kashu T  musician\n  --jan T    genre\n"},
        LayoutCase{"tables_apart", "  a  one\n\n  long-term  two\n",
                   "  a  one\n\n  long-term  two\n"},
        LayoutCase{"prose_stays", "usage: x\n  (低ド, 高シ) stay.\n",
                   "usage: x\n  (低ド, 高シ) stay.\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(HelpLayoutTest, ARowJoinsTheLastTableOrStandsAfterProse) {
    const HelpRow sjis{"--sjis", {"code page 932"}};
    EXPECT_EQ(withHelpRow("usage: x\n\n  --type TYPE  the type\n", sjis),
              "usage: x\n\n  --type TYPE  the type\n  --sjis  code page 932\n");
    EXPECT_EQ(withHelpRow("usage: x\n\nProse.\n", sjis),
              "usage: x\n\nProse.\n\n  --sjis  code page 932\n");
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
