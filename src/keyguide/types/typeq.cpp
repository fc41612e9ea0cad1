// Type-Q: fifty notes, the middle octave, no sharps. Every press is an eighth: a note is its
// digit key, a rest "０" pressed twice, and a longer note goes on as eighth rests. Low notes
// become rests; high notes are typed in the middle octave and sharps as the natural.

#include "keyguide/types/fixedlengthkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr FixedLengthPhone kPhone{
    .pitchPresses = false,
    .restKey = u"０×２",
    .cursorBeforeSameKey = false,
    .longNotes = LongNotes::NoteThenRests,
};

const PhoneTypeRules& typeQRules() {
    return fixedLengthRules<kPhone, 18, 50>();
}

} // namespace sarvo::keyguide
