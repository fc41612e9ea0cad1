#include "mail/smtpsession.h"

#include "common/base64.h"
#include "mail/mailcompose.h"

#include <algorithm>
#include <vector>

namespace sarvo::mail {
namespace {

std::string base64Text(std::string_view text) {
    return bytesOfText(base64Encode(std::vector<uint8_t>(text.begin(), text.end())));
}

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

// The message cut at every CRLF; a final piece without CRLF is a line too.
std::vector<std::string_view> messageLines(std::string_view message) {
    std::vector<std::string_view> lines;
    while (!message.empty()) {
        const size_t end = message.find("\r\n");
        lines.push_back(message.substr(0, end));
        message.remove_prefix(end == std::string_view::npos ? message.size() : end + 2);
    }
    return lines;
}

} // namespace

std::string dotStuffed(std::string_view message) {
    std::string data;
    for (const std::string_view line : messageLines(message)) {
        if (line.starts_with('.'))
            data += '.';
        data += line;
        data += "\r\n";
    }
    return data + ".\r\n";
}

SmtpSession::SmtpSession(SmtpJob job, const IMailClock& clock, std::chrono::seconds idleTimeout)
    : Exchange(clock, idleTimeout)
    , m_job(std::move(job)) {
    m_encrypted = m_job.tls == TlsMode::Implicit;
}

bool SmtpSession::extended() const {
    return m_job.tls != TlsMode::None || (!m_job.authUser.empty() && !m_job.authPassword.empty());
}

void SmtpSession::hello() {
    m_step = Step::Hello;
    m_capabilities.clear();
    setMultiLineReplies(extended());
    command(extended() ? "EHLO Sarvo\r\n" : "HELO Sarvo\r\n");
}

void SmtpSession::onContinuation(std::string_view line) {
    m_capabilities += upper(line.substr(4)) + "\n";
}

void SmtpSession::onReply(std::u16string_view code, std::string_view line) {
    switch (m_step) {
    case Step::Greeting:
        if (code != u"220")
            return fail(u"SMTP CODE 220 to Connection");
        logStamped(u"■送信開始■");
        return hello();
    case Step::Hello:
        if (code == u"220")
            return waitReply(); // the rest of a greeting of several lines
        if (code != u"250")
            return fail(extended() ? u"SMTP CODE 250 to EHLO" : u"SMTP CODE 250 to HELO");
        m_capabilities += upper(line.substr(std::min<size_t>(4, line.size()))) + "\n";
        return afterHello();
    case Step::StartTls:
        if (code != u"220")
            return fail(u"SMTP CODE 220 to STARTTLS");
        return waitTls();
    case Step::AuthPlain:
    case Step::AuthDone:
        if (code != u"235")
            return fail(u"SMTP CODE 235 to AUTH");
        return mailFrom();
    case Step::AuthLoginUser:
        if (code != u"334")
            return fail(u"SMTP CODE 334 to AUTH LOGIN");
        m_step = Step::AuthLoginPassword;
        return command(base64Text(m_job.authUser) + "\r\n");
    case Step::AuthLoginPassword:
        if (code != u"334")
            return fail(u"SMTP CODE 334 to AUTH LOGIN");
        m_step = Step::AuthDone;
        return command(base64Text(m_job.authPassword) + "\r\n", "");
    case Step::MailFrom:
        if (code != u"250")
            return fail(u"SMTP CODE 250 to MAIL FROM:");
        m_step = Step::RcptTo;
        return command("RCPT TO:<" + bytesOfText(m_job.destination) + ">\r\n");
    case Step::RcptTo:
        if (!code.starts_with(u"25"))
            return fail(u"SMTP CODE NOT 25x to RCPT TO:");
        m_step = Step::Data;
        return command("DATA\r\n");
    case Step::Data:
        if (code != u"354")
            return fail(u"SMTP CODE NOT 354 to DATA");
        return sendMessage();
    case Step::DataEnd:
        if (code != u"250")
            setError(u"SMTP CODE NOT 250 to DATA");
        return quit();
    case Step::Quit:
        if (code != u"221")
            setError(u"SMTP CODE NOT 221 to QUIT");
        if (errorMessage().empty()) {
            logStamped(u"■送信終了■");
            log(u"\r\n♪ 「" + m_job.subject + u"」を送信しました。♪ \r\n\r\n");
        } else {
            logStamped(u"■送信異常終了■");
        }
        return finish();
    }
}

void SmtpSession::onTls() {
    m_encrypted = true;
    hello();
}

void SmtpSession::afterHello() {
    setMultiLineReplies(false);
    if (m_job.tls == TlsMode::StartTls && !m_encrypted) {
        if (m_capabilities.find("STARTTLS") == std::string::npos)
            return fail(u"このサーバは STARTTLS に対応していません");
        m_step = Step::StartTls;
        return command("STARTTLS\r\n");
    }
    if (m_job.authUser.empty() || m_job.authPassword.empty())
        return mailFrom();
    const size_t auth = m_capabilities.find("AUTH");
    const std::string methods =
        auth == std::string::npos
            ? ""
            : m_capabilities.substr(auth, m_capabilities.find('\n', auth) - auth);
    if (methods.find("PLAIN") != std::string::npos) {
        m_step = Step::AuthPlain;
        const std::string credentials =
            std::string(1, '\0') + m_job.authUser + std::string(1, '\0') + m_job.authPassword;
        return command("AUTH PLAIN " + base64Text(credentials) + "\r\n", "AUTH PLAIN ");
    }
    if (methods.find("LOGIN") != std::string::npos) {
        m_step = Step::AuthLoginUser;
        return command("AUTH LOGIN\r\n");
    }
    fail(u"このサーバは AUTH PLAIN にも AUTH LOGIN にも対応していません");
}

void SmtpSession::mailFrom() {
    m_step = Step::MailFrom;
    command("MAIL FROM:<" + bytesOfText(m_job.ownAddress) + ">\r\n");
}

void SmtpSession::sendMessage() {
    const std::string data = dotStuffed(m_job.message);
    // Every line is logged as sent, the final "." as a command.
    const std::string_view lines(data.data(), data.size() - 3);
    std::u16string shown;
    for (const std::string_view line : messageLines(lines))
        shown += u"> " + textOfBytes(line) + u"\r\n";
    sendRaw(lines, shown);
    m_step = Step::DataEnd;
    command(".\r\n");
}

void SmtpSession::quit() {
    m_step = Step::Quit;
    command("QUIT\r\n");
}

} // namespace sarvo::mail
