#pragma once
// What the SMTP and POP3 exchanges share: the receive buffer and its line reading, the protocol
// log, the error record, the idle time-out, and what an exchange asks its connection to do.
// An exchange is an engine: it takes received bytes and connection events and answers with the
// bytes to send and the log lines to show; it never touches a socket and never waits.

#include "mail/mailtime.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::mail {

enum class TlsMode { None, StartTls, Implicit };

inline constexpr std::u16string_view kLogResetText =
    u"\r\n＊＊＊ メイル送受信のプロトコルログです ＊＊＊";
// The log is reset before it grows past this many characters while mails arrive.
inline constexpr size_t kLogLimit = 30000;
inline constexpr std::chrono::seconds kDefaultIdleTimeout{60};

using SteadyTime = std::chrono::steady_clock::time_point;

// The local time of the log's timestamps and the steady time of the idle time-out.
class IMailClock {
public:
    virtual ~IMailClock() = default;
    virtual MailTime localTime() const = 0;
    virtual SteadyTime steadyNow() const = 0;
};

class SystemMailClock final : public IMailClock {
public:
    MailTime localTime() const override { return MailTime::now(); }
    SteadyTime steadyNow() const override { return std::chrono::steady_clock::now(); }
};

// What the connection should do after an event, in this order: append the log text, send the
// bytes, start TLS, close.
struct ExchangeOutput {
    std::u16string log;
    std::string send;
    bool startTls = false;
    bool close = false;
    bool checkLogLength = false; // a log longer than kLogLimit is reset before this log
    bool finished = false;

    bool operator==(const ExchangeOutput&) const = default;
};

// Where a server is and how to reach it.
struct ServerAddress {
    std::u16string host;
    int port = 0;
    TlsMode tls = TlsMode::None;
};

class Exchange {
public:
    Exchange(const IMailClock& clock, std::chrono::seconds idleTimeout)
        : m_clock(clock)
        , m_idleTimeout(idleTimeout) {}
    virtual ~Exchange() = default;

    // The start marker; the connection is opened next.
    ExchangeOutput start();
    ExchangeOutput received(std::string_view bytes);
    // The connection is encrypted after ExchangeOutput::startTls.
    ExchangeOutput tlsEstablished();
    // A connection error (refused, not found, reset, closed by the server, a failed certificate
    // check): logged, and the exchange ends.
    ExchangeOutput socketError(int number, std::u16string_view description);
    // Ends the exchange when the server stayed silent for the idle time-out.
    ExchangeOutput tick();

    bool finished() const { return m_finished; }
    // The protocol failure of the exchange; empty when all went well.
    const std::u16string& errorMessage() const { return m_errorMessage; }

protected:
    enum class Wait { Nothing, Reply, Block, Tls };

    // A reply line of at least four characters arrived while a reply was awaited.
    virtual void onReply(std::u16string_view code, std::string_view line) = 0;
    // A whole message arrived while a block was awaited (up to the CR of its CRLF "." CRLF).
    virtual void onBlock(std::string_view) {}
    virtual void onTls() {}
    // Lines of a multi-line reply ("250-...") before its last line, when collected.
    virtual void onContinuation(std::string_view) {}

    // Sends a command (with its CRLF) and waits for the reply. With maskedPrefix the log shows
    // that prefix and "*********" in place of the command (passwords).
    void command(std::string_view text,
                 std::optional<std::string_view> maskedPrefix = std::nullopt);
    void waitReply() { m_wait = Wait::Reply; }
    void waitBlock() { m_wait = Wait::Block; }
    void waitTls() {
        m_wait = Wait::Tls;
        m_out.startTls = true;
    }
    // Collect "ddd-" lines as continuations of the next reply.
    void setMultiLineReplies(bool on) { m_multiLine = on; }
    void sendRaw(std::string_view bytes, std::u16string_view log);
    void log(std::u16string_view text) { m_out.log += text; }
    void logStamped(std::u16string_view marker);
    void setError(std::u16string message) { m_errorMessage = std::move(message); }
    // A protocol failure: the error is kept and QUIT is still sent.
    void fail(std::u16string message) {
        setError(std::move(message));
        quit();
    }
    virtual void quit() = 0;
    // The end lines: "×うっ、、エラーだ！×" with the error when there is one; closes.
    void finish();
    ExchangeOutput& output() { return m_out; }
    // Bytes already received that have not been read as lines or blocks.
    size_t buffered() const { return m_buffer.size(); }
    // Ends the exchange when a block grows past this many bytes; 0 for no limit.
    void setBlockLimit(size_t bytes) { m_blockLimit = bytes; }
    const IMailClock& clock() const { return m_clock; }

private:
    void readBuffer();
    ExchangeOutput take();

    const IMailClock& m_clock;
    std::chrono::seconds m_idleTimeout;
    SteadyTime m_lastActivity{};
    std::string m_buffer;
    Wait m_wait = Wait::Nothing;
    bool m_multiLine = false;
    bool m_finished = false;
    size_t m_blockLimit = 0;
    std::u16string m_errorMessage;
    ExchangeOutput m_out;
};

// Full-width digits of a count ("１２").
std::u16string fullWidthNumber(int value);

} // namespace sarvo::mail
