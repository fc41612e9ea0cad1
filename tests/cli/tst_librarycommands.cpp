#include "cli/clicommands.h"
#include "common/textcodec.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace sarvo::cli {
namespace {

struct Step {
    std::vector<std::string> args; // after "song --library DIR"
    std::string input;
    int status;
    std::string out; // expected standard output, DATE standing for the date of saving
    std::string errContains = {};
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

class SongCommands : public ::testing::TestWithParam<Scenario> {};

TEST_P(SongCommands, RunInTurnOnOneLibrary) {
    testing::TempFolder library;
    testing::writeBytes(library.path() / "dl" / "曲.svo",
                        *toCp932(u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n"));
    for (const Step& step : GetParam().steps) {
        std::vector<std::string> argv = {"song", "--library", library.path().string()};
        for (const std::string& arg : step.args)
            argv.push_back(arg == "DL" ? (library.path() / "dl" / "曲.svo").string() : arg);
        std::istringstream in(step.input);
        std::ostringstream out, err;
        const int status = run(argv, in, out, err);
        const std::string command = step.args.empty() ? "" : step.args[0];
        EXPECT_EQ(status, step.status) << command << ": " << err.str();
        const std::regex date(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2})");
        EXPECT_EQ(std::regex_replace(out.str(), date, "DATE"), step.out) << command;
        EXPECT_NE(err.str().find(step.errContains), std::string::npos) << err.str();
    }
}

const Step kSaveSpring{{"save", "春", "--kashu", "歌手", "--tenpo", "120"}, "C中ド\n", 0, ""};

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SongCommands,
    ::testing::Values(
        Scenario{"SaveThenShow",
                 {kSaveSpring,
                  {{"show", "春"},
                   "",
                   0,
                   "Icon=1\nName=春\nKashu=歌手\nFrom=\nDate=DATE\nJan=\nBody=\nTenpo=120\n"
                   "Neiro=\nMusic=C中ド\n"},
                  {{"list"}, "", 0, "春\t歌手\t\tDATE\t\t\t120\t\n"}}},
        Scenario{"OverwriteNeedsAnAnswer",
                 {kSaveSpring,
                  {{"save", "春"}, "D中レ\n", 2, "", "--yes or --no"},
                  {{"save", "春", "--no"}, "D中レ\n", 0, ""},
                  {{"list"}, "", 0, "春\t歌手\t\tDATE\t\t\t120\t\n"}}},
        Scenario{"DeleteNeedsAnAnswer",
                 {kSaveSpring,
                  {{"delete", "春"}, "", 2, "", "「春」を削除してよろしいですか？"},
                  {{"delete", "春", "--no"}, "", 0, ""},
                  {{"list"}, "", 0, "春\t歌手\t\tDATE\t\t\t120\t\n"},
                  {{"delete", "春", "--yes"}, "", 0, ""},
                  {{"list"}, "", 0, ""},
                  {{"delete", "春", "--yes"}, "", 1, "", "no song named"}}},
        Scenario{"ImportWithoutClash",
                 {{{"import", "DL"}, "", 0, "春\n", "ダウンロードした「春」を読み込みました。"},
                  {{"show", "春"}, "", 0, "Name=春\nMusic=E中ミ\n"}}},
        Scenario{"ImportClash",
                 {kSaveSpring,
                  {{"import", "DL"}, "", 2, "", "は、既に存在します。"},
                  {{"import", "DL", "--no"}, "", 0, ""},
                  {{"import", "DL", "--yes"}, "", 0, "春\n"},
                  {{"show", "春"}, "", 0, "Name=春\nMusic=E中ミ\n"}}},
        Scenario{"UsageErrors",
                 {{{"frobnicate"}, "", 2, "", "unknown song action"},
                  {{"show"}, "", 2, "", "takes one argument"},
                  {{"list", "x"}, "", 2, "", "takes no argument"},
                  {{"save", "x", "--types", "Type-ZZ"}, "C中ド\n", 2, "", "Type-ZZ"},
                  {{"delete", "x", "--yes", "--no"}, "", 2, "", "not both"},
                  {{"show", "none"}, "", 1, "", "no song named"},
                  {{"save", ".."}, "C中ド\n", 1, ""}}}),
    [](const auto& row) { return std::string(row.param.name); });

// The outputs that depend on the moment of saving, checked field by field.
TEST(SongCommandOutput, ListAndShowAfterASave) {
    testing::TempFolder library;
    testing::writeBytes(library.path() / "Sarvo.ini", *toCp932(u"[設定]\r\n使用者=山田\r\n"));
    auto song = [&](std::vector<std::string> args, const std::string& input = "") {
        std::vector<std::string> argv = {"song", "--library", library.path().string()};
        argv.insert(argv.end(), args.begin(), args.end());
        std::istringstream in(input);
        std::ostringstream out, err;
        EXPECT_EQ(run(argv, in, out, err), 0) << err.str();
        return out.str();
    };
    song({"save", "a:b", "--kashu", "歌手", "--neiro", "7", "--types", "Type-A"}, "C中ド\n");
    std::istringstream rows(song({"list"}));
    std::string row;
    std::getline(rows, row);
    // name (widened), musician, author from the settings, date, genre, comment, tempo, voice
    std::vector<std::string> fields;
    std::istringstream columns(row);
    for (std::string field; std::getline(columns, field, '\t');)
        fields.push_back(field);
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[0], "a：b");
    EXPECT_EQ(fields[1], "歌手");
    EXPECT_EQ(fields[2], "山田");
    EXPECT_EQ(fields[3].size(), 16u); // yyyy/mm/dd hh:nn
    EXPECT_EQ(fields[7], "7");
    const std::string shown = song({"show", "a：b"});
    EXPECT_TRUE(shown.starts_with("Icon=1\nName=a：b\nKashu=歌手\nFrom=山田\nDate="));
    EXPECT_TRUE(shown.ends_with("Neiro=7\nMusic=C中ド\n"));
    EXPECT_TRUE(std::filesystem::exists(library.path() / "Text" / "a：b" / "Type-A.txt"));
}

} // namespace
} // namespace sarvo::cli
