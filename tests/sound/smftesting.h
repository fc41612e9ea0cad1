#pragma once
// Helpers of the MIDI file tests: byte strings written as hex text, and small files built from
// events.

#include "sound/midievent.h"

#include <cctype>
#include <string>
#include <string_view>

namespace sarvo::sound::testing {

// "4D 54 68 64" to the bytes it spells; blanks between bytes are optional.
inline std::string hexBytes(std::string_view hex) {
    std::string digits, out;
    for (char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::string bigEndian(uint32_t value, int bytes) {
    std::string out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

// A header chunk for the given format, track count and ticks per quarter.
inline std::string header(int format, int tracks, int division) {
    return "MThd" + bigEndian(6, 4) + bigEndian(static_cast<uint32_t>(format), 2) +
           bigEndian(static_cast<uint32_t>(tracks), 2) +
           bigEndian(static_cast<uint32_t>(division), 2);
}

// An MTrk chunk around the given event bytes.
inline std::string trackChunk(std::string_view data) {
    return "MTrk" + bigEndian(static_cast<uint32_t>(data.size()), 4) + std::string(data);
}

inline MidiEvent noteOn(uint32_t tick, uint8_t channel, uint8_t key, uint8_t velocity = 100) {
    return MidiEvent::channelMessage(tick, kNoteOn, channel, key, velocity);
}
inline MidiEvent noteOff(uint32_t tick, uint8_t channel, uint8_t key) {
    return MidiEvent::channelMessage(tick, kNoteOff, channel, key, 0x40);
}

} // namespace sarvo::sound::testing
