// Type-Z: as many notes as the phone's memory holds, all three octaves and sharps. Typed as Type-W
// over the whole range, with "８" for a rest: "▲" before a note steps the octave up, "▲" right
// after the note key is its sharp and "▼" pressed n times picks the n-th length.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"▲",
    .lengthKey = u"▼",
    .restKey = u"８",
    .sharpKey = u"▲",
};

const PhoneTypeRules& typeZRules() {
    return cursorKeyRules<kPhone, 27, 0>();
}

} // namespace sarvo::keyguide
