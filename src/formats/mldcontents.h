#pragma once
// What the i-melody decoder takes from a file before it writes melody text: the title, the first
// tempo, the voice of every part and every note with its time, all times in a common unit.

#include "formats/hexbytes.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sarvo::formats {

// Times are counted in 1/1920 quarter note, a unit every timebase of the format divides
// (6, 12, ... 384 and 15, 30, ... 960 ticks to a quarter note).
inline constexpr int kMldTimeUnitsPerQuarter = 1920;
inline constexpr int kMldMaxTracks = 4;
inline constexpr int kMldChannels = 4;

struct MldNote {
    int64_t start = 0; // time units since the start of the track
    int64_t gate = 0;  // time units the note sounds
    int key = 0;       // key number after any octave shift; 15 is 低ド
};

struct MldContents {
    std::u16string title;
    std::optional<int> tempo; // quarter notes per minute, from the first tempo event
    std::array<std::optional<int>, kMldMaxTracks * kMldChannels> voice;
    std::map<int, std::vector<MldNote>> notes; // by part (track × 4 + channel), in file order
    std::u16string error;                      // set when the bytes are no i-melody file
};

MldContents readMldContents(const Bytes& bytes);

} // namespace sarvo::formats
