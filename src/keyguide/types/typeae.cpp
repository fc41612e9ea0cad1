// Type-AE: 128 entries (the guide stops once more have been typed), all three octaves and
// sharps. Typed as Type-U, with "９" for a rest; the note key steps through the natural, its flat
// and its sharp, so a sharp is the key pressed three times.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"↑",
    .lengthKey = u"↓",
    .restKey = u"９",
    .sharpPresses = 3,
    .flatPresses = 2,
};

const PhoneTypeRules& typeAERules() {
    return cursorKeyRules<kPhone, 32, 128>();
}

} // namespace sarvo::keyguide
