#include "../common/tempfolder.h"

#include "cli/commandgroups.h"
#include "cli/helplayout.h"
#include "clitesting.h"
#include "common/textcodec.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <vector>

namespace sarvo::cli {
namespace {

// The key text of Type-A for "D中ミ D中ミ ": three cells.
const std::string kTwoEighthsOfMi = "３　　　　→　　　　３　　　　";

TEST(Cli, KeyguideCommands) {
    expectRuns({
        cli::Run({"keys", "--type", "Type-A"}, "D中ミ D中ミ \n", 0, kTwoEighthsOfMi + "\n"),
        cli::Run({"keys", "--type=type-a"}, "D中ミ D中ミ ", 0, kTwoEighthsOfMi + "\n"),
        cli::Run({"keys", "--type", "Type-A"}, "", 0, "\n"),
        cli::Run({"read", "--type", "Type-A"}, kTwoEighthsOfMi + "\n", 0, "D中ミ D中ミ \n"),
        cli::Run({"read", "--type", "Type-A"}, "０×３\r\n", 0, "I I I \n"),
        cli::Run({"transpose", "--up"}, "C中シ H C低ド \n", 0, "C高ド H C低ド# \n"),
        cli::Run({"transpose", "--down"}, "C低ド C中ミ ^ \n", 0, "C低ド C中レ# ^ \n"),
        cli::Run({"keys", "--type", "Type-A", "--sjis"}, *toCp932(u"D中ミ D中ミ \n"), 0,
                 *toCp932(u"３　　　　→　　　　３　　　　\n")),
        cli::Run({"keys", "--type", "Type-A"}, "\xff\xfe", 1, "", "not valid UTF-8"),
        cli::Run({"keys", "--type", "Type-A", "--sjis"}, "\x81", 1, ""),
    });
    // Usage errors, the arguments split at blanks.
    for (const char* line :
         {"", "play", "keys", "keys --type", "keys --type Type-ZZ", "read --type all",
          "keys --type Type-A --bogus", "transpose", "transpose --up --down", "types --type Type-A",
          "convert", "convert --from Type-ZZ", "export --types Type-A", "export --dir /tmp/x"}) {
        std::istringstream words(line);
        const Result r = runCli({std::istream_iterator<std::string>(words), {}});
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_TRUE(r.out.empty() && r.err.find("sarvo-cli: ") != std::string::npos)
            << line << r.err;
    }
}

// Every type one line, and converting a key text gives the lines of the melody it reads as.
TEST(Cli, AllTypesAndConvert) {
    const Result all = runCli({"keys", "--type", "all"}, "D中ミ D中ミ \n");
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 39);
    EXPECT_TRUE(all.out.starts_with("Type-A\t" + kTwoEighthsOfMi + "\n"));
    EXPECT_EQ(runCli({"convert", "--from", "Type-A"}, kTwoEighthsOfMi + "\n").out, all.out);

    const Result types = runCli({"types"});
    EXPECT_TRUE(types.out.starts_with(
        "2\tType-A\tType-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3]\t"
        "30音　低音なし\n"));
}

// What export writes is the key-text export's test; here the type list and the report.
TEST(Cli, ExportTakesATypeList) {
    const testing::TempFolder folder;
    const std::string dir = folder.path().string();
    expectRuns({cli::Run({"export", "--dir", dir, "--types", "Type-A,Type-E"}, "D中ミ ", 0,
                         "5 files written to " + dir + "\n"),
                cli::Run({"export", "--dir", dir, "--types", "Type-A,Nope"}, "", 2, "", "Nope")});
}

// Every help text, the command list's and each command's, comes laid out: laying it out again
// changes nothing.
TEST(CliHelp, EveryTableLinesUp) {
    std::vector<std::vector<std::string>> helps = {{"--help"}};
    for (const Command& command : allCommands())
        helps.push_back({command.name, "--help"});
    for (const auto& args : helps) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_TRUE(r.out.starts_with("usage: sarvo-cli ")) << args[0];
        EXPECT_EQ(alignHelpTables(r.out), r.out) << args[0];
    }
}

TEST(HelpLayout, LinesUpByDisplayWidth) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // 名前 takes four columns, so the widest term is eleven wide
        {"  --名前 NAME  曲名\n  --x  one\n", "  --名前 NAME  曲名\n  --x          one\n"},
        {"  list     一覧\n   の続き\n  show  one\n",
         "  list  一覧\n        の続き\n  show  one\n"},
        {"  --kashu T    musician   --jan T  genre\n",
         "  --kashu T  musician\n  --jan T    genre\n"},
        {"  a  one\n\n  long-term  two\n", "  a  one\n\n  long-term  two\n"},
        {"usage: x\n  (低ド, 高シ) stay.\n", "usage: x\n  (低ド, 高シ) stay.\n"},
    };
    for (const auto& [help, laidOut] : cases)
        EXPECT_EQ(alignHelpTables(help), laidOut);
    // A row joins the last table, or stands after prose.
    const HelpRow sjis{"--sjis", {"code page 932"}};
    EXPECT_EQ(withHelpRow("usage: x\n\n  --type TYPE  the type\n", sjis),
              "usage: x\n\n  --type TYPE  the type\n  --sjis  code page 932\n");
    EXPECT_EQ(withHelpRow("usage: x\n\nProse.\n", sjis),
              "usage: x\n\nProse.\n\n  --sjis  code page 932\n");
}

} // namespace
} // namespace sarvo::cli
