// Type-P: no note limit but the phone's memory, from the low ド to the high ド, no sharps. A
// note is its digit key pressed once for the middle octave, twice for the high ド and three
// times for the low octave, then its length; a rest is its length alone. The length is "０"
// pressed once for a sixteenth, twice for an eighth and three times for a quarter; longer notes
// go on as quarter rests. Notes above the high ド are typed an octave lower.

#include "keyguide/types/typerules.h"
#include "keyguide/types/zerolengthkeys.h"

#include <array>

namespace sarvo::keyguide {

constexpr std::array<ListedLength, 3> kLengthList = {{
    {u'E', false},
    {u'D', false},
    {u'C', false},
}};
constexpr ZeroLengthPhone kPhone{
    .lengths = {kLengthList, 1},
    .sharpKey = u"",
    .octavePresses = true,
    .lowest = 60,  // the low ド
    .highest = 84, // the high ド
};

const PhoneTypeRules& typePRules() {
    return zeroLengthRules<kPhone, 17>();
}

} // namespace sarvo::keyguide
