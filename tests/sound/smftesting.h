#pragma once
// Helpers of the MIDI file tests: byte strings written as hex text, and small files built from
// events.

#include "sound/midievent.h"

#include <string>
#include <string_view>

namespace sarvo::sound::testing {

// "4D 54 68 64" to the bytes it spells; blanks between bytes are optional.
inline std::string hexBytes(std::string_view hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

// A header chunk for the given format, track count and ticks per quarter.
inline std::string header(int format, int tracks, int division) {
    std::string out = "MThd";
    out += std::string("\0\0\0\6", 4);
    out.push_back(static_cast<char>(format >> 8));
    out.push_back(static_cast<char>(format));
    out.push_back(static_cast<char>(tracks >> 8));
    out.push_back(static_cast<char>(tracks));
    out.push_back(static_cast<char>(division >> 8));
    out.push_back(static_cast<char>(division));
    return out;
}

// An MTrk chunk around the given event bytes.
inline std::string trackChunk(std::string_view data) {
    std::string out = "MTrk";
    const auto n = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((n >> shift) & 0xFF));
    out += data;
    return out;
}

inline MidiEvent noteOn(uint32_t tick, uint8_t channel, uint8_t key, uint8_t velocity = 100) {
    return MidiEvent::channelMessage(tick, kNoteOn, channel, key, velocity);
}
inline MidiEvent noteOff(uint32_t tick, uint8_t channel, uint8_t key) {
    return MidiEvent::channelMessage(tick, kNoteOff, channel, key, 0x40);
}

} // namespace sarvo::sound::testing
