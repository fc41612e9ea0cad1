#pragma once
// Melody → key text: the frame shared by all phone types. It walks the melody note by note,
// tests the type's limit before each note, lets the type's rules turn the note into cells and
// keeps the previous note for the relative moves of the next one.

#include "common/interaction.h"
#include "keyguide/phonetyperules.h"
#include "melody/parserstate.h"

#include <functional>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

// The working values of one conversion, handed to the type's rules.
struct KeyConversion {
    melody::ParserState& state;
    IInteractive& ui;
    std::u16string keyText;
    int unitCounter = 0;
    std::u16string octaveSuffix; // the press count after a note's digit key, e.g. "×２"

    void appendCell(std::u16string_view keys);
};

// How many key units a note occupies and how they are typed: the first unit with workingCode
// (and its dot), the following ones with extraCode. Ties multiply the units.
struct UnitPlan {
    int units = 1;
    char16_t workingCode = 0;
    bool dotted = false;
    char16_t extraCode = 0;
};

// Emits the units of a plan: for each unit the counter goes up by one, state.currentNote's
// length and dot become the unit's working code, emitUnit appends its cells, and the unit is
// kept as the previous note, so that each unit compares with the unit before it.
void emitUnits(KeyConversion& conversion, UnitPlan plan,
               const std::function<void(KeyConversion&)>& emitUnit);

// Converts a melody into the key text of a phone type. An index outside 2 to 40, or a type
// whose rules are not written yet, gives an empty key text. Messages a type has for the user
// (a length it cannot express) go to ui; the conversion goes on.
std::u16string convertToKeys(int typeIndex, std::u16string_view melody,
                             melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::keyguide
