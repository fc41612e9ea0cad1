// Type-AB: 127 units, all three octaves. Notes and rests are typed as on Type-AA; the length is
// one list, "＊" pressed n times picking the n-th length, and a quarter needs no length key.

#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"

#include <array>

namespace sarvo::keyguide {
namespace {

constexpr std::array<std::u16string_view, 8> kLengths = {u"C", u"D.", u"D", u"E",
                                                         u"A", u"B.", u"B", u"C."};
constexpr std::array<KeyedLengthList, 1> kLengthKeys = {KeyedLengthList{u"＊", kLengths}};

void convertNote(KeyConversion& conversion) {
    convertSteppedNote(conversion, kLengthKeys);
}

void readCell(KeyReading& reading) {
    readSteppedCell(reading, kLengthKeys);
}

} // namespace

const PhoneTypeRules& typeABRules() {
    static const PhoneTypeRules rules{
        .index = 29,
        .limit = 127,
        .limitRule = LimitRule::StopAfterLimit,
        .limitCounts = LimitCount::Units,
        .mergeRepeats = false,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
