#include "cable/dialogue.h"

#include "cable/probe.h"

#include <array>

namespace sarvo::cable {
namespace {

// A frame and the reply template it awaits.
constexpr Step ask(std::u16string_view frame, std::u16string_view reply) {
    return {.frame = frame, .reply = Reply::Template, .expect = reply};
}
// A frame that has no answer.
constexpr Step say(std::u16string_view frame) {
    return {.frame = frame};
}
// A request with the slot number and the data block it brings back.
constexpr Step request(std::u16string_view frame, std::u16string_view blockFrame,
                       BlockLayout layout, Payload payload = Payload::Slot) {
    return {.frame = frame,
            .payload = payload,
            .reply = Reply::Block,
            .expect = blockFrame,
            .check = Check::Block,
            .layout = layout};
}
// A frame followed by the melody data block, and the reply template it awaits.
constexpr Step carry(std::u16string_view frame, BlockLayout layout, std::u16string_view reply) {
    return {.frame = frame,
            .payload = Payload::Block,
            .reply = reply.empty() ? Reply::None : Reply::Template,
            .expect = reply,
            .layout = layout};
}

// The D1 06 0F family (Type-O, Type-S, Type-AA).
constexpr std::array kReadD1060F = {
    ask(u"64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0E 04 05 04 "
        u"0B 04 01 00 00 00 00 00 00",
        u"6C 0D 00 02 00 07"),
    ask(u"D1 06 0F 01 08 00", u"D1 06 0F 04 09 0E"),
    ask(u"D1 06 0F 09 00 02", u"D1 06 0F 0A 00 02"),
    ask(u"D1 06 0F 0D 00 02 09 0D 00 08", u"D1 06 0F 0C 00 02 0F 0F 00 0E"),
    say(u"D1 06 0F 0E 00 04"),
    say(u"D1 06 0F 0E 00 08"),
    say(u"D1 06 0F 0E 01 00"),
    say(u"D1 06 0F 0E 08 00"),
    Step{.frame = u"D1 06 0F 01 01 00",
         .reply = Reply::Template,
         .expect = u"D1 06 0F 04 FF 0E",
         .check = Check::ModelByte},
};

constexpr std::array kWriteD1060F = {
    // The phone opens the dialogue.
    Step{.reply = Reply::Template,
         .expect = u"64 0D 00 02 00 07 00 07 00 00 00 07 01 02",
         .resend = false},
    Step{.frame = u"6C 0D 00 02 00 07 00 0F 00 00 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0E "
                  u"04 05 04 0B 04 01 00 00 00 00 00 00",
         .reply = Reply::Template,
         .expect = u"D1 06 0F 01 FF 0E",
         .check = Check::ModelByte},
    ask(u"D1 06 0F 04 01 00", u"D1 06 0F 02 01 00 00 01 00 01"),
    ask(u"D1 06 0F 04 08 00", u"D1 06 0F 09 00 02"),
    ask(u"D1 06 0F 0A 00 02", u"D1 06 0F 0D 00 02 0F 0F 00 0E"),
    ask(u"D1 06 0F 0C 00 02 09 0D 00 08", u"D1 06 0F 02 00 04 00 00 00 00"),
    ask(u"D1 06 0F 0E 00 04", u"D1 06 0F 02 00 08 00 00 00 00"),
    ask(u"D1 06 0F 0E 00 08", u"D1 06 0F 02 01 00 00 01 00 01"),
    ask(u"D1 06 0F 0E 01 00", u"D1 06 0F 02 08 00 00 00 00 00"),
    ask(u"D1 06 0F 0E 08 00", u"D1 06 0F 02 00 01 00 08 00 00 00 00"),
};

constexpr std::array kReadAA = {request(u"D1 06 0F 02 00 01 00 08 00 00 00 00",
                                        u"D1 06 0F 0E 00 01 00 08", BlockLayout::SlotCountNotes)};
constexpr std::array kReadO = {request(u"D1 06 0F 02 01 00 00 05 00 01",
                                       u"D1 06 0F 05 01 00 00 05 00 01",
                                       BlockLayout::SlotCountNotes)};
constexpr std::array kReadS = {
    request(u"D1 06 0F 02 01 00 00 06 00 01", u"D1 06 0F 05 01 00 00 06 00 01",
            BlockLayout::SlotCount),
    request(u"D1 06 0F 02 01 00 00 06 00 08", u"D1 06 0F 05 01 00 00 06 00 08", BlockLayout::Notes,
            Payload::None),
};
constexpr std::array kWriteAA = {
    carry(u"D1 06 0F 0E 00 01 00 08", BlockLayout::SlotCountNotes, u"D1 06 0F 02 00 01 00 08 00")};
constexpr std::array kWriteO = {carry(u"D1 06 0F 05 01 00 00 05 00 07", BlockLayout::SlotCountNotes,
                                      u"D1 06 0F 02 01 00 00 05 00")};
constexpr std::array kWriteS = {
    carry(u"D1 06 0F 05 01 00 00 06 00 07", BlockLayout::SlotCount,
          u"D1 06 0F 02 01 00 00 06 00 08"),
    carry(u"D1 06 0F 05 01 00 00 06 00 08", BlockLayout::Notes, u"D1 06 0F 02 01 00 00 06 00"),
};

// The D1 01 0C family (Type-E, Type-AB).
constexpr std::array kOpeningD1010C = {
    ask(u"64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0D 04 01 05 "
        u"0A 05 0A 09 09 09 09 09 09",
        u"6C 0D 00 02 00 07 00 05 00 00"),
    ask(u"D1 01 0C 08 02 01 00 02 00 03 00 02 00 00 07 08 00 00 09 00 00 05 00 02 00 04 00 08 01 "
        u"00 02 00 08 00",
        u"D1 01 0D 08 02 01 00 02 00 03 00 02 00 00 07 08 00 00 09 00 00 05 00 02 00 04 00 08 01 "
        u"00 02 00 08 00"),
    ask(u"D1 01 0C 08 02 01 00 03 00 0A 01 0F 00 0E 00 00 00 0C 00 00 00 00 00 00 00 04 00 00 00 "
        u"07 01 0C 00 03 00 00 00 02",
        u"D1 01 0D 08 02 01 00 03 00 0A 01 0F 00 0E 00 00 00 0C 00 00 00 00 00 00 00 04 00 00 00 "
        u"07 01 0C 00 03 00 00 00 02"),
};
constexpr std::array kReadD1010C = {
    Step{.frame = u"D1 01 0C 08 02 03 00 00 00 00",
         .payload = Payload::Slot,
         .reply = Reply::Block,
         .expect = u"D1 01 0D 08 02 03 00 00 00 00",
         .check = Check::Block,
         .layout = BlockLayout::SlotParts,
         .closing = u"D1 01 0D 08 02 03"},
};
constexpr std::array kWriteD1010C = {
    Step{.frame = u"D1 01 0C 08 02 04 00 00 00 00",
         .payload = Payload::Block,
         .layout = BlockLayout::SlotParts,
         .closing = u"D1 01 0C 08 02 04"},
};

// The D1 01 0D family (Type-AC): PIN, speed, a second PIN, then 9600 bps.
constexpr std::array kOpeningD1010D = {
    Step{.frame = u"64 03 9A 9A 9A 9A 64 04",
         .payload = Payload::Pin,
         .reply = Reply::Count,
         .count = 3,
         .check = Check::SpeedCode,
         .prompt = kPinPrompt},
    Step{.frame = u"6C 02", .payload = Payload::SpeedEcho},
    Step{.frame = u"64 03 9A 9A 9A 9A 64 04",
         .payload = Payload::Pin,
         .reply = Reply::Count,
         .expect = u"6C 03",
         .count = 2,
         .check = Check::PinAnswer,
         .prompt = kPinAgainPrompt,
         .waitThreeSeconds = true,
         .reopen = Reopen::Negotiated},
    ask(u"D1 01 0D 00 01 00 01", u"D1 01 0D 08 01 00 00"),
    ask(u"D1 01 0D 00 02 00 00 00 0F", u"D1 01 0D 08 02 00 01 00 0F"),
    Step{.reply = Reply::Template, .expect = u"A3", .reopen = Reopen::At9600, .resend = false},
    ask(u"D1 01 0D 00 01 00 00", u"D1 01 0D 08 01 00 00 D1 01 0D 00 02 00 00 00 0B A3"),
    ask(u"D1 01 0D 00 05 0A 0A 0A 0A", u"D1 01 0D 08 05 00 01"),
};
constexpr std::array kReadD1010D = {
    request(u"D1 01 0D 00 07", u"D1 01 0D 08 07", BlockLayout::SlotCountNotes)};
constexpr std::array kWriteD1010D = {
    carry(u"D1 01 0D 00 06 00 0E 05 08 00 06 00 02", BlockLayout::SlotCountNotes,
          u"D1 01 0D 08 06 0C"),
    ask(u"D1 01 0D 00 03", u"D1 01 0D 08 03"),
    ask(u"D1 01 0D 08 04 00 00 00 00 00 00 00 00", u"D1 01 0D 00 04 00 01"),
    ask(u"D1 01 0D 08 04 00 01 00 00 00 00 00 00", u"D1 01 0D 00 04 00 02"),
    ask(u"D1 01 0D 08 04 00 02 00 01 00 00 00 00",
        u"D1 01 0D 00 06 00 00 00 08 00 00 0F 0F 00 00 00 01 00 00 00 00 00 01 00 01 00 00 00 02"),
    Step{.frame = u"D1 01 0D 08 06 00 00 03 0C", .payload = Payload::Slot},
    ask(u"D1 01 0D 00 04 00 03", u"D1 01 0D 08 04 00 03 00 00 00 00 00 00"),
};

// The D1 03 family (the D502i model of Type-AC): i-melody data.
constexpr Step kPinD103{.frame = u"A2 01 9A 9A 9A 9A A2 02 A2 03",
                        .payload = Payload::Pin,
                        .reply = Reply::Count,
                        .expect = u"A2 03",
                        .count = 2,
                        .check = Check::PinAnswer,
                        .prompt = kPinPrompt,
                        .reopen = Reopen::At9600};
constexpr std::array kReadOpeningD103 = {ask(u"D1 03 05 04", u"A1 01"), kPinD103,
                                         ask(u"D1 03 06 00", u"D1 03 06 01 02")};
constexpr std::array kWriteOpeningD103 = {ask(u"D1 03 05 05", u"A1 01"), kPinD103,
                                          ask(u"D1 03 06 00", u"D1 03 06 01 02")};
constexpr std::array kReadD103 = {
    request(u"FE 0F 07 01 00", u"FE 0F 07 02", BlockLayout::SlotFile),
    ask(u"A9 01", u"A9 02"),
};
constexpr std::array kWriteD103 = {
    ask(u"D1 03 06 01 02", u"FE 0F 07 01 00"),
    carry(u"FE 0F 07 02", BlockLayout::SlotFile, {}),
    ask(u"A9 01", u"A9 02"),
};

// The D1 09 01 family (Type-AD).
constexpr std::array kReadD10901 = {
    ask(u"D1 09 01 01 00 00 00 00 00", u"D1 09 01 01 00 00 00 00 02 00"),
    request(u"D1 09 01 01 01 00 00 00 00", u"D1 09 01 02", BlockLayout::SlotCountNotes),
};
constexpr std::array kWriteD10901 = {
    ask(u"D1 09 01 01 03", u"D1 09 01 01 03"),
    carry(u"D1 09 01 00 02 00 00 00 00", BlockLayout::SlotCountNotes, {}),
};

constexpr Step kProbe{.frame = kProbeFrame,
                      .reply = Reply::Template,
                      .expect = kProbeTemplate,
                      .check = Check::Probe};

} // namespace

const Step& probeStep() {
    return kProbe;
}

std::span<const Step> openingSteps(Family family, Direction direction) {
    const bool read = direction == Direction::Read;
    switch (family) {
    case Family::D1060F: return read ? std::span<const Step>(kReadD1060F) : kWriteD1060F;
    case Family::D1010C: return kOpeningD1010C;
    case Family::D1010D: return kOpeningD1010D;
    case Family::D103: return read ? std::span<const Step>(kReadOpeningD103) : kWriteOpeningD103;
    case Family::D10901: return {};
    }
    return {};
}

std::span<const Step> melodySteps(Family family, CableType type, Direction direction) {
    const bool read = direction == Direction::Read;
    switch (family) {
    case Family::D1060F:
        if (type == CableType::S)
            return read ? std::span<const Step>(kReadS) : kWriteS;
        if (type == CableType::O)
            return read ? std::span<const Step>(kReadO) : kWriteO;
        return read ? std::span<const Step>(kReadAA) : kWriteAA;
    case Family::D1010C: return read ? std::span<const Step>(kReadD1010C) : kWriteD1010C;
    case Family::D1010D: return read ? std::span<const Step>(kReadD1010D) : kWriteD1010D;
    case Family::D103: return read ? std::span<const Step>(kReadD103) : kWriteD103;
    case Family::D10901: return read ? std::span<const Step>(kReadD10901) : kWriteD10901;
    }
    return {};
}

std::u16string_view endFrame(Family family) {
    return family == Family::D1060F ? u"D1 06 0F 0F 1F 07 0D" : u"1F 07 0D";
}

} // namespace sarvo::cable
