#pragma once
// Phones where every note and rest is closed by its length, "０" pressed n times picking the
// n-th length of the phone's list (Type-N, Type-P). A note is its digit key (pressed again for
// another octave where the phone has octave presses), then the sharp key where the phone has
// one, then its length; a rest is its length alone. As a note always ends with its length, a
// "０" group where a note or rest begins is a rest.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/numberedlengths.h"
#include "keyguide/types/typerules.h"

#include <string_view>

namespace sarvo::keyguide {

struct ZeroLengthPhone {
    NumberedLengths lengths;      // by the number of "０" presses
    std::u16string_view sharpKey; // "" where the phone has no sharps: they are dropped
    bool octavePresses = false;   // the digit pressed once middle, twice high, thrice low
    int lowest = 0, highest = 0;  // the playable MIDI range; notes are folded into it by octaves
};

void convertZeroLengthNote(KeyConversion& conversion, const ZeroLengthPhone& phone);
// A note or rest not closed with a length the list holds, or a sharp key with no note before
// it, is a conversion error.
void readZeroLengthCell(KeyReading& reading, const ZeroLengthPhone& phone);

// A type of this family: no limit but the phone's memory.
template <const ZeroLengthPhone& Phone, int Index> const PhoneTypeRules& zeroLengthRules() {
    static const PhoneTypeRules rules =
        familyRules<Phone, convertZeroLengthNote, readZeroLengthCell>(
            {.index = Index,
             .limitRule = LimitRule::None,
             .readerDefault = melody::Note{.length = u"C", .octave = u"中"}});
    return rules;
}

} // namespace sarvo::keyguide
