#include "cable/link.h"

#include "cable/templatematch.h"

#include <algorithm>

namespace sarvo::cable {

void Link::sendByte(std::span<const uint8_t> bytes) {
    for (size_t start = 0; start < bytes.size(); start += kSendPiece)
        m_transport.write(bytes.subspan(start, std::min(kSendPiece, bytes.size() - start)));
}

void Link::startReceive(ReceiveRequest request) {
    m_request = std::move(request);
    m_received.clear();
    m_count = 0;
    m_timeouts = 0;
    m_log.logSet(u"<");
    m_deadline = m_clock.now() + kReceiveTimeout;
}

bool Link::hasResendFrame() const {
    return !m_request.resend.empty() && m_request.resend[0] != 0;
}

void Link::resend() {
    m_log.logSet(kNewLine);
    if (hasResendFrame())
        sendByte(m_request.resend);
    m_log.logSet(u"<");
    // A repeated request is answered from the start.
    if (m_request.mode == ReceiveMode::Block)
        m_received.clear();
}

ReceiveResult Link::fail(std::u16string_view message, ReceiveOutcome outcome) {
    m_log.logSet(std::u16string(kNewLine) + std::u16string(message));
    return {outcome, {}, {}};
}

std::optional<Bytes> Link::completeReply() const {
    switch (m_request.mode) {
    case ReceiveMode::Template: return matchTemplate(m_request.pattern, m_received);
    case ReceiveMode::Count:
        if (m_received.size() < m_request.count)
            return std::nullopt;
        return Bytes(m_received.begin(), m_received.begin() + m_request.count);
    case ReceiveMode::Block: {
        const auto at = findBytes(m_request.pattern, m_received);
        if (!at)
            return std::nullopt;
        const std::span<const uint8_t> after =
            std::span(m_received).subspan(*at + m_request.pattern.size());
        const size_t needed = m_request.measure(after);
        if (after.size() < needed)
            return std::nullopt;
        return Bytes(after.begin(), after.begin() + needed);
    }
    }
    return std::nullopt;
}

ReceiveResult Link::poll() {
    const TimePoint now = m_clock.now();
    const Bytes arrived = m_transport.readAll();
    if (!arrived.empty()) {
        for (uint8_t byte : arrived)
            m_log.logSet(formats::byte2Str({byte}) + u" ");
        m_received.insert(m_received.end(), arrived.begin(), arrived.end());
        m_count += arrived.size();
        if (auto reply = completeReply()) {
            m_log.logSet(kNewLine);
            return {ReceiveOutcome::Done, std::move(*reply), {}};
        }
        // Data blocks are long: their length, not a count of stray bytes, decides.
        if (m_request.mode != ReceiveMode::Block) {
            if ((m_count + 1) % 10 == 0 && hasResendFrame()) {
                if (m_request.noResend)
                    return fail(kNoResendTimeoutMessage, ReceiveOutcome::Failed);
                resend();
            }
            if ((m_count + 1) % 50 == 0)
                return fail(kRetryOutMessage, ReceiveOutcome::RetryOut);
        }
        m_deadline = now + kReceiveTimeout;
        return waiting();
    }
    if (now < m_deadline)
        return waiting();
    if (m_timeouts == kMaxResends)
        return fail(kTimeoutMessage, ReceiveOutcome::Failed);
    if (m_request.noResend)
        return fail(kNoResendTimeoutMessage, ReceiveOutcome::Failed);
    resend();
    ++m_timeouts;
    m_deadline = now + kReceiveTimeout;
    return waiting();
}

} // namespace sarvo::cable
