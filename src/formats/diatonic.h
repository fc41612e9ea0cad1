#pragma once
// Pitches as the formats that count white keys write them: an octave, a step of the scale
// (0 = ド ... 6 = シ) and a sharp.

#include "formats/melodytokens.h"

#include <array>

namespace sarvo::formats {

struct DiatonicPitch {
    int octave; // 0 = 低, 1 = 中, 2 = 高
    int step;   // 0 = ド ... 6 = シ
    bool sharp;
};

// The semitone of each step above the octave's ド.
inline constexpr std::array<int, 7> kStepSemitones = {0, 2, 4, 5, 7, 9, 11};

// A pitch number (0 = 低ド ... 35 = 高シ) as octave, step and sharp.
inline DiatonicPitch diatonicOf(int pitch) {
    constexpr std::array<int, 12> stepOfSemitone = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    const int semitone = pitch % 12;
    const int step = stepOfSemitone[semitone];
    return {pitch / 12, step, kStepSemitones[step] != semitone};
}

// The pitch number of octave, step and sharp. A sharp on ミ or シ gives the next white key, and
// a pitch above 高シ comes down an octave.
inline int pitchOf(const DiatonicPitch& p) {
    return foldIntoRange(12 * p.octave + kStepSemitones[p.step] + (p.sharp ? 1 : 0));
}

} // namespace sarvo::formats
