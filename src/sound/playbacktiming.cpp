#include "sound/playbacktiming.h"

#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::sound {

int64_t roundHalfEven(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    int64_t remainder = numerator % denominator;
    if (remainder < 0) { // floor division for negative numerators
        --quotient;
        remainder += denominator;
    }
    const int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

PlaybackTiming::PlaybackTiming(int64_t unitNumerator, int64_t unitDenominator, int tempoBase)
    : m_unitNumerator(unitNumerator)
    , m_unitDenominator(unitDenominator)
    , m_tempoBase(std::clamp(tempoBase, kMinTempoBase, kMaxTempoBase)) {}

PlaybackTiming PlaybackTiming::quarterNoteTempo(int tempo, int tempoBase) {
    return PlaybackTiming(15, tempo, tempoBase);
}

int PlaybackTiming::shortened(int64_t ms) const {
    return static_cast<int>(roundHalfEven(ms * (21 - m_tempoBase), 22 - m_tempoBase));
}

int PlaybackTiming::intervalMs(int ticks) const {
    // d × 1000 = ticks ÷ 12 × unit × 1000
    const int64_t ms = roundHalfEven(int64_t{ticks} * m_unitNumerator * 1000,
                                     int64_t{melody::kTicksPerSixteenth} * m_unitDenominator);
    return shortened(ms);
}

int PlaybackTiming::testScaleIntervalMs(int noteTenths) const {
    const int64_t units = roundHalfEven(noteTenths, 10);
    const int64_t unitMs = roundHalfEven(m_unitNumerator * 1000, m_unitDenominator);
    return shortened(units * unitMs);
}

} // namespace sarvo::sound
