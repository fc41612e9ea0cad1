#pragma once
// The MIDI output every sound goes through: short messages packed low byte first (status,
// first data byte << 8, second data byte << 16) and a reset that silences every note.
//
// Notes of the melody always use channel 1 with note-on velocity 0x79 and note-off velocity
// 0x10.

#include <cstdint>

namespace sarvo::sound {

inline constexpr uint32_t kNoteOnVelocity = 0x79;
inline constexpr uint32_t kNoteOffVelocity = 0x10;

constexpr uint32_t shortMessage(uint32_t status, uint32_t data1, uint32_t data2 = 0) {
    return (status & 0xFF) | ((data1 & 0x7F) << 8) | ((data2 & 0x7F) << 16);
}
constexpr uint32_t noteOnMessage(int note) {
    return shortMessage(0x90, static_cast<uint32_t>(note), kNoteOnVelocity);
}
constexpr uint32_t noteOffMessage(int note) {
    return shortMessage(0x80, static_cast<uint32_t>(note), kNoteOffVelocity);
}
constexpr uint32_t programChangeMessage(int program) {
    return shortMessage(0xC0, static_cast<uint32_t>(program));
}

constexpr uint8_t statusOf(uint32_t message) {
    return static_cast<uint8_t>(message & 0xFF);
}
constexpr uint8_t data1Of(uint32_t message) {
    return static_cast<uint8_t>((message >> 8) & 0x7F);
}
constexpr uint8_t data2Of(uint32_t message) {
    return static_cast<uint8_t>((message >> 16) & 0x7F);
}

class IMidiOutput {
public:
    virtual ~IMidiOutput() = default;
    virtual void sendShortMessage(uint32_t message) = 0;
    // All notes off on every channel, controllers and programs back to their defaults.
    virtual void reset() = 0;
};

// Accepts everything and sounds nothing: the output of a port that failed to open.
class NullMidiOutput final : public IMidiOutput {
public:
    void sendShortMessage(uint32_t) override {}
    void reset() override {}
};

// Passes everything on to another output that outlives it: lends one output where an owned one
// is expected.
class ForwardingMidiOutput final : public IMidiOutput {
public:
    explicit ForwardingMidiOutput(IMidiOutput& target)
        : m_target(target) {}
    void sendShortMessage(uint32_t message) override { m_target.sendShortMessage(message); }
    void reset() override { m_target.reset(); }

private:
    IMidiOutput& m_target;
};

} // namespace sarvo::sound
