#pragma once
// How long previews, playback and the test scale hold a note. A duration of d seconds is played
// for R(R(d × 1000) ÷ (1 + 1 ÷ (21 − k))) milliseconds, R rounding to the nearest integer with
// exact halves to the even neighbour, k the tempo base value: a larger k shortens every note, to
// match the tempo a phone plays at.
//
// The tempo unit (seconds per sixteenth note) is held as an exact fraction, so the rounding sees
// true halves.

#include "formats/tempounit.h"

#include <cstdint>

namespace sarvo::sound {

inline constexpr int kDefaultTempoBase = 15;
// The tempo base value is kept in this range: at 21 the formula gives no time at all, above it
// the divisor passes zero.
inline constexpr int kMinTempoBase = 0;
inline constexpr int kMaxTempoBase = 20;

class PlaybackTiming {
public:
    // Tempo 100 counted in quarter notes (0.15 s a sixteenth), tempo base value 15.
    PlaybackTiming() = default;
    // The tempo unit is unitNumerator ÷ unitDenominator seconds (both positive).
    PlaybackTiming(int64_t unitNumerator, int64_t unitDenominator, int tempoBase);
    PlaybackTiming(const formats::TempoUnit& unit, int tempoBase);
    // The tempo unit of a tempo counted in quarter notes: 60 ÷ tempo ÷ 4 seconds.
    static PlaybackTiming quarterNoteTempo(int tempo, int tempoBase = kDefaultTempoBase);

    int64_t unitNumerator() const { return m_unitNumerator; }
    int64_t unitDenominator() const { return m_unitDenominator; }
    double unitSeconds() const {
        return static_cast<double>(m_unitNumerator) / static_cast<double>(m_unitDenominator);
    }
    int tempoBase() const { return m_tempoBase; }

    // The timer interval of a duration given in ticks (12 to a sixteenth, melody/notecodes.h).
    int intervalMs(int ticks) const;
    // The interval of one test-scale note whose length entry carries noteTenths:
    // R(R(noteTenths ÷ 10) × R(unit × 1000) ÷ (1 + 1 ÷ (21 − k))).
    int testScaleIntervalMs(int noteTenths) const;

private:
    // Multiplies a whole number of milliseconds by 1 ÷ (1 + 1 ÷ (21 − k)) = (21 − k) ÷ (22 − k)
    // and rounds.
    int shortened(int64_t ms) const;

    int64_t m_unitNumerator = 15;
    int64_t m_unitDenominator = 100;
    int m_tempoBase = kDefaultTempoBase;
};

} // namespace sarvo::sound
