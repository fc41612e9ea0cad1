// Type-AA: 255 units, all three octaves. A note's digit key pressed again and again steps through
// its pitches; "＊" and "９" then set the length: "＊" pressed n times picks from the plain
// lengths, "９" from the dotted ones, and a quarter needs no length key.

#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"

#include <array>

namespace sarvo::keyguide {

constexpr std::array<std::u16string_view, 5> kPlainLengths = {u"C", u"D", u"E", u"A", u"B"};
// The dotted lengths are numbered from 1.
constexpr std::array<std::u16string_view, 4> kDottedLengths = {u"", u"C.", u"D.", u"B."};
constexpr std::array<KeyedLengthList, 2> kLengthKeys = {
    KeyedLengthList{u"＊", kPlainLengths},
    KeyedLengthList{u"９", kDottedLengths},
};

const PhoneTypeRules& typeAARules() {
    return steppedRules<kLengthKeys, 28, 255>();
}

} // namespace sarvo::keyguide
