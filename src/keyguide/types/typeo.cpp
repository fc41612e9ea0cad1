// Type-O: fifty-four notes, no low octave. Every press is an eighth: a note's digit key pressed
// once gives the middle natural, again the middle sharp, the high natural and the high sharp
// (ミ and シ: middle, high). A longer note is its key once per eighth, "→" between the presses,
// and the phone merges the repeats into one note. The phone has no rest key: rests are left
// out, and low notes are typed an octave up.

#include "keyguide/types/fixedlengthkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr FixedLengthPhone kPhone{
    .pitchPresses = true,
    .restKey = u"",
    .cursorBeforeSameKey = true,
    .longNotes = LongNotes::RepeatedNote,
};

const PhoneTypeRules& typeORules() {
    return fixedLengthRules<kPhone, 16, 54>();
}

} // namespace sarvo::keyguide
