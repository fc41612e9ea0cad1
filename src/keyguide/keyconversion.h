#pragma once
// Melody → key text: the frame shared by all phone types. It walks the melody note by note,
// tests the type's limit before each note, lets the type's rules turn the note into cells and
// keeps the previous note for the relative moves of the next one.

#include "common/interaction.h"
#include "keyguide/phonetyperules.h"
#include "melody/parserstate.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

// The working values of one conversion, handed to the type's rules.
struct KeyConversion {
    melody::ParserState& state;
    IInteractive& ui;
    const PhoneTypeRules& rules;
    std::u16string keyText;
    int unitCounter = 0;         // what the type's limit counts
    bool full = false;           // the phone holds no further entry: the guide ends here
    std::u16string octaveSuffix; // the press count after a note's digit key, e.g. "×２"

    // What the phone has seen so far, for the types whose keys depend on it.
    std::u16string previousKey;         // the key of the last press group typed
    std::u16string octaveState = u"中"; // the octave the last note left the phone in
    std::array<bool, 7> sharpState{};   // per note name ド to シ, for phones keeping a sharp
    size_t lastCellOffset = std::u16string::npos; // where the last cell written starts
    int lastNotePresses = 0; // presses of the last note, for types that take some back later

    void appendCell(std::u16string_view keys);
    // Writes the cell again in place of the last one (a note whose count changes afterwards).
    void replaceLastCell(std::u16string_view keys);
};

// How many key units a note occupies and how they are typed: the first unit with workingCode
// (and its dot), the following ones with extraCode.
struct UnitPlan {
    int units = 1;
    char16_t workingCode = 0;
    bool dotted = false;
    char16_t extraCode = 0;
    // The units already hold the note's ties (a phone that holds a tied note on instead of
    // adding rests).
    bool tiesHeld = false;
};

// One unit of the note's own length; a note continues as the rest of its length.
UnitPlan singleUnit(const melody::Note& note);
// One unit of the note's own length that holds its ties.
UnitPlan heldUnit(const melody::Note& note);

// Emits the units of a plan: for each unit state.currentNote's length and dot become the unit's
// working code, emitUnit appends its cells, the unit is counted as the type's limit counts, and
// it is kept as the previous note, so that each unit compares with the unit before it.
// Unless the plan holds them, each tie repeats the plan as rests: its first unit becomes the
// rest of the working code, so a tied note keeps its whole duration in the lengths the phone
// can type. On a phone that counts entries, a unit that would pass the limit is taken back and
// the phone is full.
void emitUnits(KeyConversion& conversion, UnitPlan plan,
               const std::function<void(KeyConversion&)>& emitUnit);

// Converts a melody into the key text of a phone type. An index outside 2 to 40 gives an empty
// key text. Messages a type has for the user
// (a length it cannot express) go to ui; the conversion goes on.
std::u16string convertToKeys(int typeIndex, std::u16string_view melody, melody::ParserState& state,
                             IInteractive& ui);

} // namespace sarvo::keyguide
