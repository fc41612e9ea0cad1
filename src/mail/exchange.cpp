#include "mail/exchange.h"

#include "mail/mailcompose.h"

namespace sarvo::mail {
namespace {

constexpr std::u16string_view kCrlf = u"\r\n";
constexpr std::u16string_view kMask = u"*********";

} // namespace

std::u16string fullWidthNumber(int value) {
    std::u16string digits;
    for (const char c : std::to_string(value))
        digits += static_cast<char16_t>(u'０' + (c - '0'));
    return digits;
}

ExchangeOutput Exchange::start() {
    m_lastActivity = m_clock.steadyNow();
    logStamped(u"■接続開始■");
    m_wait = Wait::Reply; // the greeting
    return take();
}

ExchangeOutput Exchange::received(std::string_view bytes) {
    if (m_finished)
        return take();
    m_lastActivity = m_clock.steadyNow();
    m_buffer += bytes;
    readBuffer();
    return take();
}

ExchangeOutput Exchange::tlsEstablished() {
    if (!m_finished && m_wait == Wait::Tls) {
        m_wait = Wait::Nothing;
        m_lastActivity = m_clock.steadyNow();
        onTls();
        readBuffer();
    }
    return take();
}

ExchangeOutput Exchange::socketError(int number, std::u16string_view description) {
    if (m_finished)
        return take();
    const std::u16string error =
        asciiText(std::to_string(number)) + u" " + std::u16string(description);
    log(u"? " + error + std::u16string(kCrlf));
    setError(u"??? " + error);
    finish();
    return take();
}

ExchangeOutput Exchange::tick() {
    if (!m_finished && m_wait != Wait::Nothing &&
        m_clock.steadyNow() - m_lastActivity >= m_idleTimeout)
        return socketError(5, u"サーバが " + asciiText(std::to_string(m_idleTimeout.count())) +
                                  u" 秒間応答しません");
    return take();
}

void Exchange::command(std::string_view text, std::optional<std::string_view> maskedPrefix) {
    std::u16string shown = u"> " + textOfBytes(text);
    if (maskedPrefix)
        shown = u"> " + textOfBytes(*maskedPrefix) + std::u16string(kMask) + std::u16string(kCrlf);
    sendRaw(text, shown);
    m_wait = Wait::Reply;
}

void Exchange::sendRaw(std::string_view bytes, std::u16string_view shown) {
    m_out.send += bytes;
    m_out.log += shown;
    m_lastActivity = m_clock.steadyNow();
}

void Exchange::logStamped(std::u16string_view marker) {
    log(std::u16string(marker) + m_clock.localTime().logStamp() + std::u16string(kCrlf));
}

void Exchange::finish() {
    if (!m_errorMessage.empty()) {
        logStamped(u"×うっ、、エラーだ！×");
        log(u"　→" + m_errorMessage + std::u16string(kCrlf));
    }
    m_finished = true;
    m_wait = Wait::Nothing;
    m_out.close = true;
    m_out.finished = true;
}

void Exchange::readBuffer() {
    while (!m_finished) {
        if (m_wait == Wait::Reply) {
            const size_t end = m_buffer.find("\r\n");
            if (end == std::string::npos)
                return;
            const std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 2);
            log(u"< " + textOfBytes(line) + std::u16string(kCrlf));
            // Short lines are no replies (the "." that ends a block), except the bare "+OK"
            // with which POP3 servers of today answer USER.
            if (line.size() < 4 && line != "+OK")
                continue;
            if (m_multiLine && line[3] == '-') {
                onContinuation(line);
                continue;
            }
            m_wait = Wait::Nothing;
            onReply(textOfBytes(std::string_view(line).substr(0, 3)), line);
        } else if (m_wait == Wait::Block) {
            const size_t end = m_buffer.starts_with(".\r\n") ? 0 : m_buffer.find("\r\n.\r\n");
            if (end == std::string::npos) {
                if (m_blockLimit > 0 && m_buffer.size() > m_blockLimit) {
                    m_buffer.clear();
                    setError(u"メールが大きすぎるので受信をやめました。");
                    finish();
                }
                return;
            }
            // The text keeps the CR that starts the terminator; the "." line stays in the
            // buffer and is skipped as a short reply.
            const size_t length = end == 0 ? 0 : end + 1;
            const std::string block = m_buffer.substr(0, length);
            m_buffer.erase(0, end == 0 ? 0 : end + 2);
            log(textOfBytes(block) + std::u16string(kCrlf));
            m_wait = Wait::Nothing;
            onBlock(block);
        } else {
            return;
        }
    }
}

ExchangeOutput Exchange::take() {
    ExchangeOutput out = std::move(m_out);
    m_out = {};
    return out;
}

} // namespace sarvo::mail
