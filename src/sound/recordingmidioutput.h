#pragma once
// An output that keeps what it is sent, with the time on a clock, so tests can check the order,
// the values and the timing of the messages.

#include "sound/clock.h"
#include "sound/midioutput.h"

#include <cstdint>
#include <vector>

namespace sarvo::sound {

struct RecordedMessage {
    bool isReset = false;
    uint32_t message = 0; // 0 for a reset
    TimePoint at;

    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

class RecordingMidiOutput final : public IMidiOutput {
public:
    explicit RecordingMidiOutput(const IClock* clock = nullptr)
        : m_clock(clock) {}

    void sendShortMessage(uint32_t message) override { m_sent.push_back({false, message, now()}); }
    void reset() override { m_sent.push_back({true, 0, now()}); }

    const std::vector<RecordedMessage>& sent() const { return m_sent; }
    // The short messages alone, in order.
    std::vector<uint32_t> messages() const {
        std::vector<uint32_t> out;
        for (const RecordedMessage& m : m_sent)
            if (!m.isReset)
                out.push_back(m.message);
        return out;
    }
    void clear() { m_sent.clear(); }

private:
    TimePoint now() const { return m_clock ? m_clock->now() : TimePoint{}; }

    const IClock* m_clock;
    std::vector<RecordedMessage> m_sent;
};

} // namespace sarvo::sound
