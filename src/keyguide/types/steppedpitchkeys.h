#pragma once
// Phones whose digit key, pressed again and again, steps through the pitches of its note
// (Type-AA and Type-AB): middle, middle sharp, high, high sharp, low, low sharp; ミ and シ,
// which have no sharp, step through middle, high and low. "０" is a rest. Each unit is its key
// followed by the type's length cell, and "→" comes before a key that the unit before typed
// too. The two types differ only in their length lists.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

// False for ミ and シ, whose keys step through no sharp.
bool pitchHasSharp(std::u16string_view pitch);

// The order in which a key's presses reach the octaves: middle 0, high 1, low 2; -1 for any
// other mark.
int octavePressIndex(std::u16string_view octave);
// The octave reached at a press index, counted round the three octaves.
std::u16string_view octaveAtPressIndex(int index);

void convertSteppedNote(KeyConversion& conversion, KeyedLengthLists lengths);

// Reads a note or rest key and the length cell after it. A press count beyond the last pitch
// of a key goes round again, as the key does. A length key where a note or rest key belongs is
// a conversion error.
void readSteppedCell(KeyReading& reading, KeyedLengthLists lengths);

// A type typed wholly by this family: the limit counts units, and the guide stops once more than
// the limit have been typed.
template <const auto& Lengths, int Index, int Limit> const PhoneTypeRules& steppedRules() {
    static const PhoneTypeRules rules = familyRules<Lengths, convertSteppedNote, readSteppedCell>(
        {.index = Index,
         .limit = Limit,
         .limitRule = LimitRule::StopAfterLimit,
         .limitCounts = LimitCount::Units,
         .readerDefault = melody::Note{.length = u"C", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
