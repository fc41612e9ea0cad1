// libFuzzer target over the SMTP and POP3 exchanges. The first byte picks the protocol and the
// options, the rest is what the server sends, cut into pieces at 0xFF bytes; the clock moves a
// second between pieces. Whatever the server does, the password never reaches the log, nothing
// is sent after the exchange ended, and a message handed on ends where a block ends.

#include "mail/pop3session.h"
#include "mail/smtpsession.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace sarvo::mail;

void check(bool condition) {
    if (!condition)
        std::abort();
}

class StepClock final : public IMailClock {
public:
    MailTime localTime() const override { return {}; }
    SteadyTime steadyNow() const override { return m_now; }
    void step() { m_now += std::chrono::seconds(1); }

private:
    SteadyTime m_now{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t options = data[0];
    const std::string password = "pw-Secret-9";
    StepClock clock;
    std::unique_ptr<Exchange> exchange;
    const auto tls = static_cast<TlsMode>(options % 3);
    if (options & 0x80) {
        exchange = std::make_unique<SmtpSession>(SmtpJob{tls, (options & 0x40) ? "user" : "",
                                                         password, u"a@b", u"c@d", u"s",
                                                         "Subject: x\r\n\r\n.line\r\n"},
                                                 clock, std::chrono::seconds(5));
    } else {
        Pop3Job job{tls,
                    "user",
                    password,
                    (options & 0x40) != 0,
                    (options & 0x20) ? kClassicSizeLimit : 200,
                    {}};
        job.handleMessage = [](std::string_view message) {
            check(message.find("\r\n.\r\n") == std::string_view::npos);
            return MessageVerdict{message.size() % 2 == 0, u"x"};
        };
        exchange = std::make_unique<Pop3Session>(std::move(job), clock, std::chrono::seconds(5));
    }
    std::u16string log;
    bool ended = false;
    auto apply = [&](const ExchangeOutput& out) {
        check(!ended || (out.send.empty() && out.log.empty()));
        log += out.log;
        ended = ended || out.finished;
    };
    apply(exchange->start());
    const uint8_t* piece = data + 1;
    const uint8_t* end = data + size;
    while (piece < end) {
        const uint8_t* cut = piece;
        while (cut < end && *cut != 0xFF)
            ++cut;
        apply(exchange->received(
            std::string_view(reinterpret_cast<const char*>(piece), cut - piece)));
        if (!ended && (options & 0x10))
            apply(exchange->tlsEstablished());
        clock.step();
        apply(exchange->tick());
        piece = cut + 1;
    }
    apply(exchange->socketError(1, u"closed"));
    check(exchange->finished());
    check(log.find(u"pw-Secret-9") == std::u16string::npos);
    return 0;
}
