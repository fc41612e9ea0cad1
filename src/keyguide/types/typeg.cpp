// Type-G: thirty-two notes. Every note is typed in eighths: its digit key once for the middle
// natural, "×２" to "×４" for the middle sharp, high natural and high sharp; "９" is an eighth
// rest, and "→" ends a note when the next one is typed on the same key. The keys reach no low
// octave, so a low note is played an octave up.

#include "keyguide/types/eighthunits.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr EighthUnitKeys kKeys{
    .restKey = u"９",
    .countEveryGroup = false,
    .cursorBeforeRepeat = true,
    .lowOctaveUp = true,
};

const PhoneTypeRules& typeGRules() {
    return eighthUnitRules<kKeys, 8, 32>();
}

} // namespace sarvo::keyguide
