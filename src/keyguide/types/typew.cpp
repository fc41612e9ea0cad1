// Type-W: 256 entries (the guide stops once more have been typed), from the low ファ to the
// high ド. "▲" before a note steps the octave up (high wraps round to low), "▲" right after the
// note key is its sharp, "＃" is a rest and "▼" pressed n times picks the n-th length. Notes
// outside the range are typed an octave nearer it.

#include "keyguide/types/cursorkeys.h"
#include "keyguide/types/typerules.h"

namespace sarvo::keyguide {
namespace {

constexpr CursorKeyPhone kPhone{
    .octaveKey = u"▲",
    .lengthKey = u"▼",
    .restKey = u"＃",
    .sharpKey = u"▲",
    .lowestMidi = 65,
    .highestMidi = 84,
    .outOfRange = OutOfRange::Fold,
};

void convertNote(KeyConversion& conversion) {
    convertCursorKeyNote(conversion, kPhone);
}

void readCell(KeyReading& reading) {
    readCursorKeyCell(reading, kPhone);
}

} // namespace

const PhoneTypeRules& typeWRules() {
    static const PhoneTypeRules rules{
        .index = 24,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .mergeRepeats = false,
        .convertNote = convertNote,
        .readerDefault = melody::Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
