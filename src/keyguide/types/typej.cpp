// Type-J: 256 notes, all three octaves and sharps. A note lasts as many sixteenths as its digit
// key is pressed and "９" after the presses makes it sharp; "０" pressed is a rest of as many
// sixteenths, and "８" steps the octave.

#include "keyguide/types/sixteenthpresses.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr SixteenthPressKeys kKeys{.sharpKey = u"９"};

void convertNote(KeyConversion& conversion) {
    convertSixteenthPressNote(conversion, kKeys);
}

void readCell(KeyReading& reading) {
    readSixteenthPressCell(reading, kKeys);
}

} // namespace

const PhoneTypeRules& typeJRules() {
    static const PhoneTypeRules rules{
        .index = 11,
        .limit = 256,
        .limitRule = LimitRule::StopAtLimit,
        .mergeRepeats = true,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"E"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
