#pragma once
// Phones with one fixed note length, the eighth, and no length key (Type-O, Type-Q, Type-R).
// A note is its digit key; where the phone has pitch presses, pressed again it steps through the
// middle sharp, the high note and the high sharp (ミ and シ: middle, high). The phones differ in
// how a note longer than an eighth is typed, in whether they have a rest key, and in whether
// "→" ends a note before the next press of the same key.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

enum class LongNotes {
    RepeatedNote,  // the note once per eighth: the phone merges repeats into one note
    NoteThenRests, // the note, then an eighth rest per further eighth
    OneEighth,     // the note once: every note plays an eighth
};

struct FixedLengthPhone {
    bool pitchPresses = false;   // false: middle naturals only, other octaves and sharps folded
    std::u16string_view restKey; // "" where the phone has no rests: they are left out
    bool cursorBeforeSameKey = false;
    LongNotes longNotes = LongNotes::OneEighth;
};

void convertFixedLengthNote(KeyConversion& conversion, const FixedLengthPhone& phone);
// A rest key with another press count than the phone's is a conversion error.
void readFixedLengthCell(KeyReading& reading, const FixedLengthPhone& phone);

// A type of this family; the guide stops once the limit has been reached. A phone that plays a
// long note as its key repeated merges the repeats.
template <const FixedLengthPhone& Phone, int Index, int Limit>
const PhoneTypeRules& fixedLengthRules() {
    static const PhoneTypeRules rules =
        familyRules<Phone, convertFixedLengthNote, readFixedLengthCell>(
            {.index = Index,
             .limit = Limit,
             .limitRule = LimitRule::StopAtLimit,
             .mergeRepeats = Phone.longNotes == LongNotes::RepeatedNote,
             .readerDefault = melody::Note{.length = u"D", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
