#include "cable/transferrunner.h"

#include "cable/probe.h"
#include "formats/melodytokens.h"
#include "formats/mld.h"

#include <algorithm>

namespace sarvo::cable {
namespace {

constexpr LineSettings kFastSettings{9600, true};

// The first notes of a melody as melody text, and whether there were more.
std::pair<std::u16string, bool> firstNotes(std::u16string_view melody, size_t limit) {
    const std::vector<melody::Note> notes = formats::readTokens(melody);
    if (notes.size() <= limit)
        return {std::u16string(melody), false};
    std::u16string text;
    for (size_t i = 0; i < limit; ++i) {
        text += notes[i].token() + u" ";
        for (int tie = 0; tie < notes[i].tieCount; ++tie)
            text += u"^ ";
    }
    return {text, true};
}

std::optional<CableType> typeOfModelByte(uint8_t model) {
    switch (model) {
    case 0x05: return CableType::O;
    case 0x06: return CableType::S;
    case 0x08: return CableType::AA;
    default: return std::nullopt;
    }
}

void append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace

TransferRunner::TransferRunner(TransferRequest request, Link& link, IInteractive& ui,
                               TypeFound typeFound)
    : m_request(std::move(request))
    , m_link(link)
    , m_ui(ui)
    , m_typeFound(std::move(typeFound))
    , m_type(m_request.type) {}

std::optional<TimePoint> TransferRunner::poll() {
    while (true) {
        switch (m_phase) {
        case Phase::Begin: begin(); break;
        case Phase::NextStep: nextStep(); break;
        case Phase::Pausing:
            if (m_link.clock().now() < m_pauseUntil)
                return m_pauseUntil;
            sendStep();
            break;
        case Phase::Receiving: {
            const ReceiveResult result = m_link.poll();
            if (result.outcome == ReceiveOutcome::Waiting)
                return result.deadline;
            handleReply(result);
            break;
        }
        case Phase::Finished: return std::nullopt;
        }
    }
}

void TransferRunner::begin() {
    if (m_request.direction == Direction::Write &&
        m_request.melody.find_first_not_of(u" \t\r\n") == std::u16string::npos) {
        m_ui.showMessage(kEmptyMelodyMessage);
        m_phase = Phase::Finished;
        return;
    }
    if (!reopen(kStartSettings)) {
        finish(false);
        return;
    }
    m_steps = {probeStep()};
    m_phase = Phase::NextStep;
}

void TransferRunner::nextStep() {
    // The probe comes first, then the family's opening, then the type's melody steps (the
    // model byte may still change the type inside the family).
    while (m_index == m_steps.size()) {
        const Family family = familyOf(m_type, m_d502i);
        std::span<const Step> more;
        if (m_stage == Stage::Probe) {
            more = openingSteps(family, m_request.direction);
            m_stage = Stage::Opening;
        } else if (m_stage == Stage::Opening) {
            more = melodySteps(family, m_type, m_request.direction);
            m_stage = Stage::Melody;
        } else {
            succeed();
            return;
        }
        m_steps.insert(m_steps.end(), more.begin(), more.end());
    }
    if (step().waitThreeSeconds) {
        m_link.log().logSet(std::u16string(kNewLine) + std::u16string(kThreeSecondWait));
        m_pauseUntil = m_link.clock().now() + kSpeedChangePause;
        m_phase = Phase::Pausing;
        return;
    }
    sendStep();
}

void TransferRunner::sendStep() {
    const Step& s = step();
    if (s.reopen != Reopen::None &&
        !reopen(s.reopen == Reopen::Negotiated && m_negotiated ? *m_negotiated : kFastSettings)) {
        stop();
        return;
    }
    if (!s.prompt.empty())
        m_ui.showMessage(s.prompt);
    Bytes frame;
    if (!s.frame.empty()) {
        frame = s.payload == Payload::Pin ? pinFrame(s.frame, m_request.pin) : frameBytes(s.frame);
        append(frame, payload(s));
        if (s.payload == Payload::Block && !s.closing.empty())
            append(frame, frameBytes(s.closing));
        m_link.sendByte(frame);
    }
    if (s.reply == Reply::None) {
        ++m_index;
        m_phase = Phase::NextStep;
        return;
    }
    ReceiveRequest receive;
    if (s.resend)
        receive.resend = frame;
    switch (s.reply) {
    case Reply::Template:
        receive.mode = ReceiveMode::Template;
        receive.pattern = frameBytes(s.expect);
        break;
    case Reply::Count:
        receive.mode = ReceiveMode::Count;
        receive.count = s.count;
        break;
    case Reply::Block: {
        receive.mode = ReceiveMode::Block;
        receive.pattern = frameBytes(s.expect);
        const size_t closing = s.closing.empty() ? 0 : frameBytes(s.closing).size();
        receive.measure = [layout = s.layout, head = m_headCount,
                           closing](std::span<const uint8_t> bytes) {
            return blockLength(layout, bytes, head) + closing;
        };
        break;
    }
    case Reply::None: break;
    }
    m_link.startReceive(std::move(receive));
    m_phase = Phase::Receiving;
}

Bytes TransferRunner::payload(const Step& s) {
    switch (s.payload) {
    case Payload::Slot: return valueNibbles(m_request.slot);
    case Payload::SpeedEcho: return {m_speedCode};
    case Payload::Block: return melodyBlock(s);
    case Payload::None:
    case Payload::Pin: break;
    }
    return {};
}

Bytes TransferRunner::melodyBlock(const Step& s) {
    if (!m_encoded) {
        const CableTypeInfo& info = cableTypeInfo(m_type);
        BlockContent content;
        if (familyOf(m_type, m_d502i) == Family::D103) {
            auto [melody, cut] = firstNotes(m_request.melody, info.noteLimit);
            const formats::Ringtone ringtone{
                m_request.title, m_request.tempo, {{melody, m_request.voice}}};
            content.file = formats::encodeMld(ringtone, formats::MldSizeLimit::Lifted, m_ui);
            m_cut = cut;
        } else {
            std::vector<std::u16string> melodies{m_request.melody};
            const auto& further = m_request.furtherParts;
            if (info.chordParts > 1 && !further.empty()) {
                if (further.size() >= static_cast<size_t>(info.chordParts))
                    m_ui.showMessage(kChordLimitMessage);
                if (m_ui.askQuestion(kChordQuestion, QuestionButtons::YesNo) == Answer::Yes)
                    melodies.insert(melodies.end(), further.begin(),
                                    further.begin() +
                                        std::min<size_t>(further.size(), info.chordParts - 1));
            }
            for (const std::u16string& melody : melodies) {
                EncodedNotes encoded = encodeNotes(*info.codec, melody, info.noteLimit);
                content.parts.push_back(std::move(encoded.notes));
                m_cut = m_cut || encoded.cut;
            }
            if (m_cut && info.family == Family::D1010D)
                m_ui.showMessage(kNoteLimitWarning);
        }
        m_encoded = std::move(content);
    }
    m_encoded->slot = m_request.slot;
    return buildBlock(s.layout, *m_encoded);
}

void TransferRunner::handleReply(const ReceiveResult& result) {
    // A retry-out ends the transfer as a time-out does.
    if (result.outcome != ReceiveOutcome::Done || !checkReply(result.reply)) {
        stop();
        return;
    }
    ++m_index;
    m_phase = Phase::NextStep;
}

bool TransferRunner::checkReply(const Bytes& reply) {
    const Step& s = step();
    switch (s.check) {
    case Check::None: return true;
    case Check::Probe:
        if (const auto found = typeOfProbeReply(reply)) {
            m_d502i = found->d502i;
            return chooseType(found->type, true);
        }
        return chooseType(m_request.type, false);
    case Check::ModelByte:
        if (const auto type = typeOfModelByte(reply[4]))
            return chooseType(*type, true);
        m_ui.showMessage(kUnknownModelMessage);
        return false;
    case Check::SpeedCode:
        if (reply[0] != 0x64 || reply[1] != 0x02 || !speedSettings(reply[2]))
            return false;
        m_speedCode = reply[2];
        m_negotiated = speedSettings(m_speedCode);
        return true;
    case Check::PinAnswer:
        if (std::ranges::equal(reply, frameBytes(s.expect)))
            return true;
        m_ui.showMessage(kPinRefusedMessage);
        return false;
    case Check::Block: return keepBlock(reply);
    }
    return false;
}

bool TransferRunner::keepBlock(const Bytes& reply) {
    const Step& s = step();
    const Bytes closing = s.closing.empty() ? Bytes{} : frameBytes(s.closing);
    const std::span<const uint8_t> block =
        std::span(reply).first(reply.size() - std::min(closing.size(), reply.size()));
    const bool closed = std::ranges::equal(std::span(reply).subspan(block.size()), closing);
    auto content = closed ? parseBlock(s.layout, block, m_headCount) : std::nullopt;
    if (!content) {
        m_ui.showMessage(m_request.slotName + std::u16string(kUnreadableSuffix));
        return false;
    }
    const bool empty = s.layout == BlockLayout::SlotCount ? content->count == 0
                       : s.layout == BlockLayout::SlotFile
                           ? content->file.empty()
                           : content->parts.empty() || content->parts.front().empty();
    if (empty) {
        m_ui.showMessage(kEmptySlotMessage);
        return false;
    }
    if (s.layout == BlockLayout::SlotCount)
        m_headCount = content->count;
    else
        m_received = std::move(content);
    return true;
}

bool TransferRunner::reopen(const LineSettings& settings) {
    const OpenResult opened = m_link.transport().open(settings);
    if (!opened.ok) {
        std::u16string error(opened.error.begin(), opened.error.end());
        m_link.log().logSet(std::u16string(kNewLine) + std::u16string(kPortErrorMessage) + u" " +
                            error);
        m_ui.showMessage(kPortErrorMessage);
        return false;
    }
    if (opened.parityDropped && !m_parityNoted) {
        // A line of its own: the replies' bytes follow on the next line.
        m_link.log().logSet(std::u16string(kNewLine) + std::u16string(kNoParityNote) +
                            std::u16string(kNewLine));
        m_parityNoted = true;
    }
    return true;
}

bool TransferRunner::chooseType(CableType type, bool probed) {
    m_type = type;
    m_outcome.type = type;
    return !m_typeFound || m_typeFound(type, probed);
}

void TransferRunner::succeed() {
    const CableTypeInfo& info = cableTypeInfo(m_type);
    if (m_request.direction == Direction::Read) {
        m_link.log().logSet(std::u16string(kNewLine) + std::u16string(kWritingIntoEditor));
        std::optional<std::u16string> melody;
        if (m_d502i && m_type == CableType::AC) {
            const formats::DecodeResult decoded = formats::decodeMldBytes(m_received->file, 0);
            if (decoded.part)
                melody = decoded.part->melody;
        } else {
            melody = decodeNotes(*info.codec, m_received->parts.front());
        }
        if (!melody) {
            m_ui.showMessage(m_request.slotName + std::u16string(kUnreadableSuffix));
            stop();
            return;
        }
        m_outcome.melody = std::move(*melody);
    } else if (m_cut) {
        m_link.log().logSet(std::u16string(kNewLine) + std::u16string(info.limitMessage));
    }
    finish(true);
}

void TransferRunner::stop() {
    finish(false);
}

void TransferRunner::finish(bool completed) {
    IByteTransport& transport = m_link.transport();
    if (transport.isOpen()) {
        m_link.sendByte(frameBytes(endFrame(familyOf(m_type, m_d502i))));
        transport.close();
    }
    if (completed)
        m_link.log().logSet(
            std::u16string(kNewLine) +
            std::u16string(m_request.direction == Direction::Write ? kWriteDone : kReadDone));
    m_outcome.completed = completed;
    m_phase = Phase::Finished;
}

} // namespace sarvo::cable
