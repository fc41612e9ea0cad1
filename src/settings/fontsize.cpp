#include "settings/fontsize.h"

#include "settings/profilenumbers.h"

#include <algorithm>
#include <array>

namespace sarvo::settings {
namespace {

constexpr std::array<std::u16string_view, 3> kNotNumberMessages = {
    u"数値しか入力できません。:Change:text=",
    u"数値しか入力できません。:Click",
    u"数値しか入力できません。:LostFocus",
};

} // namespace

FontSizeCheck checkFontSize(std::u16string_view text, FontSizeEvent event) {
    if (text.empty() && event == FontSizeEvent::Change)
        return {};
    const std::optional<int> number = integerFrom(text);
    if (!number || *number < 0)
        return {std::nullopt, kNotNumberMessages[static_cast<size_t>(event)]};
    if (*number == 0)
        return {std::nullopt, u"0は、入力できません。"};
    // The list ends at the largest size the file keeps; a larger number is taken as it.
    return {std::min(*number, kLargestFontSize), {}};
}

} // namespace sarvo::settings
