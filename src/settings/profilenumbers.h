#pragma once
// Numbers and check-box states as the settings file stores them: decimal text and "0"/"1".

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::settings {

// A whole decimal number within [low, high]; nullopt for anything else, blanks included.
std::optional<int> integerIn(std::u16string_view text, int low, int high);
std::optional<int> integerFrom(std::u16string_view text);
std::u16string numberText(int value);

std::u16string_view flagText(bool on);
// "0" false, "1" true, nullopt otherwise.
std::optional<bool> flagFromText(std::u16string_view text);

} // namespace sarvo::settings
