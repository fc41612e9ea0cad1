#pragma once
// One cable transfer, played step by step over the link: the common frame (the empty-melody
// refusal, the port opened at 600 bps, the probe, the family's dialogue, the end frame, the port
// closed, the completion line) around the steps of dialogue.h.
//
// The runner never waits: poll does what the bytes that arrived and the clock allow and returns
// when it must be called again at the latest (sooner when bytes arrive), or nullopt once the
// transfer is over.

#include "cable/dialogue.h"
#include "cable/link.h"
#include "common/interaction.h"
#include "formats/ringtone.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sarvo::cable {

inline constexpr std::u16string_view kEmptyMelodyMessage =
    u"曲が入力されていないため、書込転送できません。";
inline constexpr std::u16string_view kWriteDone = u"♪♪♪ 送信完了 ♪♪♪";
inline constexpr std::u16string_view kReadDone = u"♪♪♪ 受信完了 ♪♪♪";
inline constexpr std::u16string_view kWritingIntoEditor = u"書込み中．．．";
inline constexpr std::u16string_view kEmptySlotMessage = u"曲目がはいっていません。";
inline constexpr std::u16string_view kUnreadableSuffix = u"は、読み込める曲ではありませんでした。";
inline constexpr std::u16string_view kUnknownModelMessage = u"N????のどれだか不明エラー";
inline constexpr std::u16string_view kPinRefusedMessage =
    u"携帯電話に暗証番号が、きちんと入力されていない可能性があります。";
inline constexpr std::u16string_view kChordQuestion = u"上から３曲を携帯電話に書き込みまか？";
inline constexpr std::u16string_view kChordLimitMessage = u"この機種の和音は３パートまでです。";
inline constexpr std::u16string_view kNoteLimitWarning =
    u"音数が２５６音を超えたので、制限により２５６音までしか書き込みません。m(_ _)m";
inline constexpr std::u16string_view kThreeSecondWait = u"3秒待ち";
inline constexpr std::u16string_view kNoParityNote =
    u"※この端末は偶数パリティを使えないため、パリティなしで開きました。";
inline constexpr std::u16string_view kPortErrorMessage = u"シリアルポートを開けませんでした。";

inline constexpr sound::Milliseconds kSpeedChangePause{3000};

struct TransferRequest {
    Direction direction = Direction::Read;
    CableType type = CableType::E; // the type chosen; the probe may find another
    int slot = 1;                  // 1 to 20
    std::u16string slotName;       // the slot's entry, named when its data cannot be read
    std::u16string pin = u"1357";
    // Writing: the melody, the songs offered as further parts of a chord, the title, tempo and
    // voice an i-melody file carries.
    std::u16string melody;
    std::vector<std::u16string> furtherParts;
    std::u16string title;
    formats::TempoUnit tempo = formats::TempoUnit::quarterNotes(100);
    int voice = formats::kDefaultVoice;
};

struct TransferOutcome {
    bool completed = false;
    std::optional<CableType> type; // what the probe and the model byte found
    std::u16string melody;         // read: the melody text
};

class TransferRunner {
public:
    // Told the type the probe (probed true) or the model byte found, or (probed false) the
    // chosen type the probe could not tell apart; returning false stops the transfer.
    using TypeFound = std::function<bool(CableType type, bool probed)>;

    TransferRunner(TransferRequest request, Link& link, IInteractive& ui, TypeFound typeFound = {});

    std::optional<TimePoint> poll();
    bool finished() const { return m_phase == Phase::Finished; }
    const TransferOutcome& outcome() const { return m_outcome; }

private:
    enum class Phase { Begin, NextStep, Pausing, Receiving, Finished };
    enum class Stage { Probe, Opening, Melody };

    void begin();
    void nextStep();
    void sendStep();
    void handleReply(const ReceiveResult& result);
    bool checkReply(const Bytes& reply);
    bool keepBlock(const Bytes& reply);
    bool reopen(const LineSettings& settings);
    bool chooseType(CableType type, bool probed);
    Bytes payload(const Step& step);
    Bytes melodyBlock(const Step& step);
    void succeed();
    void stop();
    void finish(bool completed);
    const Step& step() const { return m_steps[m_index]; }

    TransferRequest m_request;
    Link& m_link;
    IInteractive& m_ui;
    TypeFound m_typeFound;

    Phase m_phase = Phase::Begin;
    std::vector<Step> m_steps;
    size_t m_index = 0;
    Stage m_stage = Stage::Probe;
    TimePoint m_pauseUntil;

    CableType m_type;
    bool m_d502i = false;
    bool m_parityNoted = false;
    std::optional<LineSettings> m_negotiated;
    uint8_t m_speedCode = 0;
    // Writing: the encoded parts (or i-melody file) and whether a limit cut them.
    std::optional<BlockContent> m_encoded;
    bool m_cut = false;
    // Reading: the Type-S head's count and the block received.
    size_t m_headCount = 0;
    std::optional<BlockContent> m_received;
    TransferOutcome m_outcome;
};

} // namespace sarvo::cable
