#pragma once
// The link primitives every transfer is made of: SendByte writes a frame in pieces of at most 50
// bytes; a receive waits for a reply that matches a template (RecvByte), for a number of bytes
// (RecvByte2) or for a data block of a length its own header gives (the melody receivers).
//
// A receive does not wait: startReceive begins it and poll, called whenever bytes may have
// arrived or the deadline it returned has passed, reads what arrived and checks the clock.
// Five seconds of silence resend the request; after three resends the fourth silence ends the
// call. A template or count receive also resends each time exactly 9, 19, 29 or 39 bytes have
// come without a match and gives up at exactly 49.

#include "cable/protocollog.h"
#include "cable/transport.h"
#include "sound/clock.h"

#include <functional>
#include <span>

namespace sarvo::cable {

using sound::TimePoint;

inline constexpr sound::Milliseconds kReceiveTimeout{5000};
inline constexpr int kMaxResends = 3;
inline constexpr size_t kSendPiece = 50;

inline constexpr std::u16string_view kTimeoutMessage =
    u"×タイムアウトです。電源の入った携帯電話に接続していますか？";
inline constexpr std::u16string_view kNoResendTimeoutMessage = u"！タイムアウトです！";
inline constexpr std::u16string_view kRetryOutMessage = u"×リトライアウトです×";

enum class ReceiveMode { Template, Count, Block };

// The number of bytes a data block needs after its frame, judged from those that came so far
// (a header first, then the whole block once the header says how long it is).
using BlockMeasure = std::function<size_t(std::span<const uint8_t> afterFrame)>;

struct ReceiveRequest {
    ReceiveMode mode = ReceiveMode::Template;
    Bytes pattern;        // Template: the reply template; Block: the frame the block follows
    size_t count = 0;     // Count: the bytes awaited
    BlockMeasure measure; // Block
    Bytes resend;         // sent again on time-outs; empty or starting with 0: nothing to resend
    bool noResend = false;
};

enum class ReceiveOutcome { Waiting, Done, RetryOut, Failed };

struct ReceiveResult {
    ReceiveOutcome outcome = ReceiveOutcome::Waiting;
    // Done: the filled template, the counted bytes or the block after its frame.
    Bytes reply;
    TimePoint deadline; // Waiting: when poll must be called at the latest
};

class Link {
public:
    Link(IByteTransport& transport, ProtocolLog& log, const sound::IClock& clock)
        : m_transport(transport)
        , m_log(log)
        , m_clock(clock) {}

    // SendByte.
    void sendByte(std::span<const uint8_t> bytes);

    void startReceive(ReceiveRequest request);
    ReceiveResult poll();

    IByteTransport& transport() { return m_transport; }
    ProtocolLog& log() { return m_log; }
    const sound::IClock& clock() const { return m_clock; }

private:
    std::optional<Bytes> completeReply() const;
    bool hasResendFrame() const;
    void resend();
    ReceiveResult fail(std::u16string_view message, ReceiveOutcome outcome);
    ReceiveResult waiting() const { return {ReceiveOutcome::Waiting, {}, m_deadline}; }

    IByteTransport& m_transport;
    ProtocolLog& m_log;
    const sound::IClock& m_clock;

    ReceiveRequest m_request;
    Bytes m_received;
    size_t m_count = 0; // bytes received by this call
    int m_timeouts = 0;
    TimePoint m_deadline;
};

} // namespace sarvo::cable
