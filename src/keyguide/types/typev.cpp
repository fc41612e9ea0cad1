// Type-V: 128 entries (the guide stops once more have been typed), all three octaves and
// sharps. Typed as Type-AE with "▲" for the octave and "▼" for the length: "９" is a rest, and the
// note key steps through the natural, its flat and its sharp.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"▲",
    .lengthKey = u"▼",
    .restKey = u"９",
    .sharpPresses = 3,
    .flatPresses = 2,
};

void convertNote(KeyConversion& conversion) {
    convertCursorKeyNote(conversion, kPhone);
}

void readCell(KeyReading& reading) {
    readCursorKeyCell(reading, kPhone);
}

} // namespace

const PhoneTypeRules& typeVRules() {
    static const PhoneTypeRules rules{
        .index = 23,
        .limit = 128,
        .limitRule = LimitRule::StopAfterLimit,
        .mergeRepeats = false,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
