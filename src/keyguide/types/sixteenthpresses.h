#pragma once
// Phones on which a note lasts as many sixteenths as its key is pressed (Type-H, Type-J): "５×４"
// is a quarter ソ, "０×２" an eighth rest. "８" steps the octave the phone is in, middle → high →
// low → middle, before a note in another octave; pressed three times it comes back to the same
// octave, which is how two notes on one key are kept apart. Sixteenths of one pitch in a row
// run together into one press group, as the phone plays them. Type-J adds a sharp key after the
// note's presses.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

struct SixteenthPressKeys {
    std::u16string_view sharpKey; // empty where the phone has no sharps (they are dropped)
};

void convertSixteenthPressNote(KeyConversion& conversion, const SixteenthPressKeys& keys);
void readSixteenthPressCell(KeyReading& reading, const SixteenthPressKeys& keys);

// A type of this family; the guide stops once the limit has been reached, and the phone merges
// the presses of one note.
template <const SixteenthPressKeys& Keys, int Index, int Limit>
const PhoneTypeRules& sixteenthPressRules() {
    static const PhoneTypeRules rules =
        familyRules<Keys, convertSixteenthPressNote, readSixteenthPressCell>(
            {.index = Index,
             .limit = Limit,
             .limitRule = LimitRule::StopAtLimit,
             .mergeRepeats = true,
             .readerDefault = melody::Note{.length = u"E"}});
    return rules;
}

} // namespace sarvo::keyguide
