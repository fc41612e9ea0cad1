#pragma once
// Phones that take a note's length as a digit typed after a length key (Type-AK, Type-AL,
// Type-AM). A note is its digit key, pressed once for the middle octave, three times for the
// high one and a further number of times for the low one; the sharp key follows a sharp note;
// "０" is a rest. Every note and rest then takes its length cell: the length key and the digit
// of the length, "０" whole, "１" sixteenth, "２" eighth, "３" dotted eighth, "４" quarter, "５"
// dotted quarter, "６" half, "７" dotted half. The types differ in their keys and low count.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

struct LengthDigitKeys {
    std::u16string_view sharpKey;
    std::u16string_view lengthKey;
    int lowPresses = 5;
};

void convertLengthDigitNote(KeyConversion& conversion, const LengthDigitKeys& keys);
void readLengthDigitCell(KeyReading& reading, const LengthDigitKeys& keys);

// A type of this family; the guide stops once more than the limit have been typed.
template <const LengthDigitKeys& Keys, int Index, int Limit>
const PhoneTypeRules& lengthDigitRules() {
    static const PhoneTypeRules rules =
        familyRules<Keys, convertLengthDigitNote, readLengthDigitCell>(
            {.index = Index,
             .limit = Limit,
             .limitRule = LimitRule::StopAfterLimit,
             .readerDefault = melody::Note{.length = u"C", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
