#pragma once
// One SMTP exchange that delivers one composed mail: greeting, HELO (or EHLO with STARTTLS and
// AUTH when asked for), MAIL FROM, RCPT TO, DATA with dot-stuffing, QUIT, and the log lines of
// each step.

#include "mail/exchange.h"

#include <string>

namespace sarvo::mail {

struct SmtpJob {
    TlsMode tls = TlsMode::None;
    std::string authUser, authPassword; // AUTH only when both are set
    std::u16string ownAddress, destination;
    std::u16string subject; // for the closing line
    std::string message;    // composed, before dot-stuffing
};

class SmtpSession final : public Exchange {
public:
    SmtpSession(SmtpJob job, const IMailClock& clock,
                std::chrono::seconds idleTimeout = kDefaultIdleTimeout);

private:
    enum class Step {
        Greeting,
        Hello,
        StartTls,
        AuthPlain,
        AuthLoginUser,
        AuthLoginPassword,
        AuthDone,
        MailFrom,
        RcptTo,
        Data,
        DataEnd,
        Quit
    };

    void onReply(std::u16string_view code, std::string_view line) override;
    void onContinuation(std::string_view line) override;
    void onTls() override;

    bool extended() const;
    void hello();
    // After the hello reply: STARTTLS, AUTH or MAIL FROM, as the job and the server allow.
    void afterHello();
    void mailFrom();
    void sendMessage();
    void quit() override;

    SmtpJob m_job;
    Step m_step = Step::Greeting;
    bool m_encrypted = false;
    std::string m_capabilities; // the EHLO reply lines, upper case
};

// The message as DATA sends it: every line that starts with "." gets one more in front, CRLF
// after every line, the final "." line.
std::string dotStuffed(std::string_view message);

} // namespace sarvo::mail
