// The SMTP and POP3 exchanges against scripted servers: what the client sends and logs for each
// server behaviour, without a network. TLS is granted when asked for.

#include "mail/pop3session.h"
#include "mail/smtpsession.h"

#include <gtest/gtest.h>

#include <tuple>

namespace sarvo::mail {
namespace {

class ManualMailClock final : public IMailClock {
public:
    MailTime localTime() const override { return {2026, 12, 6, 12, 34, 56}; }
    SteadyTime steadyNow() const override { return m_now; }
    void advance(std::chrono::seconds by) { m_now += by; }

private:
    SteadyTime m_now{};
};

struct Transcript {
    std::string sent;
    std::u16string log;
    bool finished = false, closed = false, startTls = false;
};

void apply(Transcript& t, const ExchangeOutput& out) {
    t.sent += out.send;
    t.log += out.log;
    t.finished = t.finished || out.finished;
    t.closed = t.closed || out.close;
    t.startTls = out.startTls;
}

// A server that answers each command line with the next reply of its script (the greeting
// first); the lines of a message after a "354" count as one command, ended by ".".
Transcript converse(Exchange& exchange, const std::vector<std::string>& replies) {
    Transcript t;
    size_t next = 0, read = 0;
    bool inData = false;
    auto reply = [&] {
        if (next >= replies.size())
            return;
        apply(t, exchange.received(replies[next++]));
        if (t.startTls)
            apply(t, exchange.tlsEstablished());
    };
    apply(t, exchange.start());
    reply();
    for (size_t end; !t.finished && (end = t.sent.find("\r\n", read)) != std::string::npos;) {
        const std::string line = t.sent.substr(read, end - read);
        read = end + 2;
        if (inData && line != ".")
            continue;
        const size_t answered = next;
        reply();
        inData =
            line == "DATA" && answered < replies.size() && replies[answered].starts_with("354");
    }
    return t;
}

constexpr const char* kStuffed = "Subject: x\r\n\r\n..dot\r\n..\r\nend\r\n.\r\n";
const std::u16string kStamp = u"26/12/06 12:34:56 ";

SmtpJob smtpJob(TlsMode tls = TlsMode::None, std::string user = "") {
    return {tls,         user,  user.empty() ? "" : "secret",        u"me@a.jp",
            u"you@b.jp", u"曲", "Subject: x\r\n\r\n.dot\r\n.\r\nend"};
}

// Runs a job against a server script: what the client sent, its error, and the log's end.
void expectSmtp(const std::string& what, const SmtpJob& job, const std::vector<std::string>& turns,
                const std::string& sent, const std::u16string& error) {
    SCOPED_TRACE(what);
    ManualMailClock clock;
    SmtpSession session(job, clock);
    const Transcript t = converse(session, turns);
    EXPECT_EQ(t.sent, sent);
    EXPECT_TRUE(t.finished && t.closed);
    EXPECT_EQ(session.errorMessage(), error);
    EXPECT_EQ(t.log.find(u"■送信異常終了■" + kStamp) != std::u16string::npos, !error.empty());
    EXPECT_TRUE(t.log.ends_with(
        error.empty() ? u"■送信終了■" + kStamp + u"\r\n\r\n♪ 「曲」を送信しました。♪ \r\n\r\n"
                      : u"×うっ、、エラーだ！×" + kStamp + u"\r\n　→" + error + u"\r\n"));
    EXPECT_EQ(t.log.find(u"secret"), std::u16string::npos);
}

TEST(SmtpExchange, EachReplyOfAPlainDelivery) {
    const std::vector<std::string> replies = {"220 hi\r\n", "250 ok\r\n", "250 ok\r\n",
                                              "250 ok\r\n", "354 go\r\n", "250 queued\r\n",
                                              "221 bye\r\n"};
    const std::string commands[] = {"HELO Sarvo\r\n", "MAIL FROM:<me@a.jp>\r\n",
                                    "RCPT TO:<you@b.jp>\r\n", "DATA\r\n", kStuffed};
    // The server's reply at one step; after an error the client still says QUIT.
    const std::tuple<size_t, std::string, std::u16string> cases[] = {
        {0, "220 hi\r\n", u""},
        {3, "251 forwarded\r\n", u""},
        {0, "554 no\r\n", u"SMTP CODE 220 to Connection"},
        {1, "500 what\r\n", u"SMTP CODE 250 to HELO"},
        {2, "553 no\r\n", u"SMTP CODE 250 to MAIL FROM:"},
        {3, "550 no\r\n", u"SMTP CODE NOT 25x to RCPT TO:"},
        {4, "451 later\r\n", u"SMTP CODE NOT 354 to DATA"},
        {5, "552 too big\r\n", u"SMTP CODE NOT 250 to DATA"},
        {6, "500 what\r\n", u"SMTP CODE NOT 221 to QUIT"},
    };
    for (const auto& [step, reply, error] : cases) {
        std::vector<std::string> turns(replies.begin(), replies.begin() + step);
        turns.push_back(reply);
        turns.insert(turns.end(), replies.begin() + (error.empty() ? step + 1 : 6), replies.end());
        std::string sent;
        for (size_t i = 0; i < std::size(commands) && (i < step || error.empty()); ++i)
            sent += commands[i];
        expectSmtp(reply, smtpJob(), turns, sent + "QUIT\r\n", error);
    }
}

TEST(SmtpExchange, GreetingInPiecesTlsAndAuth) {
    const std::string mailAndData =
        "MAIL FROM:<me@a.jp>\r\nRCPT TO:<you@b.jp>\r\nDATA\r\n" + std::string(kStuffed);
    expectSmtp("greeting of three 220 lines in two pieces", smtpJob(),
               {"220-a\r\n220-b\r\n", "220 c\r\n250 ok\r\n", "250 \r\n", "250 \r\n", "354 \r\n",
                "250 \r\n", "221 \r\n"},
               "HELO Sarvo\r\n" + mailAndData + "QUIT\r\n", u"");
    expectSmtp("STARTTLS and AUTH PLAIN", smtpJob(TlsMode::StartTls, "taro"),
               {"220 hi\r\n", "250-x\r\n250-STARTTLS\r\n250 SIZE\r\n", "220 go\r\n",
                "250-x\r\n250-AUTH LOGIN PLAIN\r\n250 8BITMIME\r\n", "235 ok\r\n", "250 ok\r\n",
                "250 \r\n", "354 \r\n", "250 \r\n", "221 \r\n"},
               "EHLO Sarvo\r\nSTARTTLS\r\nEHLO Sarvo\r\nAUTH PLAIN AHRhcm8Ac2VjcmV0\r\n" +
                   mailAndData + "QUIT\r\n",
               u"");
    expectSmtp(
        "AUTH LOGIN", smtpJob(TlsMode::None, "taro"),
        {"220 hi\r\n", "250-x\r\n250 AUTH LOGIN\r\n", "334 VXNlcm5hbWU6\r\n",
         "334 UGFzc3dvcmQ6\r\n", "235 ok\r\n", "553 no\r\n", "221 \r\n"},
        "EHLO Sarvo\r\nAUTH LOGIN\r\ndGFybw==\r\nc2VjcmV0\r\nMAIL FROM:<me@a.jp>\r\nQUIT\r\n",
        u"SMTP CODE 250 to MAIL FROM:");
    expectSmtp("STARTTLS wanted but not offered", smtpJob(TlsMode::StartTls),
               {"220 hi\r\n", "250-x\r\n250 AUTH PLAIN\r\n", "221 bye\r\n"},
               "EHLO Sarvo\r\nQUIT\r\n", u"このサーバは STARTTLS に対応していません");
    expectSmtp("AUTH wanted but not offered", smtpJob(TlsMode::Implicit, "taro"),
               {"220 hi\r\n", "250 x\r\n", "221 bye\r\n"}, "EHLO Sarvo\r\nQUIT\r\n",
               u"このサーバは AUTH PLAIN にも AUTH LOGIN にも対応していません");
}

Pop3Job pop3Job(bool deleteRecognised, long sizeLimit, std::vector<std::string>* seen) {
    Pop3Job job{TlsMode::None, "taro", "secret", deleteRecognised, sizeLimit, {}};
    job.handleMessage = [seen](std::string_view message) { // recognised when it starts with "R"
        seen->emplace_back(message);
        return MessageVerdict{message.starts_with("R"),
                              u"曲" + std::u16string(1, char16_t(u'0' + seen->size()))};
    };
    return job;
}

std::string retrieved(const std::string& message) {
    return "+OK message\r\n" + message + "\r\n.\r\n";
}

TEST(Pop3Exchange, MailboxOfThreeWithTheClassicSizeLimit) {
    const std::string first = "R" + std::string(998, 'a');
    const std::string third = "x" + std::string(1998, 'c');
    for (const bool deleteRecognised : {true, false}) {
        std::vector<std::string> seen;
        ManualMailClock clock;
        Pop3Session session(pop3Job(deleteRecognised, kClassicSizeLimit, &seen), clock);
        std::vector<std::string> turns = {"+OK ready\r\n",  "+OK\r\n",        "+OK p\r\n",
                                          "+OK 3 8000\r\n", "+OK 1 1000\r\n", retrieved(first)};
        if (deleteRecognised)
            turns.push_back("+OK deleted\r\n");
        turns.insert(turns.end(),
                     {"+OK 2 5000\r\n", "+OK 3 2000\r\n", retrieved(third), "+OK bye\r\n"});
        const Transcript t = converse(session, turns);
        EXPECT_EQ(t.sent, std::string("USER taro\r\nPASS secret\r\nSTAT\r\nLIST 1\r\nRETR 1\r\n") +
                              (deleteRecognised ? "DELE 1\r\n" : "") +
                              "LIST 2\r\nLIST 3\r\nRETR 3\r\nQUIT\r\n");
        EXPECT_EQ(seen, (std::vector<std::string>{first + "\r", third + "\r"}));
        EXPECT_NE(t.log.find(u"< +OK 2 5000\r\n! 3KB を超えるメールは、受信しません。\r\n> LIST 3"),
                  std::u16string::npos);
        EXPECT_NE(t.log.find(u"> PASS *********\r\n"), std::u16string::npos);
        EXPECT_EQ(t.log.find(u"secret"), std::u16string::npos);
        EXPECT_TRUE(t.log.ends_with(u"■受信終了■" + kStamp +
                                    u"\r\n\r\n♪ 「曲1」を受信しました。♪ \r\n\r\n"));
        EXPECT_EQ(session.errorMessage(), u"");
    }
}

TEST(Pop3Exchange, FailuresAndCounts) {
    const std::string hi = "+OK hi\r\n", ok = "+OK\r\n", one = "+OK 1 5\r\n";
    const std::u16string none = u"♪ 曲は受信されませんでした。♪", failed = u"■受信異常終了■";
    // The server's replies, the error, and a line of the log's end.
    const std::tuple<std::vector<std::string>, std::u16string, std::u16string> cases[] = {
        {{"-ERR busy\r\n", ".\r\n+OK bye\r\n"}, u"POP3 NOT +OK to Connection", none},
        {{hi, ok, "-ERR wrong\r\n", "+OK bye\r\n"}, u"POP3 NOT +OK to PASS", failed},
        {{hi, ok, ok, one, one, "-ERR gone\r\n", "+OK bye\r\n"}, u"POP3 NOT +OK to RETR", failed},
        {{hi, ok, ok, "+OK 2 10\r\n", "+OK 1 10\r\n", retrieved("R1"), "+OK 2 10\r\n",
          retrieved("R2"), "+OK bye\r\n"},
         u"",
         u"♪ 「曲2」等 ２曲受信しました。♪ "},
        {{hi, ok, ok, "+OK 0 0\r\n", "-ERR no\r\n"}, u"POP3 NOT +OK to QUIT", none},
    };
    for (const auto& [turns, error, closing] : cases) {
        std::vector<std::string> seen;
        ManualMailClock clock;
        Pop3Session session(pop3Job(false, kDefaultSizeLimit, &seen), clock);
        const Transcript t = converse(session, turns);
        EXPECT_TRUE(t.finished && std::string_view(t.sent).ends_with("QUIT\r\n")) << t.sent;
        EXPECT_EQ(session.errorMessage(), error);
        EXPECT_NE(t.log.find(closing), std::u16string::npos) << t.sent;
    }
}

TEST(Pop3Exchange, SilentServerEndsAtTheIdleTimeOut) {
    std::vector<std::string> seen;
    ManualMailClock clock;
    Pop3Session session(pop3Job(true, kDefaultSizeLimit, &seen), clock);
    Transcript t = converse(session, {"+OK hi\r\n", "+OK u\r\n", "+OK p\r\n", "+OK 1 5\r\n"});
    clock.advance(std::chrono::seconds(59));
    apply(t, session.tick());
    EXPECT_FALSE(t.finished);
    clock.advance(std::chrono::seconds(1));
    apply(t, session.tick());
    EXPECT_TRUE(t.finished && t.closed);
    EXPECT_EQ(session.errorMessage(), u"??? 5 サーバが 60 秒間応答しません");
}

} // namespace
} // namespace sarvo::mail
