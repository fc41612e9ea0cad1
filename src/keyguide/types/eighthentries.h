#pragma once
// Type-AI and Type-AJ enter every note as one eighth: a longer note goes on as eighth rests, a
// shorter one (a sixteenth, a dotted eighth's extra sixteenth, a tuplet) is typed as an eighth.
// Each note's pitch is its digit key and the steps past its middle natural (pitchsteps.h).

#include "keyguide/keyconversion.h"
#include "melody/notecodes.h"

namespace sarvo::keyguide {

inline UnitPlan eighthEntryUnits(const melody::Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool rest = melody::isRestCode(code);
    const bool dotted = note.dot == u".";
    int eighths = 1;
    switch (rest ? melody::noteCodeOf(code) : code) {
    case u'A': eighths = dotted ? 12 : 8; break;
    case u'B': eighths = dotted ? 6 : 4; break;
    case u'C': eighths = dotted ? 3 : 2; break;
    case u'D':
    case u'E':
    case u'2':
    case u'3':
    case u'5':
    case u'6': break;
    default: return UnitPlan{1, code, false, code}; // one unit that types nothing
    }
    return UnitPlan{eighths, rest ? u'I' : u'D', false, u'I'};
}

} // namespace sarvo::keyguide
