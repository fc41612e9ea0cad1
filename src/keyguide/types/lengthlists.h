#pragma once
// Phones that set a note's length with a length key: the key pressed n times picks the n-th
// length of a numbered list the phone holds (Type-AA, Type-AB, Type-AD). Each unit typed is one
// length of the lists, so a melody's lengths are first mapped onto such units.

#include "keyguide/keyconversion.h"
#include "keyguide/types/pressgroups.h"
#include "melody/note.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

// A length as the lists name it: the note code and its dot, for example "C" or "D.". A rest is
// named by the note of the same length.
std::u16string lengthNameOf(const melody::Note& note);

// One numbered list and the key that selects from it. An empty entry is a number the list
// leaves unused.
struct KeyedLengthList {
    std::u16string_view key;
    std::span<const std::u16string_view> lengths;
};
using KeyedLengthLists = std::span<const KeyedLengthList>;

// The length cell of a length name: the numbers are tried from 0 up and, at each number, the
// lists in order; the first list holding the name at that number gives its key pressed that
// many times ("" for number 0). nullopt when no list holds the name.
std::optional<std::u16string> lengthCellOf(KeyedLengthLists lists, std::u16string_view name);

// The list selected by a key; nullptr when the key is not a length key of these lists.
const KeyedLengthList* listOfKey(KeyedLengthLists lists, std::u16string_view key);
// The length a press group selects from its list; "" for a number the list lacks.
std::u16string_view lengthOfPresses(const KeyedLengthList& list, const PressGroup& group);

// Sets a read-back note's length code and dot from a length name; a rest takes the rest code of
// that length.
void setLength(melody::Note& note, std::u16string_view name, bool rest);

// The units of a note on these phones. A dotted whole note (or rest) has no list entry and is
// typed as the whole and a half rest, dot dropped; dotted sixteenths lose their dot; a
// quarter-note triplet becomes a dotted eighth (its rest a dotted eighth rest) and the shorter
// tuplets a sixteenth (their rests a sixteenth rest). Every other code is one unit of itself.
UnitPlan listLengthUnits(const melody::Note& note);

} // namespace sarvo::keyguide
