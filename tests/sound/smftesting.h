#pragma once
// Note events for the small MIDI files the tests build.

#include "sound/midievent.h"

namespace sarvo::sound::testing {

inline MidiEvent noteOn(uint32_t tick, uint8_t channel, uint8_t key, uint8_t velocity = 100) {
    return MidiEvent::channelMessage(tick, kNoteOn, channel, key, velocity);
}
inline MidiEvent noteOff(uint32_t tick, uint8_t channel, uint8_t key) {
    return MidiEvent::channelMessage(tick, kNoteOff, channel, key, 0x40);
}

} // namespace sarvo::sound::testing
