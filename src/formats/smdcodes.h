#pragma once
// The byte values of the Sky Melody stream shared by its encoder and decoder.

#include "formats/temporanges.h"

#include <cstdint>

namespace sarvo::formats::smd {

inline constexpr uint8_t kEscape = 0x1B;
inline constexpr uint8_t kPartStart[] = {0x1B, 0x24, 0x44};
inline constexpr uint8_t kPartEnd = 0x0F;
inline constexpr uint8_t kCommand = 0x21; // introduces a tempo or register code
inline constexpr uint8_t kTie = 0x22;
inline constexpr uint8_t kFirstRest = 0x23; // "#" a sixteenth rest, up to "&" a half rest
inline constexpr uint8_t kFirstPitchCode = 0x28;
inline constexpr uint8_t kLastNoteByte = 0x7E;

inline constexpr uint8_t kRegisterUp = 0x22;
inline constexpr uint8_t kRegisterDown = 0x23;
inline constexpr uint8_t kRegisterMiddle = 0x24;

// Tempo codes (the byte after 0x21) by quarter notes per minute. A tempo between the ranges
// (above 100 and below 101, say) or above them has no code.
inline constexpr TempoRange kTempoRanges[] = {{0, 100, 0x2B}, {101, 120, 0x2A}, {121, 148, 0x28}};
inline constexpr int kNoTempoCode = -1;

// The pitch number (0 = 低ド) that pitch code 0x28 stands for in the middle register.
inline constexpr int kFirstPitchOfMiddleRegister = 9;

// Ticks of length index 0 to 3: 12, 24, 48, 96.
constexpr int ticksOfIndex(int index) {
    return 12 << index;
}

} // namespace sarvo::formats::smd
