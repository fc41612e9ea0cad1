// Type-N: no note limit but the phone's memory, one octave with sharps. A note is its digit key,
// "９" after it for a sharp, and its length; a rest is its length alone. The length is "０"
// pressed two to six times: whole, half, quarter, eighth, sixteenth (the first press opens the
// length choice). Notes of the low and high octaves are typed in the middle octave.

#include "keyguide/types/typerules.h"
#include "keyguide/types/zerolengthkeys.h"

#include <array>

namespace sarvo::keyguide {

constexpr std::array<ListedLength, 5> kLengthList = {{
    {u'A', false},
    {u'B', false},
    {u'C', false},
    {u'D', false},
    {u'E', false},
}};
constexpr ZeroLengthPhone kPhone{
    .lengths = {kLengthList, 2},
    .sharpKey = u"９",
    .octavePresses = false,
    .lowest = 72, // the middle ド
    .highest = 83,
};

const PhoneTypeRules& typeNRules() {
    return zeroLengthRules<kPhone, 15>();
}

} // namespace sarvo::keyguide
