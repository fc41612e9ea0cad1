// Type-H: thirty notes, all three octaves, no sharps. A note lasts as many sixteenths as its digit
// key is pressed, "０" pressed is a rest of as many sixteenths, and "８" steps the octave. A sharp
// is dropped: the note is played as its natural.

#include "keyguide/types/sixteenthpresses.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr SixteenthPressKeys kKeys{.sharpKey = {}};

const PhoneTypeRules& typeHRules() {
    return sixteenthPressRules<kKeys, 9, 30>();
}

} // namespace sarvo::keyguide
