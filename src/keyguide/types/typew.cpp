// Type-W: 256 entries (the guide stops once more have been typed), from the low ファ to the
// high ド. "▲" before a note steps the octave up (high wraps round to low), "▲" right after the
// note key is its sharp, "＃" is a rest and "▼" pressed n times picks the n-th length. Notes
// outside the range are typed an octave nearer it.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"▲",
    .lengthKey = u"▼",
    .restKey = u"＃",
    .sharpKey = u"▲",
    .lowestMidi = 65,
    .highestMidi = 84,
    .outOfRange = OutOfRange::Fold,
};

const PhoneTypeRules& typeWRules() {
    return cursorKeyRules<kPhone, 24, 256>();
}

} // namespace sarvo::keyguide
