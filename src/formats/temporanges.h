#pragma once
// Formats that carry the tempo as a small code pick it from a table of tempo ranges. The tempo
// is compared as the exact number of quarter notes per minute, so a tempo between two ranges
// (65.5 between 0-65 and 66-75) falls in neither.

#include "formats/tempounit.h"

#include <span>

namespace sarvo::formats {

struct TempoRange {
    int from; // quarter notes per minute, both bounds included
    int to;
    int code;
};

// The code of the first range that holds the tempo; `otherwise` when none does.
inline int tempoCodeOf(const TempoUnit& tempo, std::span<const TempoRange> ranges, int otherwise) {
    const Rational perMinute = tempo.quarterNotesPerMinute();
    for (const TempoRange& range : ranges)
        if (perMinute >= Rational(range.from) && perMinute <= Rational(range.to))
            return range.code;
    return otherwise;
}

} // namespace sarvo::formats
