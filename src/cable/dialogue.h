#pragma once
// The dialogues of the seven cable types as data: each step sends a frame (with what the
// transfer adds to it) and awaits a reply by template, by count or as a data block, then checks
// what came. One runner (transferrunner.h) plays every dialogue.

#include "cable/cabletypes.h"
#include "cable/datablock.h"

#include <span>
#include <string_view>

namespace sarvo::cable {

enum class Direction { Read, Write };

// What the transfer adds to a step's frame.
enum class Payload {
    None,
    Slot,      // the slot number as one value
    Pin,       // the PIN digits in place of the frame's four 9A bytes
    SpeedEcho, // the speed code the phone asked for
    Block,     // the melody data block of the step's layout
};

enum class Reply { None, Template, Count, Block };

// What the runner does with a reply.
enum class Check {
    None,
    Probe,     // the filled probe template selects the type
    ModelByte, // byte 4 names the N-series model
    SpeedCode, // "64 02" and the speed code
    PinAnswer, // the accepted answer, or the PIN was refused
    Block,     // a melody block (or a Type-S head) to keep
};

enum class Reopen { None, Negotiated, At9600 };

struct Step {
    std::u16string_view frame; // hex text; empty: nothing is sent
    Payload payload = Payload::None;
    Reply reply = Reply::None;
    // Template: the reply template; Block: the frame the block follows; Count with PinAnswer:
    // the accepted answer.
    std::u16string_view expect;
    size_t count = 0;
    Check check = Check::None;
    BlockLayout layout = BlockLayout::SlotCountNotes;
    // A frame sent after a block payload, or awaited after a block reply.
    std::u16string_view closing;
    std::u16string_view prompt; // shown before the step
    bool waitThreeSeconds = false;
    Reopen reopen = Reopen::None;
    bool resend = true; // the frame is sent again when the reply does not come
};

inline constexpr std::u16string_view kPinPrompt =
    u"携帯電話に暗証番号を入力してから、ＯＫボタンをクリックして下さい。\n"
    u"暗証番号を設定されていない場合は「1357」を入力して下さい。";
inline constexpr std::u16string_view kPinAgainPrompt =
    u"もう一度、携帯電話に先程と同じ暗証番号を入力してから、ＯＫボタンをクリックして下さい。";

// The probe that opens every transfer.
const Step& probeStep();
// The family's steps before the type's own.
std::span<const Step> openingSteps(Family family, Direction direction);
// The type's steps that request or carry the melody.
std::span<const Step> melodySteps(Family family, CableType type, Direction direction);
std::u16string_view endFrame(Family family);

} // namespace sarvo::cable
