// Type-D: thirty-two notes, no low octave. Every note is typed in eighths: its digit key with the
// count of presses always shown, "×１" the middle natural to "×４" the high sharp; "＃" pressed
// once per eighth of rest. A low note becomes a rest.

#include "keyguide/types/eighthunits.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr EighthUnitKeys kKeys{
    .restKey = u"＃",
    .countEveryGroup = true,
    .cursorBeforeRepeat = false,
    .lowOctaveUp = false,
};

void convertNote(KeyConversion& conversion) {
    convertEighthUnitNote(conversion, kKeys);
}

void readCell(KeyReading& reading) {
    readEighthUnitCell(reading, kKeys);
}

} // namespace

const PhoneTypeRules& typeDRules() {
    static const PhoneTypeRules rules{
        .index = 5,
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
