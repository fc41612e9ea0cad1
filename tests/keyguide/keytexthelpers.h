#pragma once
// Builds key texts from press groups, so tests read like the guide a user sees.

#include "keyguide/keycells.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace sarvo::keyguide {

inline std::u16string cells(std::initializer_list<std::u16string_view> groups) {
    std::u16string text;
    for (std::u16string_view group : groups)
        text += makeCell(group);
    return text;
}

} // namespace sarvo::keyguide
