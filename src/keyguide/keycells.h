#pragma once
// Key text: the keypad presses of a phone type, as cells of exactly five characters with no
// separator. A cell holds one press group such as "１×３", "０" or "→", padded on the right with
// ideographic spaces (U+3000).

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

inline constexpr size_t kCellWidth = 5;
inline constexpr char16_t kCellPad = u'　';

// The press group padded to a cell. Longer groups are a converter's mistake; they are cut so
// that the key text keeps its five-character grid.
std::u16string makeCell(std::u16string_view keys);

// A number in full-width digits, for example 12 as "１２".
std::u16string fullWidthNumber(int n);
// "×" and the number in full-width digits: the press count written after a key.
std::u16string pressCount(int n);

// Reads a count written in full-width or narrow digits, ignoring blanks around it.
std::optional<int> parseCount(std::u16string_view text);

} // namespace sarvo::keyguide
