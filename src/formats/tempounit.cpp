#include "formats/tempounit.h"

#include "melody/notecodes.h"

#include <numeric>

namespace sarvo::formats {

namespace {
constexpr int kTicksPerQuarter = 4 * melody::kTicksPerSixteenth;
} // namespace

Rational::Rational(int64_t numerator, int64_t denominator)
    : m_num(numerator)
    , m_den(denominator) {
    if (m_den < 0)
        m_num = -m_num, m_den = -m_den;
    const int64_t divisor = std::gcd(m_num, m_den);
    if (divisor > 1)
        m_num /= divisor, m_den /= divisor;
}

int64_t Rational::roundedHalfEven() const {
    int64_t floor = m_num / m_den;
    int64_t remainder = m_num % m_den;
    if (remainder < 0)
        --floor, remainder += m_den;
    const int64_t twice = 2 * remainder;
    if (twice > m_den || (twice == m_den && floor % 2 != 0))
        return floor + 1;
    return floor;
}

std::strong_ordering operator<=>(const Rational& a, const Rational& b) {
    return a.m_num * b.m_den <=> b.m_num * a.m_den;
}

std::optional<TempoUnit> TempoUnit::fromTempo(int tempo, std::u16string_view tempoNote) {
    if (tempo < 1 || tempoNote.empty() || tempoNote.size() > 2)
        return std::nullopt;
    const bool dotted = tempoNote.size() == 2;
    if (dotted && tempoNote[1] != u'.')
        return std::nullopt;
    const int ticks = melody::lengthTicks(tempoNote[0], dotted);
    if (ticks <= 0)
        return std::nullopt;
    return TempoUnit(tempo, ticks);
}

TempoUnit TempoUnit::quarterNotes(int perMinute) {
    return TempoUnit(perMinute, kTicksPerQuarter);
}

Rational TempoUnit::secondsPerSixteenth() const {
    return Rational(60 * melody::kTicksPerSixteenth, int64_t{m_tempo} * m_noteTicks);
}

Rational TempoUnit::quarterNotesPerMinute() const {
    return Rational(int64_t{m_tempo} * m_noteTicks, kTicksPerQuarter);
}

int TempoUnit::roundedQuarterNotesPerMinute() const {
    return static_cast<int>(quarterNotesPerMinute().roundedHalfEven());
}

} // namespace sarvo::formats
