// Type-AK: 256 entries (the guide stops once more have been typed), all three
// octaves and sharps. A note is its digit key (once middle, "×３" high, "×５" low), "＃" for
// a sharp, then "＊" and the digit of its length; "０" is a rest (lengthdigitkeys.h).

#include "keyguide/types/lengthdigitkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {

constexpr LengthDigitKeys kKeys{u"＃", u"＊", 5};

const PhoneTypeRules& typeAKRules() {
    return lengthDigitRules<kKeys, 38, 256>();
}

} // namespace sarvo::keyguide
