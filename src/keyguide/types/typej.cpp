// Type-J: 256 notes, all three octaves and sharps. A note lasts as many sixteenths as its digit
// key is pressed and "９" after the presses makes it sharp; "０" pressed is a rest of as many
// sixteenths, and "８" steps the octave.

#include "keyguide/types/sixteenthpresses.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr SixteenthPressKeys kKeys{.sharpKey = u"９"};

const PhoneTypeRules& typeJRules() {
    return sixteenthPressRules<kKeys, 11, 256>();
}

} // namespace sarvo::keyguide
