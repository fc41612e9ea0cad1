// Transfers through a real pseudo-terminal to the phone emulator: every type writes a melody and
// reads it back, the slot holding the bytes of the type's tables; each way a phone misbehaves
// ends the transfer with its messages and the port closed; sarvo-cli cable around a transfer.

#include "../cli/clitesting.h"
#include "cable/posixserialport.h"
#include "cable/transferrunner.h"
#include "cli/cliio.h"
#include "common/textcodec.h"
#include "phoneline.h"

#include <gtest/gtest.h>

namespace sarvo::cable {
namespace {

using namespace std::chrono_literals;
using sound::SteadyClock;
using testing::PhoneLine;

// The transfer's clock: the steady clock, except that a wait in which nothing arrives for 350 ms
// skips to its end, so that time-outs and pauses pass in a fraction of their length (the link
// test holds their lengths). The emulator answers well within it.
class SkippingClock final : public sound::IClock {
public:
    TimePoint now() const override { return SteadyClock::now() + skipped; }
    SteadyClock::duration skipped{};
};

struct Transfer {
    bool completed;
    std::u16string melody;
    std::string shown; // the log and the messages, as sarvo-cli shows them
    int openDescriptors;
};

Transfer transfer(const PhoneLine& line, Direction direction, CableType type,
                  std::u16string melody = {}) {
    PosixSerialPort port(line.port());
    ProtocolLog log;
    std::ostringstream shown;
    log.setListener([&](std::u16string_view text, bool) { shown << toUtf8(text); });
    SkippingClock clock;
    Link link(port, log, clock);
    cli::StderrInteractive ui(shown, Answer::Yes);
    TransferRunner runner(
        {.direction = direction, .type = type, .slot = 3, .melody = melody, .title = u"ab"}, link,
        ui);
    while (const auto due = runner.poll()) {
        const auto cap = SteadyClock::now() + 350ms;
        port.waitReadable(std::min(cap, *due - clock.skipped));
        if (SteadyClock::now() >= cap)
            clock.skipped += std::max(*due - clock.now(), SteadyClock::duration{});
    }
    return {runner.outcome().completed, runner.outcome().melody, shown.str(),
            line.openDescriptors()};
}

std::vector<std::string> phone(CableType type, std::vector<std::string> more = {}) {
    more.insert(more.begin(), {"--type", toUtf8(cableTypeInfo(type).shortName)});
    return more;
}

struct TypeCase {
    CableType type;
    std::string slotBytes; // after the slot number; empty: checked apart
    bool d502i = false;
    bool low = true; // false: the type has no 低, the sixteenth is a 中シ
};

// The same four notes in every type: a quarter 中ド, a dotted eighth 高ソ#, a quarter rest and
// a sixteenth 低シ.
const TypeCase kTypes[] = {
    {CableType::E, "00 01 00 00 00 04 00 0F 00 08 02 0B 01 01 00 00 00 08 00 0E 02 00"},
    {CableType::O, "00 00 00 04 00 01 00 04 01 05 00 03 00 00 00 04 00 0C 00 01", false, false},
    {CableType::S, "00 00 00 04 00 00 00 03 01 04 00 02 01 09 00 03 00 0B 00 00", false, false},
    {CableType::AA, "00 00 00 04 01 01 00 04 02 09 00 05 00 00 00 04 00 0C 00 09"},
    {CableType::AB, "00 01 00 00 00 04 00 0D 00 0C 02 01 00 09 00 00 00 0C 00 0C 00 03"},
    {CableType::AC, "00 00 00 04 01 0B 00 0C 02 0F 00 09 00 00 00 0C 01 0A 00 03"},
    {CableType::AC, "", true},
    {CableType::AD, "00 00 00 04 04 08 00 0C 05 0C 00 09 00 00 00 0C 04 07 00 03"},
};

TEST(CablePty, EveryTypeWritesAndReadsBack) {
    for (const TypeCase& c : kTypes) {
        std::vector<std::string> args = phone(c.type);
        if (c.d502i)
            args.push_back("--d502i");
        SCOPED_TRACE(args.back());
        const PhoneLine line(args);
        const std::u16string melody = c.low ? u"C中ド D.高ソ# H E低シ " : u"C中ド D.高ソ# H E中シ ";
        const Transfer written = transfer(line, Direction::Write, c.type, melody);
        EXPECT_TRUE(written.completed) << written.shown;
        EXPECT_NE(written.shown.find("♪♪♪ 送信完了 ♪♪♪"), std::string::npos) << written.shown;
        const std::string slot = line.slotLine(3);
        if (!c.slotBytes.empty())
            EXPECT_EQ(slot, "3 " + c.slotBytes + " ");
        else // the D502i keeps an i-melody file after its length
            EXPECT_NE(slot.find("6D 65 6C 6F"), std::string::npos) << slot;

        const Transfer read = transfer(line, Direction::Read, c.type);
        EXPECT_TRUE(read.completed) << read.shown;
        EXPECT_NE(read.shown.find("書込み中．．．"), std::string::npos);
        EXPECT_NE(read.shown.find("♪♪♪ 受信完了 ♪♪♪"), std::string::npos) << read.shown;
        EXPECT_EQ(read.melody, melody);
        EXPECT_EQ(written.openDescriptors + read.openDescriptors, 0);
    }
}

struct MisbehaviourCase {
    const char* mode;
    CableType type;
    Direction direction;
    std::vector<std::string> messages; // in this order
};

const std::string kTimeout =
    "\n<\n<\n<\n×タイムアウトです。電源の入った携帯電話に接続していますか？";
const MisbehaviourCase kMisbehaviours[] = {
    {"silent", CableType::E, Direction::Read, {"<" + kTimeout}},
    {"drop", CableType::O, Direction::Write, {kTimeout}},
    {"empty", CableType::E, Direction::Read, {"曲目がはいっていません。"}},
    {"unknown-model", CableType::AA, Direction::Read, {"N????のどれだか不明エラー"}},
    {"refuse-pin",
     CableType::AC,
     Direction::Read,
     {"携帯電話に暗証番号を入力してから", "3秒待ち", "もう一度、携帯電話に先程と同じ暗証番号",
      "携帯電話に暗証番号が、きちんと入力されていない可能性があります。"}},
};

// Each ends the transfer unfinished, with its messages and the port closed.
TEST(CablePty, MisbehavingPhonesEndTheTransferCleanly) {
    for (const MisbehaviourCase& c : kMisbehaviours) {
        SCOPED_TRACE(c.mode);
        const PhoneLine line(phone(c.type, {"--misbehave", c.mode}));
        const Transfer result = transfer(line, c.direction, c.type, u"C中ド D中レ ");
        EXPECT_FALSE(result.completed);
        size_t at = 0;
        for (const std::string& message : c.messages) {
            const size_t found = result.shown.find(message, at);
            EXPECT_NE(found, std::string::npos) << message << " after " << at << " in\n"
                                                << result.shown;
            at = found == std::string::npos ? at : found + message.size();
        }
        EXPECT_EQ(result.melody, u"");
        EXPECT_EQ(result.shown.find("完了"), std::string::npos);
        EXPECT_EQ(result.openDescriptors, 0);
    }
}

// sarvo-cli cable: a chord of library songs written and read back, and another type than the one
// asked for (the empty melody is the dialog test's).
TEST(CablePty, CliWritesAndReadsAndStops) {
    PhoneLine line({"--type", "Type-E"});
    const std::string library = (line.dir() / "library").string();
    for (const auto& [name, melody] : {std::pair{"second", "C中ミ "}, {"third", "C中ソ "}})
        ASSERT_EQ(cli::runCli({"song", "--library", library, "save", name}, melody).status, 0);
    const std::vector<std::string> slot = {"--port", line.port(), "--slot", "3"};
    auto cable = [&](std::vector<std::string> args, const std::string& melody = "") {
        args.insert(args.begin() + 2, slot.begin(), slot.end());
        return cli::runCli(args, melody);
    };
    const cli::Result written = cable(
        {"cable", "write", "--name", "ab", "--library", library, "second", "third"}, "C中ド ");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_NE(written.err.find("上から３曲を携帯電話に書き込みまか？"), std::string::npos);
    // Three parts of one quarter note each: ド, ミ, ソ.
    EXPECT_EQ(line.slotLine(3), "3 00 03 00 00 00 01 00 0F 00 08 00 00 00 01 01 "
                                "07 00 08 00 00 00 01 01 0A 00 08 ");
    const cli::Result read = cable({"cable", "read", "--type", "Type-E"});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "C中ド \n");

    const cli::Result other = cable({"cable", "read", "--type", "Type-AA"});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.out, "");
    EXPECT_NE(other.err.find("the phone is Type-E, not Type-AA"), std::string::npos) << other.err;
    EXPECT_EQ(other.err.find("完了"), std::string::npos);
}

} // namespace
} // namespace sarvo::cable
