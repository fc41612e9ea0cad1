// Type-AB: 127 units, all three octaves. Notes and rests are typed as on Type-AA; the length is
// one list, "＊" pressed n times picking the n-th length, and a quarter needs no length key.

#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"

#include <array>

namespace sarvo::keyguide {

constexpr std::array<std::u16string_view, 8> kLengths = {u"C", u"D.", u"D", u"E",
                                                         u"A", u"B.", u"B", u"C."};
constexpr std::array<KeyedLengthList, 1> kLengthKeys = {KeyedLengthList{u"＊", kLengths}};

const PhoneTypeRules& typeABRules() {
    return steppedRules<kLengthKeys, 29, 127>();
}

} // namespace sarvo::keyguide
