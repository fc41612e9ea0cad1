// Type-H: thirty notes, all three octaves, no sharps. A note lasts as many sixteenths as its digit
// key is pressed, "０" pressed is a rest of as many sixteenths, and "８" steps the octave. A sharp
// is dropped: the note is played as its natural.

#include "keyguide/types/sixteenthpresses.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr SixteenthPressKeys kKeys{.sharpKey = {}};

} // namespace

const PhoneTypeRules& typeHRules() {
    static const PhoneTypeRules rules = sixteenthPressRules<kKeys>(9, 30);
    return rules;
}

} // namespace sarvo::keyguide
