// sarvo-cli cable write and read through a real pseudo-terminal to the phone emulator: every
// type writes a melody and reads it back, the slot holds the bytes of the type's tables, and
// each way a phone misbehaves ends the transfer with its messages, the port closed and nothing
// printed as a melody.

#include "../cli/clitesting.h"
#include "phoneline.h"

#include <gtest/gtest.h>

namespace sarvo::cable {
namespace {

using testing::PhoneLine;

struct TypeCase {
    const char* name;
    std::vector<std::string> phone;
    std::string melody;
    std::string slotBytes; // after the slot number; empty: checked apart
};

// The same four notes in every type: a quarter 中ド, a dotted eighth 高ソ#, a quarter rest and
// a sixteenth 低シ (中シ for the types without 低).
const TypeCase kTypes[] = {
    {"Type-E",
     {"--type", "Type-E"},
     "C中ド D.高ソ# H E低シ ",
     "00 01 00 00 00 04 00 0F 00 08 02 0B 01 01 00 00 00 08 00 0E 02 00"},
    {"Type-O",
     {"--type", "Type-O"},
     "C中ド D.高ソ# H E中シ ",
     "00 00 00 04 00 01 00 04 01 05 00 03 00 00 00 04 00 0C 00 01"},
    {"Type-S",
     {"--type", "Type-S"},
     "C中ド D.高ソ# H E中シ ",
     "00 00 00 04 00 00 00 03 01 04 00 02 01 09 00 03 00 0B 00 00"},
    {"Type-AA",
     {"--type", "Type-AA"},
     "C中ド D.高ソ# H E低シ ",
     "00 00 00 04 01 01 00 04 02 09 00 05 00 00 00 04 00 0C 00 09"},
    {"Type-AB",
     {"--type", "Type-AB"},
     "C中ド D.高ソ# H E低シ ",
     "00 01 00 00 00 04 00 0D 00 0C 02 01 00 09 00 00 00 0C 00 0C 00 03"},
    {"Type-AC",
     {"--type", "Type-AC"},
     "C中ド D.高ソ# H E低シ ",
     "00 00 00 04 01 0B 00 0C 02 0F 00 09 00 00 00 0C 01 0A 00 03"},
    {"Type-AC", {"--type", "Type-AC", "--d502i"}, "C中ド D.高ソ# H E低シ ", ""},
    {"Type-AD",
     {"--type", "Type-AD"},
     "C中ド D.高ソ# H E低シ ",
     "00 00 00 04 04 08 00 0C 05 0C 00 09 00 00 00 0C 04 07 00 03"},
};

cli::Result cable(const PhoneLine& line, const std::string& action, const char* type,
                  const std::string& melody = "", std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"cable",  action, "--port", line.port(),
                                     "--slot", "3",    "--type", type};
    args.insert(args.end(), more.begin(), more.end());
    return cli::runCli(args, melody);
}

TEST(CablePty, EveryTypeWritesAndReadsBack) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.phone.back());
        PhoneLine line(c.phone);
        const cli::Result written = cable(line, "write", c.name, c.melody, {"--name", "ab"});
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_NE(written.err.find("♪♪♪ 送信完了 ♪♪♪"), std::string::npos) << written.err;
        const std::string slot = line.slotLine(3);
        if (!c.slotBytes.empty())
            EXPECT_EQ(slot, "3 " + c.slotBytes + " ");
        else // the D502i keeps an i-melody file after its length
            EXPECT_NE(slot.find("6D 65 6C 6F"), std::string::npos) << slot;

        const cli::Result read = cable(line, "read", c.name);
        EXPECT_EQ(read.status, 0) << read.err;
        EXPECT_NE(read.err.find("書込み中．．．"), std::string::npos);
        EXPECT_NE(read.err.find("♪♪♪ 受信完了 ♪♪♪"), std::string::npos) << read.err;
        EXPECT_EQ(read.out, c.melody + "\n");
        EXPECT_EQ(line.openDescriptors(), 0);
    }
}

TEST(CablePty, TypeEWritesAThreePartChord) {
    PhoneLine line({"--type", "Type-E"});
    const std::string library = (line.dir() / "library").string();
    for (const auto& [name, melody] : {std::pair{"second", "C中ミ "}, {"third", "C中ソ "}})
        ASSERT_EQ(cli::runCli({"song", "--library", library, "save", name}, melody).status, 0);
    const cli::Result written =
        cable(line, "write", "Type-E", "C中ド ", {"--library", library, "second", "third"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_NE(written.err.find("上から３曲を携帯電話に書き込みまか？"), std::string::npos);
    // Three parts of one quarter note each: ド, ミ, ソ.
    EXPECT_EQ(line.slotLine(3), "3 00 03 00 00 00 01 00 0F 00 08 00 00 00 01 01 "
                                "07 00 08 00 00 00 01 01 0A 00 08 ");
    const cli::Result read = cable(line, "read", "Type-E");
    EXPECT_EQ(read.out, "C中ド \n");
}

struct MisbehaviourCase {
    const char* name;
    std::vector<std::string> phone;
    const char* type;
    const char* action;
    std::vector<std::string> messages; // in this order on stderr
    int status;
};

const MisbehaviourCase kMisbehaviours[] = {
    {"silent",
     {"--type", "Type-E", "--misbehave", "silent"},
     "Type-E",
     "read",
     {"<", "\n<", "\n<", "\n<", "\n×タイムアウトです。電源の入った携帯電話に接続していますか？"},
     1},
    {"single bytes",
     {"--type", "Type-S", "--misbehave", "single"},
     "Type-S",
     "write",
     {"<6C 0E FC F8 ", "♪♪♪ 送信完了 ♪♪♪"},
     0},
    {"noise",
     {"--type", "Type-AA", "--misbehave", "noise"},
     "Type-AA",
     "write",
     {"<55 AA 5A 6C ", "♪♪♪ 送信完了 ♪♪♪"},
     0},
    {"line dropped",
     {"--type", "Type-O", "--misbehave", "drop"},
     "Type-O",
     "write",
     {"\n<\n<\n<\n×タイムアウトです。電源の入った携帯電話に接続していますか？"},
     1},
    {"empty slot",
     {"--type", "Type-E", "--misbehave", "empty"},
     "Type-E",
     "read",
     {"曲目がはいっていません。"},
     1},
    {"unknown N-series model",
     {"--type", "Type-AA", "--misbehave", "unknown-model"},
     "Type-AA",
     "read",
     {"N????のどれだか不明エラー"},
     1},
    {"refused PIN",
     {"--type", "Type-AC", "--misbehave", "refuse-pin"},
     "Type-AC",
     "read",
     {"携帯電話に暗証番号を入力してから", "3秒待ち", "もう一度、携帯電話に先程と同じ暗証番号",
      "携帯電話に暗証番号が、きちんと入力されていない可能性があります。"},
     1},
    {"another type than asked",
     {"--type", "Type-S"},
     "Type-AA",
     "read",
     {"the phone is Type-S, not Type-AA"},
     1},
};

TEST(CablePty, MisbehavingPhonesEndTheTransferCleanly) {
    for (const MisbehaviourCase& c : kMisbehaviours) {
        SCOPED_TRACE(c.name);
        PhoneLine line(c.phone);
        const cli::Result result = cable(line, c.action, c.type, "C中ド D中レ ");
        EXPECT_EQ(result.status, c.status) << result.err;
        size_t at = 0;
        for (const std::string& message : c.messages) {
            const size_t found = result.err.find(message, at);
            EXPECT_NE(found, std::string::npos) << message << " after " << at << " in\n"
                                                << result.err;
            at = found == std::string::npos ? at : found + message.size();
        }
        if (c.status != 0) {
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err.find("完了"), std::string::npos);
        }
        EXPECT_EQ(line.openDescriptors(), 0);
    }
}

TEST(CablePty, WritingAnEmptyMelodyOpensNoPort) {
    const cli::Result result =
        cli::runCli({"cable", "write", "--port", "/nonexistent/tty", "--slot", "1"}, " ");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("曲が入力されていないため、書込転送できません。"), std::string::npos);
    EXPECT_EQ(result.err.find("シリアルポートを開けませんでした。"), std::string::npos);
}

} // namespace
} // namespace sarvo::cable
