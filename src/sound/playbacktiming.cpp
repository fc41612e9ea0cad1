#include "sound/playbacktiming.h"

#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::sound {

namespace {

// The nearest integer to numerator ÷ denominator, an exact half going to the even neighbour.
int64_t roundHalfEven(int64_t numerator, int64_t denominator) {
    return formats::Rational(numerator, denominator).roundedHalfEven();
}

} // namespace

PlaybackTiming::PlaybackTiming(int64_t unitNumerator, int64_t unitDenominator, int tempoBase)
    : m_unitNumerator(unitNumerator)
    , m_unitDenominator(unitDenominator)
    , m_tempoBase(std::clamp(tempoBase, kMinTempoBase, kMaxTempoBase)) {}

PlaybackTiming::PlaybackTiming(const formats::TempoUnit& unit, int tempoBase)
    : PlaybackTiming(unit.secondsPerSixteenth().numerator(),
                     unit.secondsPerSixteenth().denominator(), tempoBase) {}

PlaybackTiming PlaybackTiming::quarterNoteTempo(int tempo, int tempoBase) {
    return PlaybackTiming(formats::TempoUnit::quarterNotes(tempo), tempoBase);
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
