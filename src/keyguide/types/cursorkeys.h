#pragma once
// Phones that type every note as a short fixed sequence — the octave, the note key, the sharp and
// a length key that closes it — and that keep the octave of the last note (Type-U, Type-V,
// Type-W, Type-X, Type-Z, Type-AE). They differ only in which keys do what, written as data:
//
// - the octave key, pressed once per step up from the octave the last note left the phone in
//   (high wraps round to low), comes before a note in another octave; a phone without one
//   reaches the high octave by pressing the note key more often;
// - the note key: pressed once the natural, pressed again for a sharp on phones without a sharp
//   key;
// - the sharp key, where the phone has one, right after the note key;
// - the rest key in place of a note;
// - the length key, pressed n times for the n-th length of the phone's list (whole note first),
//   after every note and rest. Because it always closes a note, two notes on one key never run
//   into each other.
//
// Each length typed is an entry of the phone: a note typed as a whole and a half rest takes two.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

// What the phone makes of a pitch outside its range.
enum class OutOfRange {
    Fold, // typed one octave nearer the range until it fits
    Rest, // typed as the rest of the note's length
};

struct CursorKeyPhone {
    std::u16string_view octaveKey; // "" where the note key's presses reach the high octave
    std::u16string_view lengthKey;
    std::u16string_view restKey;
    std::u16string_view sharpKey; // "" where the note key's presses give the sharp
    int sharpPresses = 0;         // presses of the note key for a sharp, without a sharp key
    int flatPresses = 0;          // presses of the note key for a flat, read back only
    int highPresses = 0;          // presses of the note key for the high octave, without octave key
    int lowestMidi = 60;          // the playable range
    int highestMidi = 95;
    OutOfRange outOfRange = OutOfRange::Fold;
};

void convertCursorKeyNote(KeyConversion& conversion, const CursorKeyPhone& phone);
// Reads an octave cell, or a note or rest with its sharp and length cells. A length key where a
// note or rest belongs, or a note or rest without its length cell, stops the reading with a
// conversion error. A key the phone does not have reads as a rest, of the length that follows
// it if any.
void readCursorKeyCell(KeyReading& reading, const CursorKeyPhone& phone);

// A type of this family; the guide stops once more than the limit have been typed (0: no limit).
template <const CursorKeyPhone& Phone, int Index, int Limit>
const PhoneTypeRules& cursorKeyRules() {
    static const PhoneTypeRules rules = familyRules<Phone, convertCursorKeyNote, readCursorKeyCell>(
        {.index = Index,
         .limit = Limit,
         .limitRule = Limit > 0 ? LimitRule::StopAfterLimit : LimitRule::None,
         .readerDefault = melody::Note{.length = u"C", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
