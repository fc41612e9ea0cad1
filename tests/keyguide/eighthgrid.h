#pragma once
// What the phones that type every note in eighths (Type-D, Type-G) make of a melody's lengths,
// for their tests: a whole note is eight eighths (a dotted one twelve), a half four (six), a
// quarter two (three); an eighth, a dotted eighth, a sixteenth and every tuplet one eighth.
// Ties add the note's eighths again.

#include "melody/note.h"
#include "melody/notecodes.h"

namespace sarvo::keyguide {

inline int ticksInEighths(const melody::Note& note) {
    const char16_t code = note.length[0];
    const bool dotted = note.dot == u".";
    int eighths = 0;
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'A': eighths = dotted ? 12 : 8; break;
    case u'B': eighths = dotted ? 6 : 4; break;
    case u'C': eighths = dotted ? 3 : 2; break;
    case u'D':
    case u'E':
    case u'2':
    case u'3':
    case u'5':
    case u'6': eighths = 1; break;
    default: return 0;
    }
    return eighths * (note.tieCount + 1) * 2 * melody::kTicksPerSixteenth;
}

} // namespace sarvo::keyguide
