#pragma once
// Phones that type every note in eighths (Type-D, Type-G): a note is its digit key, pressed once
// for the middle natural, twice for the middle sharp, three times for the high natural and four
// times for the high sharp (ミ and シ: once middle, twice high); a longer note goes on as eighth
// rests, and a shorter one is typed as an eighth. The two types differ in their rest key, in how
// two notes on one key are kept apart and in what they make of a low note.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

struct EighthUnitKeys {
    std::u16string_view restKey;
    // Every press group shows its count, one press included ("１×１"): the phone takes a group
    // once its key rests, so two notes on one key need nothing between them. Rests in a row go
    // into one group of at most four presses.
    bool countEveryGroup = false;
    // "→" ends a note when the next one is typed on the same key.
    bool cursorBeforeRepeat = false;
    // A low note is played an octave up (otherwise it becomes a rest).
    bool lowOctaveUp = false;
};

// Presses of a note's digit key for the middle and high octaves: 1 middle natural, 2 middle
// sharp, 3 high natural, 4 high sharp; ミ and シ 1 middle, 2 high. A low note counts as middle.
int middleHighPresses(const melody::Note& note);
// The pitch a number of presses gives a note whose name is set; a count the key does not have
// leaves the middle natural.
void setMiddleHighPitch(melody::Note& note, int presses);

void convertEighthUnitNote(KeyConversion& conversion, const EighthUnitKeys& keys);
void readEighthUnitCell(KeyReading& reading, const EighthUnitKeys& keys);

// A type typed wholly in eighth units; the guide stops once the limit has been reached.
template <const EighthUnitKeys& Keys, int Index, int Limit>
const PhoneTypeRules& eighthUnitRules() {
    static const PhoneTypeRules rules =
        familyRules<Keys, convertEighthUnitNote, readEighthUnitCell>(
            {.index = Index,
             .limit = Limit,
             .limitRule = LimitRule::StopAtLimit,
             .readerDefault = melody::Note{.length = u"D", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
