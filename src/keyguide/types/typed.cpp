// Type-D: thirty-two notes, no low octave. Every note is typed in eighths: its digit key with the
// count of presses always shown, "×１" the middle natural to "×４" the high sharp; "＃" pressed
// once per eighth of rest. A low note becomes a rest.

#include "keyguide/types/eighthunits.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr EighthUnitKeys kKeys{
    .restKey = u"＃",
    .countEveryGroup = true,
    .cursorBeforeRepeat = false,
    .lowOctaveUp = false,
};

const PhoneTypeRules& typeDRules() {
    return eighthUnitRules<kKeys, 5, 32>();
}

} // namespace sarvo::keyguide
