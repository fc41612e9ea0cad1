// The SMTP and POP3 exchanges against scripted servers: what the client sends and logs for each
// server behaviour, without a network.

#include "exchangetesting.h"
#include "mail/pop3session.h"
#include "mail/smtpsession.h"

#include <gtest/gtest.h>

namespace sarvo::mail {
namespace {

using testing::converse;
using testing::ManualMailClock;
using testing::Transcript;

constexpr const char* kMessage = "Subject: x\r\n\r\n.dot\r\n.\r\nend";
constexpr const char* kStuffed = "Subject: x\r\n\r\n..dot\r\n..\r\nend\r\n.\r\n";

SmtpJob smtpJob(TlsMode tls = TlsMode::None, std::string user = "") {
    return {tls, user, user.empty() ? "" : "secret", u"me@a.jp", u"you@b.jp", u"曲", kMessage};
}

struct SmtpCase {
    const char* what;
    SmtpJob job;
    std::vector<std::string> turns;
    std::string sent;
    std::u16string error;
};

const std::string kPlainSent =
    std::string("HELO Sarvo\r\nMAIL FROM:<me@a.jp>\r\nRCPT TO:<you@b.jp>\r\n"
                "DATA\r\n") +
    kStuffed + "QUIT\r\n";

TEST(SmtpExchange, ServerScripts) {
    const std::vector<std::string> ok = {"220 hi\r\n", "250 ok\r\n",     "250 ok\r\n", "250 ok\r\n",
                                         "354 go\r\n", "250 queued\r\n", "221 bye\r\n"};
    auto with = [&](size_t turn, std::string reply) {
        std::vector<std::string> turns(ok.begin(), ok.begin() + turn);
        turns.push_back(std::move(reply));
        turns.push_back("221 bye\r\n");
        return turns;
    };
    const std::string upToData =
        std::string("HELO Sarvo\r\nMAIL FROM:<me@a.jp>\r\nRCPT TO:<you@b.jp>\r\nDATA\r\n");
    const SmtpCase cases[] = {
        {"plain", smtpJob(), ok, kPlainSent, u""},
        {"greeting of three 220 lines",
         smtpJob(),
         {"220-a\r\n220-b\r\n", "220 c\r\n250 ok\r\n", "250 \r\n", "250 \r\n", "354 \r\n",
          "250 \r\n", "221 \r\n"},
         kPlainSent,
         u""},
        {"251 to RCPT",
         smtpJob(),
         {"220 hi\r\n", "250 ok\r\n", "250 ok\r\n", "251 forwarded\r\n", "354 go\r\n",
          "250 queued\r\n", "221 bye\r\n"},
         kPlainSent,
         u""},
        {"greeting refused",
         smtpJob(),
         {"554 no\r\n", "221 bye\r\n"},
         "QUIT\r\n",
         u"SMTP CODE 220 to Connection"},
        {"HELO refused", smtpJob(), with(1, "500 what\r\n"), "HELO Sarvo\r\nQUIT\r\n",
         u"SMTP CODE 250 to HELO"},
        {"sender refused", smtpJob(), with(2, "553 no\r\n"),
         "HELO Sarvo\r\nMAIL FROM:<me@a.jp>\r\nQUIT\r\n", u"SMTP CODE 250 to MAIL FROM:"},
        {"recipient refused", smtpJob(), with(3, "550 no\r\n"),
         "HELO Sarvo\r\nMAIL FROM:<me@a.jp>\r\nRCPT TO:<you@b.jp>\r\nQUIT\r\n",
         u"SMTP CODE NOT 25x to RCPT TO:"},
        {"DATA refused", smtpJob(), with(4, "451 later\r\n"), upToData + "QUIT\r\n",
         u"SMTP CODE NOT 354 to DATA"},
        {"message refused", smtpJob(), with(5, "552 too big\r\n"), upToData + kStuffed + "QUIT\r\n",
         u"SMTP CODE NOT 250 to DATA"},
        {"QUIT answered wrongly", smtpJob(), with(6, "500 what\r\n"), kPlainSent,
         u"SMTP CODE NOT 221 to QUIT"},
        {"STARTTLS and AUTH PLAIN",
         smtpJob(TlsMode::StartTls, "taro"),
         {"220 hi\r\n", "250-x\r\n250-STARTTLS\r\n250 SIZE\r\n", "220 go\r\n",
          "250-x\r\n250-AUTH LOGIN PLAIN\r\n250 8BITMIME\r\n", "235 ok\r\n", "250 ok\r\n",
          "250 \r\n", "354 \r\n", "250 \r\n", "221 \r\n"},
         "EHLO Sarvo\r\nSTARTTLS\r\nEHLO Sarvo\r\nAUTH PLAIN AHRhcm8Ac2VjcmV0\r\n"
         "MAIL FROM:<me@a.jp>\r\nRCPT TO:<you@b.jp>\r\nDATA\r\n" +
             std::string(kStuffed) + "QUIT\r\n",
         u""},
        {"AUTH LOGIN",
         smtpJob(TlsMode::None, "taro"),
         {"220 hi\r\n", "250-x\r\n250 AUTH LOGIN\r\n", "334 VXNlcm5hbWU6\r\n",
          "334 UGFzc3dvcmQ6\r\n", "235 ok\r\n", "553 no\r\n", "221 \r\n"},
         "EHLO Sarvo\r\nAUTH LOGIN\r\ndGFybw==\r\nc2VjcmV0\r\nMAIL FROM:<me@a.jp>\r\nQUIT\r\n",
         u"SMTP CODE 250 to MAIL FROM:"},
        {"STARTTLS wanted but not offered",
         smtpJob(TlsMode::StartTls),
         {"220 hi\r\n", "250-x\r\n250 AUTH PLAIN\r\n", "221 bye\r\n"},
         "EHLO Sarvo\r\nQUIT\r\n",
         u"このサーバは STARTTLS に対応していません"},
        {"AUTH wanted but not offered",
         smtpJob(TlsMode::Implicit, "taro"),
         {"220 hi\r\n", "250 x\r\n", "221 bye\r\n"},
         "EHLO Sarvo\r\nQUIT\r\n",
         u"このサーバは AUTH PLAIN にも AUTH LOGIN にも対応していません"},
    };
    for (const SmtpCase& c : cases) {
        ManualMailClock clock;
        SmtpSession session(c.job, clock);
        const Transcript t = converse(session, c.turns);
        EXPECT_EQ(t.sent, c.sent) << c.what;
        EXPECT_TRUE(t.finished && t.closed) << c.what;
        EXPECT_EQ(session.errorMessage(), c.error) << c.what;
        EXPECT_EQ(t.log.find(u"■送信異常終了■26/12/06 12:34:56 \r\n") != std::u16string::npos,
                  !c.error.empty())
            << c.what;
        if (!c.error.empty()) {
            EXPECT_TRUE(t.log.ends_with(u"×うっ、、エラーだ！×26/12/06 12:34:56 \r\n　→" + c.error +
                                        u"\r\n"))
                << c.what;
        }
        EXPECT_EQ(t.log.find(u"secret"), std::u16string::npos) << c.what;
    }
}

TEST(SmtpExchange, LogOfADelivery) {
    ManualMailClock clock;
    SmtpJob job = smtpJob();
    job.message = "a\r\n.b";
    SmtpSession session(job, clock);
    const Transcript t = converse(session, {"220 hi\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n",
                                            "354 go\r\n", "250 queued\r\n", "221 bye\r\n"});
    EXPECT_EQ(t.log,
              u"■接続開始■26/12/06 12:34:56 \r\n< 220 hi\r\n■送信開始■26/12/06 12:34:56 \r\n"
              u"> HELO Sarvo\r\n< 250 ok\r\n> MAIL FROM:<me@a.jp>\r\n< 250 ok\r\n"
              u"> RCPT TO:<you@b.jp>\r\n< 250 ok\r\n> DATA\r\n< 354 go\r\n> a\r\n> ..b\r\n"
              u"> .\r\n< 250 queued\r\n> QUIT\r\n< 221 bye\r\n■送信終了■26/12/06 12:34:56 \r\n"
              u"\r\n♪ 「曲」を送信しました。♪ \r\n\r\n");
}

struct Mailbox {
    std::vector<std::string> messages; // each recognised when it starts with "R"
};

Pop3Job pop3Job(bool deleteRecognised, long sizeLimit, std::vector<std::string>* seen) {
    Pop3Job job{TlsMode::None, "taro", "secret", deleteRecognised, sizeLimit, {}};
    job.handleMessage = [seen](std::string_view message) {
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
        for (std::string turn : {std::string("+OK 2 5000\r\n"), std::string("+OK 3 2000\r\n"),
                                 retrieved(third), std::string("+OK bye\r\n")})
            turns.push_back(std::move(turn));
        const Transcript t = converse(session, turns);
        EXPECT_EQ(t.sent, std::string("USER taro\r\nPASS secret\r\nSTAT\r\nLIST 1\r\nRETR 1\r\n") +
                              (deleteRecognised ? "DELE 1\r\n" : "") +
                              "LIST 2\r\nLIST 3\r\nRETR 3\r\nQUIT\r\n");
        EXPECT_EQ(seen, (std::vector<std::string>{first + "\r", third + "\r"}));
        EXPECT_NE(t.log.find(u"< +OK 2 5000\r\n! 3KB を超えるメールは、受信しません。\r\n> LIST 3"),
                  std::u16string::npos);
        EXPECT_NE(t.log.find(u"> PASS *********\r\n"), std::u16string::npos);
        EXPECT_EQ(t.log.find(u"secret"), std::u16string::npos);
        EXPECT_TRUE(t.log.ends_with(
            u"■受信終了■26/12/06 12:34:56 \r\n\r\n♪ 「曲1」を受信しました。♪ \r\n\r\n"));
        EXPECT_EQ(session.errorMessage(), u"");
    }
}

TEST(Pop3Exchange, FailuresAndCounts) {
    struct Case {
        const char* what;
        std::vector<std::string> turns;
        std::u16string error;
        std::u16string closing;
    };
    const std::string two = "+OK 2 10\r\n";
    const Case cases[] = {
        {"greeting refused",
         {"-ERR busy\r\n", ".\r\n+OK bye\r\n"},
         u"POP3 NOT +OK to Connection",
         u"♪ 曲は受信されませんでした。♪"},
        {"password refused",
         {"+OK hi\r\n", "+OK u\r\n", "-ERR wrong\r\n", "+OK bye\r\n"},
         u"POP3 NOT +OK to PASS",
         u"■受信異常終了■"},
        {"RETR refused",
         {"+OK hi\r\n", "+OK u\r\n", "+OK p\r\n", "+OK 1 5\r\n", "+OK 1 5\r\n", "-ERR gone\r\n",
          "+OK bye\r\n"},
         u"POP3 NOT +OK to RETR",
         u"■受信異常終了■"},
        {"two recognised",
         {"+OK hi\r\n", "+OK u\r\n", "+OK p\r\n", two, "+OK 1 10\r\n", retrieved("R1"),
          "+OK 2 10\r\n", retrieved("R2"), "+OK bye\r\n"},
         u"",
         u"♪ 「曲2」等 ２曲受信しました。♪ "},
        {"QUIT refused",
         {"+OK hi\r\n", "+OK u\r\n", "+OK p\r\n", "+OK 0 0\r\n", "-ERR no\r\n"},
         u"POP3 NOT +OK to QUIT",
         u"♪ 曲は受信されませんでした。♪"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> seen;
        ManualMailClock clock;
        Pop3Session session(pop3Job(false, kDefaultSizeLimit, &seen), clock);
        const Transcript t = converse(session, c.turns);
        EXPECT_TRUE(t.finished) << c.what;
        EXPECT_TRUE(std::string_view(t.sent).ends_with("QUIT\r\n")) << c.what;
        EXPECT_EQ(session.errorMessage(), c.error) << c.what;
        EXPECT_NE(t.log.find(c.closing), std::u16string::npos) << c.what;
    }
}

TEST(Pop3Exchange, BrokenConnectionsStoreNothing) {
    struct Case {
        const char* what;
        std::vector<std::string> turns;
        std::u16string error;
    };
    const std::string partial = "+OK message\r\nR" + std::string(100, 'x');
    const std::string flood = "+OK message\r\n" + std::string(3 * kDefaultSizeLimit, 'x');
    const std::vector<std::string> upToRetr = {"+OK hi\r\n", "+OK u\r\n", "+OK p\r\n",
                                               "+OK 1 5\r\n", "+OK 1 5\r\n"};
    auto then = [&](std::string last) {
        std::vector<std::string> turns = upToRetr;
        turns.push_back(std::move(last));
        return turns;
    };
    const Case cases[] = {
        {"closed in the middle of RETR", then(partial), u"??? 1 closed"},
        {"a message past its size", then(flood), u"メールが大きすぎるので受信をやめました。"},
        {"silent server", upToRetr, u"??? 5 サーバが 60 秒間応答しません"},
        {"garbage lines", {"\x01\x02\r\nzzzz\r\n", "+OK\r\n"}, u"POP3 NOT +OK to Connection"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> seen;
        ManualMailClock clock;
        Pop3Session session(pop3Job(true, kDefaultSizeLimit, &seen), clock);
        Transcript t = converse(session, c.turns);
        const bool silent = c.error.starts_with(u"??? 5");
        if (silent) {
            clock.advance(std::chrono::seconds(59));
            testing::apply(t, session.tick());
            EXPECT_FALSE(t.finished) << c.what;
            clock.advance(std::chrono::seconds(1));
            testing::apply(t, session.tick());
        }
        testing::apply(t, session.socketError(1, u"closed"));
        EXPECT_TRUE(t.finished && t.closed) << c.what;
        EXPECT_TRUE(seen.empty()) << c.what;
        EXPECT_EQ(session.errorMessage(), c.error) << c.what;
        EXPECT_EQ(t.sent.find("DELE"), std::string::npos) << c.what;
    }
}

} // namespace
} // namespace sarvo::mail
