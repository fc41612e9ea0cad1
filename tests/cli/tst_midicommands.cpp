#include "cli/cliio.h"
#include "clitesting.h"
#include "common/textcodec.h"
#include "library/songlibrary.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sarvo::cli {
namespace {

TEST(MmlCommand, MelodyOnStandardInput) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"mml", "--tempo", "120", "--voice", "0"},
         "C中ド D.高ミ I \n",
         "A C1 @1 t120 v127 o5 c4 >e8. r8\r\n"},
        {{"mml"}, "C低ド C高ド C中ド ", "A C1 @8 t100 v127 o5 <c4 >>c4 <c4\r\n"},
        {{"mml", "--merge-repeats", "--voice", "73"},
         "D中ミ D中ミ D中ミ ",
         "A C1 @74 t100 v127 o5 e4.\r\n"},
        {{"mml", "--sjis", "--tempo", "60"}, *toCp932(u"E中ソ# "), "A C1 @8 t60 v127 o5 g+16\r\n"},
    };
    for (const Case& c : cases) {
        const Result r = runCli(c.args, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(MmlCommand, SongFilesArePartsAndMoreThan26Ask) {
    testing::TempFolder folder;
    const library::SongLibrary songs{library::LibraryFolders(folder.path())};
    std::vector<std::string> files;
    for (int i = 0; i < 27; ++i) {
        library::SongInfo info;
        const std::string name = "song" + std::to_string(i);
        info.properties.name = std::u16string(name.begin(), name.end());
        // Every third song has no numeric tempo or voice: the options' values stand in.
        const std::string tempo = std::to_string(100 + 10 * (i % 10));
        info.properties.tenpo = i % 3 == 0 ? u"速い" : std::u16string(tempo.begin(), tempo.end());
        info.properties.neiro = i % 3 == 0 ? u"" : u"40";
        melody::ParserState state;
        RecordingInteractive ui;
        ASSERT_TRUE(songs.saveSong(info, u"C中ド ", {}, state, ui).ok());
        files.push_back(songs.songFile(info.name()).string());
    }
    const std::vector<std::string> three = {files[0], files[1],
                                            (folder.path() / "none.ini").string(), files[2]};
    std::vector<std::string> args = {"mml", "--tempo", "90", "--voice", "5"};
    args.insert(args.end(), three.begin(), three.end());
    Result r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "A C1 @6 t90 v127 o5 c4\r\nB C2 @41 t110 v127 o5 c4\r\nC C3 @41 t120 v127 o5 c4\r\n");
    EXPECT_NE(r.err.find("none.ini, left out"), std::string::npos);

    struct Case {
        const char* answer;
        int status;
        size_t lines;
    };
    for (const Case& c : {Case{"--yes", 0, 26}, Case{"--no", 0, 0}, Case{nullptr, 2, 0}}) {
        std::vector<std::string> all = {"mml"};
        if (c.answer)
            all.push_back(c.answer);
        all.insert(all.end(), files.begin(), files.end());
        r = runCli(all);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(static_cast<size_t>(std::count(r.out.begin(), r.out.end(), '\n')), c.lines);
        EXPECT_NE(r.err.find("和音の試聴は26パートまでです。"), std::string::npos);
    }
}

// The file written is read back by the import below; where an error lies is the compiler's.
TEST(Mml2midCommand, AFailureWritesNothing) {
    testing::TempFolder folder;
    const std::string mml = (folder.path() / "Sarvo.mml").string();
    const std::string mid = (folder.path() / "Sarvo.mid").string();
    testing::writeBytes(mml, "A C1 @1 t120 v127 o5 c4 >e8. r8\r\nB C2 @0");
    expectRuns({{{"mml2mid", mml, mid}, "", 1, "", "MMLファイル→MIDIファイル変換失敗！（；＿；"},
                {{"mml2mid", mml}, "", kUsageError, ""}});
    EXPECT_FALSE(std::filesystem::exists(mid));
}

TEST(ImportMidiCommand, MelodiesVoicesAndErrors) {
    testing::TempFolder folder;
    const std::string mml = (folder.path() / "chord.mml").string();
    const std::string mid = (folder.path() / "chord.mid").string();
    const std::string mld = (folder.path() / "w.mld").string();
    testing::writeBytes(mml, "A C1 @1 t120 o6 c4 d4 e4 f4\r\nB C2 @33 t120 o3 c2 g2\r\n");
    ASSERT_EQ(runCli({"mml2mid", mml, mid}).out, mid + "\n");
    // 31 sixteenths: one more than Type-A holds.
    const std::string longMid = (folder.path() / "long.mid").string();
    std::string sixteenths = "A t120 o5", thirtyOne;
    for (int i = 0; i < 31; ++i) {
        sixteenths += " c16";
        thirtyOne += "E中ド ";
    }
    testing::writeBytes(mml, sixteenths + "\r\n");
    ASSERT_EQ(runCli({"mml2mid", mml, longMid}).status, 0);

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string errPart;
    };
    const std::vector<Case> cases = {
        {{mid}, 0, "C高ド C高レ C高ミ C高フ \n", ""},
        {{mid, "--track", "3"}, 0, "B低ド B低ソ \n", ""},
        {{mid, "--channel", "2"}, 0, "B低ド B低ソ \n", ""},
        {{mid, "--list"},
         0,
         "track\tchannel\tnotes\tlowest\thighest\tlength\tname\t\n2\t1\t4\t84\t89\t4\tA\tmelody\n"
         "3\t2\t2\t48\t55\t2\tB\t\n",
         ""},
        {{longMid, "--list", "--type", "Type-A"},
         0,
         "track\tchannel\tnotes\tlowest\thighest\tlength\tname\t\n"
         "2\t1\t31\t72\t72\t31\tA\tmelody, too long for Type-A: 31 of 30\n",
         ""},
        {{longMid, "--type", "Type-A"},
         0,
         thirtyOne + "\n",
         "31音あります。Type-Aに入るのは30音まで"},
        {{mid, "--type", "Type-ZZ"}, 2, "", "unknown phone type 'Type-ZZ'"},
        {{mid, "--mld", mld}, 0, "C高ド C高レ C高ミ C高フ \n", ""},
        {{mid, "--channel", "10"}, 1, "", "channel 10 holds drums"},
        {{mid, "--channel", "17"}, 2, "", "--channel takes a number from 1 to 16"},
        {{mid, "--track", "4"}, 2, "", "--track takes a number from 1 to 3"},
        {{mid, "--track", "2", "--channel", "1"}, 2, "", "either --track or --channel"},
        {{mml}, 1, "", "not a standard MIDI file"},
        {{}, 2, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"import-midi"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = runCli(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
    // The kept i-melody file decodes like the import did.
    const Result decoded = runCli({"decode", "--format", "mld"}, testing::readBytes(mld));
    EXPECT_EQ(decoded.out, "C高ド C高レ C高ミ C高フ \n");
}

} // namespace
} // namespace sarvo::cli
