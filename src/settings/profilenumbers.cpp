#include "settings/profilenumbers.h"

#include <charconv>
#include <limits>

namespace sarvo::settings {

std::optional<int> integerIn(std::u16string_view text, int low, int high) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    int value = 0;
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size() ||
        value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> integerFrom(std::u16string_view text) {
    return integerIn(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

std::u16string numberText(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string_view flagText(bool on) {
    return on ? u"1" : u"0";
}

std::optional<bool> flagFromText(std::u16string_view text) {
    if (text == u"0")
        return false;
    if (text == u"1")
        return true;
    return std::nullopt;
}

} // namespace sarvo::settings
