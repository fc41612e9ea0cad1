// Type-R: thirty-six notes, no low octave. Every note plays an eighth and is typed once: its
// digit key pressed once gives the middle natural, again the middle sharp, the high natural and
// the high sharp (ミ and シ: middle, high). The phone has no rest key: rests are left out, and
// low notes are typed an octave up.

#include "keyguide/types/fixedlengthkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr FixedLengthPhone kPhone{
    .pitchPresses = true,
    .restKey = u"",
    .cursorBeforeSameKey = false,
    .longNotes = LongNotes::OneEighth,
};

const PhoneTypeRules& typeRRules() {
    return fixedLengthRules<kPhone, 19, 36>();
}

} // namespace sarvo::keyguide
