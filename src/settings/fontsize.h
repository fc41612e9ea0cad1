#pragma once
// The check of a font size typed or chosen in the settings dialog: a whole number from 1 to 90.
// Each way of changing the field has its own message, so the user sees where the bad value came
// from.

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::settings {

inline constexpr int kLargestFontSize = 90;

// How the size field changed: typing, a choice from its list, or leaving the field.
enum class FontSizeEvent { Change, Click, LostFocus };

struct FontSizeCheck {
    std::optional<int> size;   // the accepted size
    std::u16string_view error; // the message for a refused text; empty when accepted
};

// "数値しか入力できません。:<event>" for a text that is no number, "0は、入力できません。" for 0;
// a size above 90 is taken as 90.
// An empty field while typing is neither accepted nor refused: the user is not done yet.
FontSizeCheck checkFontSize(std::u16string_view text, FontSizeEvent event);

} // namespace sarvo::settings
