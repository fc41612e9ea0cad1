#pragma once
// Runs an exchange against a scripted server: TLS is granted when asked for, and everything
// sent and logged is kept.

#include "mail/exchange.h"

#include <string>
#include <vector>

namespace sarvo::mail::testing {

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
    bool finished = false;
    bool closed = false;
    int tlsStarts = 0;
};

inline void apply(Transcript& t, const ExchangeOutput& out) {
    t.sent += out.send;
    t.log += out.log;
    t.finished = t.finished || out.finished;
    t.closed = t.closed || out.close;
    t.tlsStarts += out.startTls ? 1 : 0;
}

// A server that answers each command line with the next reply of its script (the greeting
// first); the lines of a message after a "354" count as one command, ended by ".".
inline Transcript converse(Exchange& exchange, const std::vector<std::string>& replies) {
    Transcript t;
    size_t next = 0;
    size_t read = 0;
    bool inData = false;
    auto reply = [&] {
        if (next >= replies.size())
            return;
        const std::string& text = replies[next++];
        const int tlsStarts = t.tlsStarts;
        apply(t, exchange.received(text));
        if (t.tlsStarts > tlsStarts)
            apply(t, exchange.tlsEstablished());
    };
    apply(t, exchange.start());
    reply();
    for (size_t end; !t.finished && (end = t.sent.find("\r\n", read)) != std::string::npos;) {
        const std::string line = t.sent.substr(read, end - read);
        read = end + 2;
        if (inData && line != ".")
            continue;
        const bool data = line == "DATA";
        const size_t answered = next;
        reply();
        inData = data && answered < replies.size() && replies[answered].starts_with("354");
    }
    return t;
}

} // namespace sarvo::mail::testing
