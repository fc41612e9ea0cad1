#include "mail/pop3session.h"

#include "mail/mailcompose.h"

#include <charconv>

namespace sarvo::mail {
namespace {

// The number at the start of text, up to a blank; 0 when there is none.
long leadingNumber(std::string_view text) {
    long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string decimal(long value) {
    return std::to_string(value);
}

} // namespace

Pop3Session::Pop3Session(Pop3Job job, const IMailClock& clock, std::chrono::seconds idleTimeout)
    : Exchange(clock, idleTimeout)
    , m_job(std::move(job)) {
    // A message may not run on far past its announced size.
    setBlockLimit(static_cast<size_t>(m_job.sizeLimit) * 2 + 4096);
}

void Pop3Session::onReply(std::u16string_view code, std::string_view line) {
    const bool ok = code == u"+OK";
    switch (m_step) {
    case Step::Greeting:
        if (!ok)
            return fail(u"POP3 NOT +OK to Connection");
        logStamped(u"■受信開始■");
        if (m_job.tls == TlsMode::StartTls) {
            m_step = Step::Stls;
            return command("STLS\r\n");
        }
        return user();
    case Step::Stls:
        if (!ok)
            return fail(u"POP3 NOT +OK to STLS");
        return waitTls();
    case Step::User:
        if (!ok)
            return fail(u"POP3 NOT +OK to USER");
        m_step = Step::Pass;
        return command("PASS " + m_job.password + "\r\n", "PASS ");
    case Step::Pass:
        if (!ok)
            return fail(u"POP3 NOT +OK to PASS");
        m_step = Step::Stat;
        return command("STAT\r\n");
    case Step::Stat:
        if (!ok)
            return fail(u"POP3 NOT +OK to STAT");
        m_count = leadingNumber(line.substr(std::min<size_t>(4, line.size())));
        return nextMessage();
    case Step::List: {
        if (!ok)
            return fail(u"POP3 NOT +OK to LIST");
        const std::string prefix = "+OK " + decimal(m_current) + " ";
        const size_t at = line.find(prefix);
        const long size =
            at == std::string_view::npos ? 0 : leadingNumber(line.substr(at + prefix.size()));
        if (size > m_job.sizeLimit) {
            log(u"! " + asciiText(decimal(m_job.sizeLimit / 1024)) +
                u"KB を超えるメールは、受信しません。\r\n");
            return nextMessage();
        }
        m_step = Step::Retr;
        return command("RETR " + decimal(m_current) + "\r\n");
    }
    case Step::Retr:
        if (!ok)
            return fail(u"POP3 NOT +OK to RETR");
        return waitBlock();
    case Step::Dele:
        if (!ok)
            return fail(u"POP3 NOT +OK to DELE");
        return nextMessage();
    case Step::Quit:
        if (!ok)
            setError(u"POP3 NOT +OK to QUIT");
        logStamped(errorMessage().empty() ? u"■受信終了■" : u"■受信異常終了■");
        if (m_recognised == 0)
            log(u"\r\n♪ 曲は受信されませんでした。♪\r\n\r\n");
        else if (m_recognised == 1)
            log(u"\r\n♪ 「" + m_lastName + u"」を受信しました。♪ \r\n\r\n");
        else
            log(u"\r\n♪ 「" + m_lastName + u"」等 " + fullWidthNumber(m_recognised) +
                u"曲受信しました。♪ \r\n\r\n");
        return finish();
    }
}

void Pop3Session::onBlock(std::string_view message) {
    const MessageVerdict verdict =
        m_job.handleMessage ? m_job.handleMessage(message) : MessageVerdict{};
    if (verdict.recognised) {
        ++m_recognised;
        m_lastName = verdict.lastSongName;
    }
    if (m_job.deleteRecognised && verdict.recognised) {
        m_step = Step::Dele;
        return command("DELE " + decimal(m_current) + "\r\n");
    }
    nextMessage();
}

void Pop3Session::onTls() {
    user();
}

void Pop3Session::user() {
    m_step = Step::User;
    command("USER " + m_job.user + "\r\n");
}

void Pop3Session::nextMessage() {
    if (++m_current > m_count)
        return quit();
    output().checkLogLength = true;
    m_step = Step::List;
    command("LIST " + decimal(m_current) + "\r\n");
}

void Pop3Session::quit() {
    m_step = Step::Quit;
    command("QUIT\r\n");
}

} // namespace sarvo::mail
