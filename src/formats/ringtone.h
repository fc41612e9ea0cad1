#pragma once
// What the ringtone byte formats carry: a title, a tempo and up to four parts, each a melody text
// with its voice. Encoders take a Ringtone; decoders give back one part at a time.

#include "formats/tempounit.h"

#include <optional>
#include <string>
#include <vector>

namespace sarvo::formats {

inline constexpr int kMaxParts = 4;
// The voice a song has when none is chosen: the first entry of the voice list.
inline constexpr int kDefaultVoice = 7;

struct RingtonePart {
    std::u16string melody;
    int voice = kDefaultVoice; // General MIDI program number, 0 to 127
};

struct Ringtone {
    std::u16string title;
    TempoUnit tempo = TempoUnit::quarterNotes(100);
    std::vector<RingtonePart> parts; // the formats use at most kMaxParts of them
};

// One decoded part: the melody text and what the format said about title, tempo and voice.
struct DecodedPart {
    std::u16string title;
    std::optional<int> tempo; // quarter notes per minute (tempo note "C")
    std::optional<int> voice;
    std::u16string melody;
};

// A decoder's answer: the part, or an error text when the input yields no melody.
struct DecodeResult {
    std::optional<DecodedPart> part;
    std::u16string error;
};

} // namespace sarvo::formats
