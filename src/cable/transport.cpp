#include "cable/transport.h"

#include <charconv>
#include <string>

namespace sarvo::cable {

std::optional<LineSettings> parseLineSettings(std::u16string_view text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 127)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    const size_t comma = ascii.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    LineSettings settings;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + comma, settings.baud);
    if (error != std::errc() || end != ascii.data() + comma || settings.baud <= 0)
        return std::nullopt;
    const std::string rest = ascii.substr(comma + 1);
    if (rest == "E,8,1")
        settings.evenParity = true;
    else if (rest == "N,8,1")
        settings.evenParity = false;
    else
        return std::nullopt;
    return settings;
}

std::u16string lineSettingsText(const LineSettings& settings) {
    std::u16string text;
    for (char c : std::to_string(settings.baud))
        text += static_cast<char16_t>(c);
    return text + (settings.evenParity ? u",E,8,1" : u",N,8,1");
}

} // namespace sarvo::cable
