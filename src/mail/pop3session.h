#pragma once
// One POP3 exchange that fetches the ringtone mails of a mailbox: greeting, (STLS,) USER, PASS,
// STAT, then LIST, RETR and, for recognised mails when asked to, DELE of each message; QUIT;
// the log lines of each step and the closing count.

#include "mail/exchange.h"

#include <functional>
#include <string>

namespace sarvo::mail {

// The old client's limit, still available.
inline constexpr long kClassicSizeLimit = 3072;
inline constexpr long kDefaultSizeLimit = 64 * 1024;

// What became of one retrieved message: recognised as a ringtone mail, and the name of the song
// last stored from it.
struct MessageVerdict {
    bool recognised = false;
    std::u16string lastSongName;
};

struct Pop3Job {
    TlsMode tls = TlsMode::None;
    std::string user, password;
    bool deleteRecognised = false; // chkDel
    long sizeLimit = kDefaultSizeLimit;
    // Recognises and stores one message; called once per retrieved message.
    std::function<MessageVerdict(std::string_view message)> handleMessage;
};

class Pop3Session final : public Exchange {
public:
    Pop3Session(Pop3Job job, const IMailClock& clock,
                std::chrono::seconds idleTimeout = kDefaultIdleTimeout);

    int recognisedCount() const { return m_recognised; }

private:
    enum class Step { Greeting, Stls, User, Pass, Stat, List, Retr, Dele, Quit };

    void onReply(std::u16string_view code, std::string_view line) override;
    void onBlock(std::string_view message) override;
    void onTls() override;

    void user();
    // LIST of the next message, or QUIT after the last.
    void nextMessage();
    void quit() override;

    Pop3Job m_job;
    Step m_step = Step::Greeting;
    long m_count = 0;
    long m_current = 0;
    int m_recognised = 0;
    std::u16string m_lastName;
};

} // namespace sarvo::mail
