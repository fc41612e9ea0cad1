// Type-D: thirty-two notes, no low octave. Every note is typed in eighths: its digit key with the
// count of presses always shown, "×１" the middle natural to "×４" the high sharp; "＃" pressed
// once per eighth of rest. A low note becomes a rest.

#include "keyguide/types/eighthunits.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr EighthUnitKeys kKeys{
    .restKey = u"＃",
    .countEveryGroup = true,
    .cursorBeforeRepeat = false,
    .lowOctaveUp = false,
};

} // namespace

const PhoneTypeRules& typeDRules() {
    static const PhoneTypeRules rules = eighthUnitRules<kKeys>(5, 32);
    return rules;
}

} // namespace sarvo::keyguide
