// Type-U: 96 entries (the guide stops once more have been typed), all three octaves and
// sharps. "↑" steps the octave up from the last note's (high wraps round to low), the note key
// pressed twice gives its sharp, "０" is a rest, and "↓" pressed n times picks the n-th length.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"↑",
    .lengthKey = u"↓",
    .restKey = u"０",
    .sharpPresses = 2,
};

const PhoneTypeRules& typeURules() {
    return cursorKeyRules<kPhone, 22, 96>();
}

} // namespace sarvo::keyguide
