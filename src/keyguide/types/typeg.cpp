// Type-G: thirty-two notes. Every note is typed in eighths: its digit key once for the middle
// natural, "×２" to "×４" for the middle sharp, high natural and high sharp; "９" is an eighth
// rest, and "→" ends a note when the next one is typed on the same key. The keys reach no low
// octave, so a low note is played an octave up.

#include "keyguide/types/eighthunits.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr EighthUnitKeys kKeys{
    .restKey = u"９",
    .countEveryGroup = false,
    .cursorBeforeRepeat = true,
    .lowOctaveUp = true,
};

void convertNote(KeyConversion& conversion) {
    convertEighthUnitNote(conversion, kKeys);
}

void readCell(KeyReading& reading) {
    readEighthUnitCell(reading, kKeys);
}

} // namespace

const PhoneTypeRules& typeGRules() {
    static const PhoneTypeRules rules{
        .index = 8,
        .limit = 32,
        .limitRule = LimitRule::StopAtLimit,
        .mergeRepeats = false,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
