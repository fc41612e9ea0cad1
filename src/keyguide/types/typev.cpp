// Type-V: 128 entries (the guide stops once more have been typed), all three octaves and
// sharps. Typed as Type-AE with "▲" for the octave and "▼" for the length: "９" is a rest, and the
// note key steps through the natural, its flat and its sharp.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"▲",
    .lengthKey = u"▼",
    .restKey = u"９",
    .sharpPresses = 3,
    .flatPresses = 2,
};

const PhoneTypeRules& typeVRules() {
    return cursorKeyRules<kPhone, 23, 128>();
}

} // namespace sarvo::keyguide
