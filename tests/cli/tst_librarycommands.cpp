#include "clitesting.h"
#include "common/textcodec.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace sarvo::cli {
namespace {

// Runs of "song --library DIR" with the arguments of each step; DATE in an expected output
// stands for the date of saving.
struct Scenario {
    const char* name;
    std::vector<Run> steps;
    std::string fileAfter = {}; // a file of the library the steps leave
};

class SongCommands : public ::testing::TestWithParam<Scenario> {};

TEST_P(SongCommands, RunInTurnOnOneLibrary) {
    testing::TempFolder library;
    testing::writeBytes(library.path() / "Sarvo.ini", *toCp932(u"[設定]\r\n使用者=山田\r\n"));
    testing::writeBytes(library.path() / "dl" / "曲.svo",
                        *toCp932(u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n"));
    for (const cli::Run& step : GetParam().steps) {
        std::vector<std::string> argv = {"song", "--library", library.path().string()};
        for (const std::string& arg : step.args)
            argv.push_back(arg == "DL" ? (library.path() / "dl" / "曲.svo").string() : arg);
        const Result r = runCli(argv, step.input);
        const std::string command = step.args.empty() ? "" : step.args[0];
        EXPECT_EQ(r.status, step.status) << command << ": " << r.err;
        const std::regex date(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2})");
        EXPECT_EQ(std::regex_replace(r.out, date, "DATE"), step.out) << command;
        EXPECT_NE(r.err.find(step.errPart), std::string::npos) << r.err;
    }
    if (!GetParam().fileAfter.empty()) {
        EXPECT_TRUE(std::filesystem::exists(library.path() / GetParam().fileAfter));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SongCommands,
    ::testing::Values(
        // The name widened, the columns of list, the guide text of the type asked for.
        Scenario{"SaveWithOptions",
                 {Run({"save", "a:b", "--kashu", "歌手", "--neiro", "7", "--types", "Type-A"},
                      "C中ド\n", 0, ""),
                  Run({"list"}, "", 0, "a：b\t歌手\t山田\tDATE\t\t\t\t7\n"),
                  Run({"show", "a：b"}, "", 0,
                      "Icon=1\nName=a：b\nKashu=歌手\nFrom=山田\nDate=DATE\nJan=\nBody=\nTenpo=\n"
                      "Neiro=7\nMusic=C中ド\n")},
                 "Text/a：b/Type-A.txt"},
        // Overwriting and deleting ask: refused without an answer, --no keeps the song.
        Scenario{"QuestionsNeedAnAnswer",
                 {Run({"save", "春", "--kashu", "歌手", "--tenpo", "120"}, "C中ド\n", 0, ""),
                  Run({"save", "春"}, "D中レ\n", 2, "", "--yes or --no"),
                  Run({"save", "春", "--no"}, "D中レ\n", 0, ""),
                  Run({"delete", "春"}, "", 2, "", "「春」を削除してよろしいですか？"),
                  Run({"delete", "春", "--no"}, "", 0, ""),
                  Run({"list"}, "", 0, "春\t歌手\t山田\tDATE\t\t\t120\t\n"),
                  Run({"delete", "春", "--yes"}, "", 0, ""), Run({"list"}, "", 0, ""),
                  Run({"delete", "春", "--yes"}, "", 1, "", "no song named")}},
        // The downloaded file stays, so importing it again clashes with the song saved over it.
        Scenario{"Import",
                 {Run({"import", "DL"}, "", 0, "春\n", "ダウンロードした「春」を読み込みました。"),
                  Run({"save", "春", "--yes"}, "C中ド\n", 0, ""),
                  Run({"import", "DL"}, "", 2, "", "は、既に存在します。"),
                  Run({"import", "DL", "--no"}, "", 0, ""),
                  Run({"import", "DL", "--yes"}, "", 0, "春\n"),
                  Run({"show", "春"}, "", 0, "Name=春\nMusic=E中ミ\n")}},
        Scenario{"UsageErrors",
                 {Run({"frobnicate"}, "", 2, "", "unknown song action"),
                  Run({"show"}, "", 2, "", "takes one argument"),
                  Run({"list", "x"}, "", 2, "", "takes no argument"),
                  Run({"save", "x", "--types", "Type-ZZ"}, "C中ド\n", 2, "", "Type-ZZ"),
                  Run({"delete", "x", "--yes", "--no"}, "", 2, "", "not both"),
                  Run({"show", "none"}, "", 1, "", "no song named"),
                  Run({"save", ".."}, "C中ド\n", 1, "")}}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace sarvo::cli
