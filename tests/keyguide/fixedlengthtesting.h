#pragma once
// What the phones with one fixed length (Type-O, Type-Q, Type-R) make of a melody, for their
// property tests: the eighths a note or rest lasts there.

#include "melody/note.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {

// Plain and dotted quarters, halves and wholes keep their time; every shorter length, the
// tuplets included, lasts one eighth.
inline int eighthsOnPhone(const melody::Note& note) {
    const char16_t code = note.length[0];
    const char16_t asNote = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    if (asNote != u'A' && asNote != u'B' && asNote != u'C')
        return 1;
    return std::max(1,
                    melody::lengthTicks(code, note.dot == u".") / melody::kTicksPerSixteenth / 2);
}

inline constexpr int kTicksPerEighth = 2 * melody::kTicksPerSixteenth;

} // namespace sarvo::keyguide
