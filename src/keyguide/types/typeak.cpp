// Type-AK: 256 entries (the guide stops once more have been typed), all three
// octaves and sharps. A note is its digit key (once middle, "×３" high, "×５" low), "＃" for
// a sharp, then "＊" and the digit of its length; "０" is a rest (lengthdigitkeys.h).

#include "keyguide/types/lengthdigitkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr LengthDigitKeys kKeys{u"＃", u"＊", 5};

void convertNote(KeyConversion& conversion) {
    convertLengthDigitNote(conversion, kKeys);
}

void readCell(KeyReading& reading) {
    readLengthDigitCell(reading, kKeys);
}

} // namespace

const PhoneTypeRules& typeAKRules() {
    static const PhoneTypeRules rules{
        .index = 38,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .mergeRepeats = false,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
