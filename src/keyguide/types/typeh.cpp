// Type-H: thirty notes, all three octaves, no sharps. A note lasts as many sixteenths as its digit
// key is pressed, "０" pressed is a rest of as many sixteenths, and "８" steps the octave. A sharp
// is dropped: the note is played as its natural.

#include "keyguide/types/sixteenthpresses.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr SixteenthPressKeys kKeys{.sharpKey = {}};

void convertNote(KeyConversion& conversion) {
    convertSixteenthPressNote(conversion, kKeys);
}

void readCell(KeyReading& reading) {
    readSixteenthPressCell(reading, kKeys);
}

} // namespace

const PhoneTypeRules& typeHRules() {
    static const PhoneTypeRules rules{
        .index = 9,
        .limit = 30,
        .limitRule = LimitRule::StopAtLimit,
        .mergeRepeats = true,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"E"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
