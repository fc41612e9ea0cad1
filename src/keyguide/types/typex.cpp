// Type-X: 256 entries (the guide stops once more have been typed), no low octave. The note
// key pressed once gives the middle note and five times the high note; "＊" after it is the sharp,
// "０" is a rest and "＃" pressed n times picks the n-th length. Low notes become rests.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .lengthKey = u"＃",
    .restKey = u"０",
    .sharpKey = u"＊",
    .highPresses = 5,
    .lowestMidi = 72,
    .outOfRange = OutOfRange::Rest,
};

const PhoneTypeRules& typeXRules() {
    return cursorKeyRules<kPhone, 25, 256>();
}

} // namespace sarvo::keyguide
