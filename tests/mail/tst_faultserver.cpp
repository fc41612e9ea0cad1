// The exchanges over real loopback sockets against a server that misbehaves: each case ends
// with a logged failure (or a delivery despite the odd greeting) and nothing stored half.

#include "mail/net/exchangedriver.h"
#include "mail/pop3session.h"
#include "mail/smtpsession.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace sarvo::mail {
namespace {

// One server reaction: when a received line starts with trigger, send reply; then close, or
// stay silent.
struct Reaction {
    QByteArray trigger;
    QByteArray reply;
    bool closeAfter = false;
};

// Greets, then answers each line by the first reaction whose trigger it starts with.
class FaultServer {
public:
    FaultServer(QByteArray greeting, std::vector<Reaction> reactions)
        : m_greeting(std::move(greeting))
        , m_reactions(std::move(reactions)) {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* client = m_server.nextPendingConnection();
            client->write(m_greeting);
            QObject::connect(client, &QTcpSocket::readyRead, [this, client] {
                m_pending += client->readAll();
                for (qsizetype end; (end = m_pending.indexOf("\r\n")) >= 0;) {
                    const QByteArray line = m_pending.left(end);
                    m_pending.remove(0, end + 2);
                    for (const Reaction& r : m_reactions) {
                        if (!line.startsWith(r.trigger))
                            continue;
                        client->write(r.reply);
                        client->flush();
                        if (r.closeAfter)
                            client->disconnectFromHost();
                        break;
                    }
                }
            });
        });
    }
    int port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
    QByteArray m_greeting;
    std::vector<Reaction> m_reactions;
    QByteArray m_pending;
};

// The event loop the sockets need, once for the whole program.
QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "tst_faultserver";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The steady clock, or one running speed times as fast so that the idle time-out passes at the
// driver's first check.
class WallClock final : public IMailClock {
public:
    explicit WallClock(int speed)
        : m_speed(speed) {}
    MailTime localTime() const override { return {2026, 12, 6, 12, 0, 0}; }
    SteadyTime steadyNow() const override {
        return m_start + (std::chrono::steady_clock::now() - m_start) * m_speed;
    }

private:
    int m_speed;
    SteadyTime m_start = std::chrono::steady_clock::now();
};

// Runs the exchange to its end (at most 10 s) and returns the log.
QString run(Exchange& exchange, int port) {
    application();
    ExchangeDriver driver(exchange, {u"127.0.0.1", port, TlsMode::None});
    QString log;
    QEventLoop loop;
    QObject::connect(&driver, &ExchangeDriver::logged, [&](const QString& text) { log += text; });
    QObject::connect(&driver, &ExchangeDriver::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    driver.start();
    loop.exec();
    EXPECT_TRUE(exchange.finished());
    return log;
}

TEST(FaultServer, EachFaultIsLoggedAndNothingHandedOnHalf) {
    struct Case {
        const char* what;
        QByteArray greeting; // a POP3 server's when it starts with "+OK"
        std::vector<Reaction> reactions;
        QString logged; // a line the log must hold
        std::u16string error;
        int clockSpeed = 1;
    };
    const std::vector<Reaction> login = {{"USER", "+OK\r\n"}, {"PASS", "+OK in\r\n"},
                                         {"STAT", "+OK 1 100\r\n"}, {"QUIT", "+OK bye\r\n"}};
    const auto mailbox = [&](std::vector<Reaction> more) {
        more.insert(more.end(), login.begin(), login.end());
        return more;
    };
    const std::vector<Reaction> accepting = {{"HELO", "250 ok\r\n"},  {"MAIL", "250 ok\r\n"},
                                             {"RCPT", "250 ok\r\n"},  {"DATA", "354 go\r\n"},
                                             {".", "250 queued\r\n"}, {"QUIT", "221 bye\r\n"}};
    std::vector<Reaction> cutInData = accepting;
    cutInData[4] = {"Subject", "", true};
    const QByteArray tenMegabytes(10 << 20, 'x');
    const Case cases[] = {
        {"closed in the middle of RETR", "+OK hi\r\n",
         mailbox(
             {{"LIST", "+OK 1 100\r\n"}, {"RETR", "+OK\r\nSubject: x\r\n\r\n--B:M\r\nbWVs", true}}),
         "? 1 ", u"??? 1 The remote host closed the connection"},
        {"a 10 MB message announced small", "+OK hi\r\n",
         mailbox({{"LIST", "+OK 1 100\r\n"}, {"RETR", "+OK\r\n" + tenMegabytes}}), "< +OK\r\n",
         u"メールが大きすぎるので受信をやめました。"},
        {"a 10 MB message announced as such", "+OK hi\r\n",
         mailbox({{"LIST", "+OK 1 10485760\r\n"}}), "! 64KB を超えるメールは、受信しません。", u""},
        // The idle minute passes within the driver's first second.
        {"silent after LIST", "+OK hi\r\n", mailbox({}), "? 5 サーバが 60 秒間応答しません",
         u"??? 5 サーバが 60 秒間応答しません", 100},
        {"greeting of three lines", "220-a\r\n220-b\r\n220 c\r\n", accepting,
         "♪ 「x」を送信しました。♪ ", u""},
        {"closed in the middle of DATA", "220 hi\r\n", cutInData, "? 1 ",
         u"??? 1 The remote host closed the connection"},
        {"garbage for a greeting", "\x01\x02\r\n\xff\xfe garbage\r\n", accepting, "■送信異常終了■",
         u"SMTP CODE 220 to Connection"},
    };
    for (const Case& c : cases) {
        application();
        FaultServer server(c.greeting, c.reactions);
        WallClock clock(c.clockSpeed);
        int handled = 0;
        const auto handle = [&](std::string_view) {
            ++handled;
            return MessageVerdict{true, u"x"};
        };
        std::unique_ptr<Exchange> session;
        if (c.greeting.startsWith("+OK"))
            session = std::make_unique<Pop3Session>(
                Pop3Job{TlsMode::None, "u", "p", true, kDefaultSizeLimit, handle}, clock);
        else
            session = std::make_unique<SmtpSession>(
                SmtpJob{TlsMode::None, "", "", u"a@b", u"c@d", u"x", "Subject: x\r\n\r\nbody"},
                clock);
        const QString log = run(*session, server.port());
        EXPECT_TRUE(log.contains(c.logged)) << c.what << "\n" << log.toStdString();
        EXPECT_EQ(session->errorMessage(), c.error) << c.what;
        EXPECT_EQ(handled, 0) << c.what;
    }
}

} // namespace
} // namespace sarvo::mail
