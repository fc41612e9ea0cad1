#pragma once
// A press group is one key pressed some number of times, written as the key alone for one press
// and as the key, "×" and the count for more. The types that count presses (a length, an octave
// step, a sharp change) write and read their groups with these helpers.

#include <string>
#include <string_view>

namespace sarvo::keyguide {

struct KeyConversion;
struct KeyReading;

// The presses of a key pressed n times: nothing for 0, the key alone for 1, otherwise the key
// and "×n".
std::u16string pressGroup(std::u16string_view key, int presses);

// A press group read back from a cell. A missing count is one press, and so is a count that
// cannot be read.
struct PressGroup {
    std::u16string key;
    int count = 1;
};
PressGroup pressGroupOf(std::u16string_view cell);

// The cell at the reader position, read as one press group.
PressGroup currentPressGroup(const KeyReading& reading);

// Appends a cell, first "→" when its key is the key the phone saw last; the key becomes the one
// the phone saw last.
void appendAfterCursorIfRepeated(KeyConversion& conversion, std::u16string_view key,
                                 std::u16string_view cell);

} // namespace sarvo::keyguide
