// Type-AM: 256 entries (the guide stops once more have been typed), all three
// octaves and sharps. A note is its digit key (once middle, "×３" high, "×５" low), "９" for
// a sharp, then "８" and the digit of its length; "０" is a rest (lengthdigitkeys.h).

#include "keyguide/types/lengthdigitkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr LengthDigitKeys kKeys{u"９", u"８", 5};

const PhoneTypeRules& typeAMRules() {
    return lengthDigitRules<kKeys, 40, 256>();
}

} // namespace sarvo::keyguide
