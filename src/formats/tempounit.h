#pragma once
// The tempo unit, the length of a sixteenth note in seconds, and the tempo numbers derived from
// it. A song's tempo is a number of tempo notes per minute; the tempo note is a length code
// ("C" a quarter, "C." a dotted quarter, "D" an eighth ...). Everything is computed as exact
// fractions, so tempo 110 counted in quarters gives 110 quarter notes per minute, never
// 110.00000000000001, and range tables see the number a user expects.

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sarvo::formats {

// A fraction in lowest terms with a positive denominator.
class Rational {
public:
    Rational(int64_t numerator = 0, int64_t denominator = 1);

    int64_t numerator() const { return m_num; }
    int64_t denominator() const { return m_den; }
    // The nearest integer, an exact half going to the even neighbour.
    int64_t roundedHalfEven() const;

    friend bool operator==(const Rational&, const Rational&) = default;
    friend std::strong_ordering operator<=>(const Rational& a, const Rational& b);

private:
    int64_t m_num;
    int64_t m_den;
};

class TempoUnit {
public:
    // Tempo notes per minute; nullopt for a tempo below 1 or a tempo note without a length.
    static std::optional<TempoUnit> fromTempo(int tempo, std::u16string_view tempoNote);
    // Quarter notes per minute (tempo note "C"); perMinute must be at least 1.
    static TempoUnit quarterNotes(int perMinute);

    int tempo() const { return m_tempo; }
    // Seconds per sixteenth note: (60 ÷ tempo) ÷ (sixteenths of the tempo note).
    Rational secondsPerSixteenth() const;
    // 60 ÷ the tempo unit ÷ 4.
    Rational quarterNotesPerMinute() const;
    int roundedQuarterNotesPerMinute() const;

private:
    TempoUnit(int tempo, int noteTicks)
        : m_tempo(tempo)
        , m_noteTicks(noteTicks) {}

    int m_tempo;
    int m_noteTicks; // length of the tempo note in ticks of 1/48 quarter note
};

} // namespace sarvo::formats
