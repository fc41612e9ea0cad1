#pragma once
// The note-length keys: ten entries, 0 to 4 the notes A to E and 6 to 10 the rests F to J, with
// the gap at 5 where the length toolbar separates note and rest buttons. Entry i is toolbar
// button i + 1; button 13 is the dot.

#include <cstdint>
#include <optional>

namespace sarvo::melody {

inline constexpr int kLengthEntries = 11; // entries 0 to 10, 5 unused
inline constexpr int kLengthGapEntry = 5;
inline constexpr int kDotButton = 13;

// The length code of an entry: A to E, F to J; 0 for the gap and entries outside the table.
char16_t lengthCodeOfEntry(int entry);
bool isRestEntry(int entry);
// The key that chooses an entry: the length code itself under key map 0, the digits 0 to 4 and
// 5 to 9 under maps 1 and 2; 0 for the gap.
uint16_t lengthKeyOfEntry(int keyMap, int entry);
// The entry whose key under the map is this key code.
std::optional<int> findLengthEntry(int keyMap, uint16_t keyCode);
// The entry of a plain length code A to J.
std::optional<int> lengthEntryOfCode(char16_t code);

} // namespace sarvo::melody
