#pragma once
// Key text → melody: the frame shared by all readers. It cuts the key text into five-character
// cells, hands each cell (with the three cells after it as look-ahead) to the type's reader and
// collects the note tokens the reader rebuilds.

#include "common/interaction.h"
#include "keyguide/phonetyperules.h"
#include "melody/parserstate.h"

#include <array>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

struct KeyReading {
    melody::ParserState& state; // readPos walks the key text, five characters a cell
    IInteractive& ui;
    std::u16string_view keyText;
    std::u16string melody;

    std::array<std::u16string, 5> keys;      // the cell at the reader position, one key each
    std::array<std::u16string, 3> lookahead; // the next three cells, whole
    melody::Note note;                       // the note being rebuilt from the cell
    bool stopped = false;

    // What the phone keeps between notes, for the readers of types whose keys depend on it.
    std::u16string octaveState = u"中"; // the octave the last note left the phone in
    std::array<bool, 7> sharpState{};   // per note name ド to シ, for phones keeping a sharp

    // Fills keys and lookahead from readPos and moves it one cell on; false past the end.
    bool readFixedFieldNote();
    // Skips look-ahead cells that the reader has consumed.
    void skipCells(int count);
    // Appends one note token, separated by a blank from what is already there.
    void appendToken(std::u16string_view token);
    // Appends the rebuilt note: length, dot, octave, name and sharp as one token; a note
    // without a name as the rest of its length.
    void appendNote();
    // A key where the type's sequence requires another: tell the user and stop reading.
    void conversionError();
};

// Rebuilds a melody from the key text of a phone type. The result always ends with a blank. An
// index outside 2 to 40 gives just that blank.
std::u16string readKeys(int typeIndex, std::u16string_view keyText, melody::ParserState& state,
                        IInteractive& ui);

} // namespace sarvo::keyguide
