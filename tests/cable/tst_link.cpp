// The link primitives on a line in memory and a manual clock: templates across pieces, the
// resend and give-up counts, the 20-second time-out, SendByte's pieces and the log's disguise.

#include "cable/link.h"
#include "cable/probe.h"
#include "cable/templatematch.h"
#include "memorytransport.h"

#include <numeric>
#include <tuple>

#include <gtest/gtest.h>

namespace sarvo::cable {
namespace {

using namespace std::chrono_literals;
using testing::MemoryTransport;

Bytes hex(std::u16string_view text) {
    return text.empty() ? Bytes{} : frameBytes(text);
}

TEST(TemplateMatch, FillsWildcardsAtTheFirstMatch) {
    // name, pattern, received, filled (empty: no match)
    const std::tuple<const char*, std::u16string_view, std::u16string_view, std::u16string_view>
        cases[] = {
            {"wildcard takes the byte", u"6C 0D FF", u"6C 0D 07", u"6C 0D 07"},
            {"noise before the reply", u"6C 0D FF", u"00 55 6C 0D 2A 9", u"6C 0D 2A"},
            {"wildcard past the end", u"6C 0D FF", u"6C 0D", u""},
            {"fixed byte differs", u"6C 0D FF 00", u"6C 0E 07 00", u""},
            {"first byte is never a wildcard", u"FF 0D", u"12 0D FF 0D", u"FF 0D"},
            {"first of two candidates", u"A1 FF", u"A1 01 A1 02", u"A1 01"},
        };
    for (const auto& [name, pattern, received, filled] : cases)
        EXPECT_EQ(matchTemplate(hex(pattern), hex(received)),
                  filled.empty() ? std::nullopt : std::optional(hex(filled)))
            << name;
}

TEST(ProtocolLog, ShowsTextDisguised) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"6D ", u"6E "},         {u"00 01", u"FC FF"},       {u"06 06", u"0F FE"},
        {u"0D ", u"0E "},         {u"02 00 02", u"F8 FC 02"}, {u"D1 ", u"D1 "},
        {u"3秒待ち", u"3秒待ち"}, {u"A6 00", u"AF FC"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(disguisedLogText(text), shown) << std::string(text.begin(), text.end());
}

TEST(ProtocolLog, ClearsAndStartsAgainPastItsLimit) {
    ProtocolLog log;
    EXPECT_EQ(log.text(), kLogHeader);
    log.logSet(u"x", true);
    EXPECT_EQ(log.text(), u"x");
    log.logSet(std::u16string(kLogLimit + 1, u'a'));
    log.logSet(u"<");
    EXPECT_EQ(log.text(), std::u16string(kLogHeader) + u"<");
}

// One line event: the clock moves on, then a piece may arrive, then the link is polled.
struct Event {
    std::chrono::milliseconds after;
    std::u16string_view piece;
};

struct ReceiveCase {
    const char* name;
    std::u16string_view pattern;
    std::vector<Event> events;
    ReceiveOutcome outcome; // after the last event
    std::u16string log;     // after "<"
    size_t resends;
    std::u16string_view reply = {};
    bool noResend = false;
    std::u16string_view resend = u"B3 0D";
    ReceiveMode mode = ReceiveMode::Template;
    size_t count = 0;
};

std::u16string repeated(std::u16string_view piece, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(Link, ReceivesByTheRulesOfTheLine) {
    const std::u16string nine = repeated(u"55 ", 8) + u"55", ten = nine + u" 55";
    const std::u16string nineLogged = repeated(u"55 ", 9), tenLogged = repeated(u"55 ", 10);
    const std::u16string timeout = u"\n" + std::u16string(kTimeoutMessage);
    const std::u16string noResend = u"\n" + std::u16string(kNoResendTimeoutMessage);
    using enum ReceiveOutcome;
    const ReceiveCase cases[] = {
        ReceiveCase("silent phone: three resends, then the time-out at 20 s", u"6C 0D FF",
                    {{4999ms, {}}, {1ms, {}}, {5000ms, {}}, {5000ms, {}}, {4999ms, {}}, {1ms, {}}},
                    Failed, u"\n<\n<\n<" + timeout, 3),
        ReceiveCase("still waiting a millisecond before 20 s", u"6C 0D FF",
                    {{5000ms, {}}, {5000ms, {}}, {5000ms, {}}, {4999ms, {}}}, Waiting, u"\n<\n<\n<",
                    3),
        ReceiveCase("reply in pieces", u"6C 0D FF", {{10ms, u"6C"}, {10ms, u"0D 07"}}, Done,
                    u"6C 0E 07 \n", 0, u"6C 0D 07"),
        ReceiveCase("bytes restart the timer", u"6C 0D FF",
                    {{4000ms, u"6C"}, {4999ms, {}}, {1ms, u"0D 01"}}, Done, u"6C 0E FF \n", 0,
                    u"6C 0D 01"),
        ReceiveCase("no-resend switch", u"6C 0D FF", {{5000ms, {}}}, Failed, noResend, 0, {}, true),
        ReceiveCase("nine stray bytes resend", u"6C 0D FF", {{10ms, nine}}, Waiting,
                    nineLogged + u"\n<", 1),
        ReceiveCase("eight then one stray byte resend too", u"6C",
                    {{10ms, u"55 55 55 55 55 55 55 55"}, {10ms, u"55"}}, Waiting,
                    nineLogged + u"\n<", 1),
        ReceiveCase("ten stray bytes at once do not", u"6C", {{10ms, ten}}, Waiting, tenLogged, 0),
        ReceiveCase("nine stray bytes with the no-resend switch", u"6C", {{10ms, nine}}, Failed,
                    nineLogged + noResend, 0, {}, true),
        ReceiveCase("forty-nine stray bytes give up", u"6C",
                    {{1ms, nine}, {1ms, ten}, {1ms, ten}, {1ms, ten}, {1ms, ten}}, RetryOut,
                    nineLogged + u"\n<" + repeated(tenLogged + u"\n<", 4) + u"\n" +
                        std::u16string(kRetryOutMessage),
                    5),
        ReceiveCase("nothing to resend", u"6C",
                    {{5000ms, {}}, {5000ms, {}}, {5000ms, {}}, {5000ms, {}}}, Failed,
                    u"\n<\n<\n<" + timeout, 0, {}, false, u"00"),
        ReceiveCase("count cuts what came", u"", {{10ms, u"64 02"}, {10ms, u"05 77"}}, Done,
                    u"64 F8 05 77 \n", 0, u"64 02 05", false, u"64 03", ReceiveMode::Count, 3),
    };
    for (const ReceiveCase& c : cases) {
        MemoryTransport line;
        ProtocolLog log;
        log.logSet(u"", true);
        sound::ManualClock clock;
        Link link(line, log, clock);
        link.startReceive({c.mode, hex(c.pattern), c.count, {}, hex(c.resend), c.noResend});
        ReceiveResult result;
        for (const Event& event : c.events) {
            clock.advance(event.after);
            if (!event.piece.empty())
                line.incoming.push_back(hex(event.piece));
            result = link.poll();
        }
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.reply, hex(c.reply)) << c.name;
        EXPECT_EQ(log.text(), u"<" + c.log) << c.name;
        EXPECT_EQ(line.written, std::vector<Bytes>(c.resends, hex(c.resend))) << c.name;
    }
}

TEST(Link, SendsInPiecesOfFifty) {
    MemoryTransport line;
    ProtocolLog log;
    sound::ManualClock clock;
    Bytes frame(120);
    std::iota(frame.begin(), frame.end(), uint8_t{0});
    Link(line, log, clock).sendByte(frame);
    const auto at = [&](size_t from, size_t to) {
        return Bytes(frame.begin() + from, frame.begin() + to);
    };
    EXPECT_EQ(line.written, (std::vector<Bytes>{at(0, 50), at(50, 100), at(100, 120)}));
}

TEST(Probe, PinFrameTakesFourDigitsOnly) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"1357", u"64 03 91 93 95 97 64 04"}, {u"2040", u"64 03 92 9A 94 9A 64 04"},
        {u"0000", u"64 03 9A 9A 9A 9A 64 04"}, {u"135", u"64 03 9A 9A 9A 9A 64 04"},
        {u"12a4", u"64 03 9A 9A 9A 9A 64 04"},
    };
    for (const auto& [pin, frame] : cases)
        EXPECT_EQ(pinFrame(u"64 03 9A 9A 9A 9A 64 04", pin), hex(frame));
}

} // namespace
} // namespace sarvo::cable
