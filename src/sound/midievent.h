#pragma once
// The contents of a standard MIDI file in memory: tracks of events at absolute ticks.
//
// Channel messages keep their status byte (kind in the high nibble, channel 0-15 in the low
// nibble) and up to two data bytes; meta events keep their type and payload. System-exclusive
// messages are not kept: nothing in the program sends or reads them.

#include <cstdint>
#include <string>
#include <vector>

namespace sarvo::sound {

inline constexpr uint8_t kNoteOff = 0x80;
inline constexpr uint8_t kNoteOn = 0x90;
inline constexpr uint8_t kPolyPressure = 0xA0;
inline constexpr uint8_t kControlChange = 0xB0;
inline constexpr uint8_t kProgramChange = 0xC0;
inline constexpr uint8_t kChannelPressure = 0xD0;
inline constexpr uint8_t kPitchBend = 0xE0;
inline constexpr uint8_t kMetaStatus = 0xFF;

inline constexpr uint8_t kMetaTrackName = 0x03;
inline constexpr uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr uint8_t kMetaTempo = 0x51;

// The latest tick a file can hold: four bytes of a delta time carry 28 bits, and a track longer
// than that could not be written again.
inline constexpr uint32_t kMaxTick = 0x0FFFFFFF;

// The channel of the General MIDI percussion set (channel 10, counted from 0).
inline constexpr uint8_t kDrumChannel = 9;

// Number of data bytes that follow a channel status byte (1 or 2).
int channelDataLength(uint8_t status);

struct MidiEvent {
    uint32_t tick = 0;    // absolute position in the track
    uint8_t status = 0;   // 0x80..0xEF for a channel message, kMetaStatus for a meta event
    uint8_t data1 = 0;    // channel message: first data byte; meta event: its type
    uint8_t data2 = 0;    // channel message: second data byte (0 for one-byte messages)
    std::string metaData; // meta event: the payload bytes

    bool isMeta() const { return status == kMetaStatus; }
    bool isChannel() const { return status >= 0x80 && status < 0xF0; }
    uint8_t kind() const { return static_cast<uint8_t>(status & 0xF0); }
    uint8_t channel() const { return static_cast<uint8_t>(status & 0x0F); }
    // A note-on of velocity 0 ends a note, as the file format defines it.
    bool isNoteOn() const { return kind() == kNoteOn && data2 > 0; }
    bool isNoteOff() const { return kind() == kNoteOff || (kind() == kNoteOn && data2 == 0); }
    bool isMeta(uint8_t type) const { return isMeta() && data1 == type; }

    static MidiEvent channelMessage(uint32_t tick, uint8_t kind, uint8_t channel, uint8_t data1,
                                    uint8_t data2 = 0);
    static MidiEvent meta(uint32_t tick, uint8_t type, std::string payload);
    // A set-tempo meta event of the given microseconds per quarter note.
    static MidiEvent tempo(uint32_t tick, uint32_t microsecondsPerQuarter);

    bool operator==(const MidiEvent&) const = default;
};

struct SmfTrack {
    std::vector<MidiEvent> events; // in tick order, end-of-track excluded
    uint32_t endTick = 0;          // tick of the end-of-track event

    // The text of the first track-name meta event, or "".
    std::string name() const;
};

// The time division of the header: ticks per quarter note, or (with the top bit set) SMPTE
// frames per second and ticks per frame.
struct Division {
    uint16_t raw = 480;

    bool isSmpte() const { return (raw & 0x8000) != 0; }
    int ticksPerQuarter() const { return raw & 0x7FFF; }
    int framesPerSecond() const { return -static_cast<int8_t>(raw >> 8); }
    int ticksPerFrame() const { return raw & 0xFF; }
};

struct SmfFile {
    uint16_t format = 1; // 0: one track, 1: simultaneous tracks
    Division division;
    std::vector<SmfTrack> tracks;
};

} // namespace sarvo::sound
