#include "cli/cliio.h"
#include "clitesting.h"
#include "common/textcodec.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

namespace sarvo::cli {
namespace {

TEST(MmlCommand, SongFilesArePartsAndMoreThan26Ask) {
    testing::TempFolder folder;
    std::vector<std::string> files;
    for (int i = 0; i < 27; ++i) {
        files.push_back((folder.path() / ("song" + std::to_string(i) + ".ini")).string());
        // Every third song has no numeric tempo or voice: the options' values stand in.
        const std::string tempo =
            i % 3 ? "Tenpo=1" + std::to_string(i % 10) + "0\r\nNeiro=40" : "Tenpo=速い";
        testing::writeBytes(files.back(),
                            *toCp932(*fromUtf8("[曲情報]\r\n" + tempo + "\r\nMusic=C中ド \r\n")));
    }
    Result r = runCli({"mml", "--tempo", "90", "--voice", "5", files[0], files[1],
                       (folder.path() / "none.ini").string(), files[2]});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "A C1 @6 t90 v127 o5 c4\r\nB C2 @41 t110 v127 o5 c4\r\nC C3 @41 t120 v127 o5 c4\r\n");
    EXPECT_NE(r.err.find("none.ini, left out"), std::string::npos);

    // Asked whether to play more than 26 parts: --yes plays the first 26, --no none, and without
    // an answer the command refuses.
    for (const auto& [answer, status, lines] :
         {std::tuple{"--yes", 0, 26}, {"--no", 0, 0}, {"--tempo=90", 2, 0}}) {
        std::vector<std::string> all = {"mml", answer};
        all.insert(all.end(), files.begin(), files.end());
        r = runCli(all);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), lines);
        EXPECT_NE(r.err.find("和音の試聴は26パートまでです。"), std::string::npos);
    }
}

// mml, mml2mid and import-midi as one table of runs: the options reach the MML text, the MIDI
// file written is the one imported (where an MML error lies is the compiler's test), and the
// import's track and channel choice, listing, capacity warning and i-melody file.
TEST(MidiCommands, OptionsFilesAndErrors) {
    testing::TempFolder folder;
    const auto path = [&](const char* name) {
        return (folder.path() / name).string();
    };
    const std::string mml = path("chord.mml"), mid = path("chord.mid"), bad = path("bad.mml");
    const std::string longMml = path("long.mml"), longMid = path("long.mid"), mld = path("w.mld");
    testing::writeBytes(mml, "A C1 @1 t120 o6 c4 d4 e4 f4\r\nB C2 @33 t120 o3 c2 g2\r\n");
    testing::writeBytes(bad, "A C1 @1 t120 v127 o5 c4 >e8. r8\r\nB C2 @0");
    // 31 sixteenths: one more than Type-A holds.
    std::string sixteenths = "A t120 o5", thirtyOne;
    for (int i = 0; i < 31; ++i) {
        sixteenths += " c16";
        thirtyOne += "E中ド ";
    }
    testing::writeBytes(longMml, sixteenths + "\r\n");
    const std::string listHead = "track\tchannel\tnotes\tlowest\thighest\tlength\tname\t\n";
    expectRuns({
        cli::Run({"mml", "--tempo", "120", "--voice", "0"}, "C中ド D.高ミ I \n", 0,
                 "A C1 @1 t120 v127 o5 c4 >e8. r8\r\n"),
        cli::Run({"mml", "--merge-repeats", "--voice", "73"}, "D中ミ D中ミ D中ミ ", 0,
                 "A C1 @74 t100 v127 o5 e4.\r\n"),
        cli::Run({"mml", "--sjis", "--tempo", "60"}, *toCp932(u"E中ソ# "), 0,
                 "A C1 @8 t60 v127 o5 g+16\r\n"),
        cli::Run({"mml2mid", mml, mid}, "", 0, mid + "\n"),
        cli::Run({"mml2mid", longMml, longMid}, "", 0, longMid + "\n"),
        cli::Run({"mml2mid", bad, path("bad.mid")}, "", 1, "",
                 "MMLファイル→MIDIファイル変換失敗！（；＿；"),
        cli::Run({"mml2mid", mml}, "", kUsageError, ""),
        cli::Run({"import-midi", mid}, "", 0, "C高ド C高レ C高ミ C高フ \n"),
        cli::Run({"import-midi", mid, "--track", "3"}, "", 0, "B低ド B低ソ \n"),
        cli::Run({"import-midi", mid, "--channel", "2"}, "", 0, "B低ド B低ソ \n"),
        cli::Run({"import-midi", mid, "--list"}, "", 0,
                 listHead + "2\t1\t4\t84\t89\t4\tA\tmelody\n3\t2\t2\t48\t55\t2\tB\t\n"),
        cli::Run({"import-midi", longMid, "--list", "--type", "Type-A"}, "", 0,
                 listHead + "2\t1\t31\t72\t72\t31\tA\tmelody, too long for Type-A: 31 of 30\n"),
        cli::Run({"import-midi", longMid, "--type", "Type-A"}, "", 0, thirtyOne + "\n",
                 "31音あります。Type-Aに入るのは30音まで"),
        cli::Run({"import-midi", mid, "--type", "Type-ZZ"}, "", 2, "", "type 'Type-ZZ'"),
        cli::Run({"import-midi", mid, "--mld", mld}, "", 0, "C高ド C高レ C高ミ C高フ \n"),
        cli::Run({"import-midi", mid, "--channel", "10"}, "", 1, "", "channel 10 holds drums"),
        cli::Run({"import-midi", mid, "--channel", "17"}, "", 2, "", "from 1 to 16"),
        cli::Run({"import-midi", mid, "--track", "4"}, "", 2, "", "from 1 to 3"),
        cli::Run({"import-midi", mid, "--track", "2", "--channel", "1"}, "", 2, "", "either"),
        cli::Run({"import-midi", mml}, "", 1, "", "not a standard MIDI file"),
        cli::Run({"import-midi"}, "", 2, ""),
    });
    EXPECT_FALSE(std::filesystem::exists(path("bad.mid")));
    // The kept i-melody file decodes like the import did.
    EXPECT_EQ(runCli({"decode", "--format", "mld"}, testing::readBytes(mld)).out,
              "C高ド C高レ C高ミ C高フ \n");
}

} // namespace
} // namespace sarvo::cli
