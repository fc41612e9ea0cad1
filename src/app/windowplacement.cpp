#include "app/windowplacement.h"

#include <charconv>
#include <cmath>
#include <string>

namespace sarvo::app {
namespace {

std::optional<int> parseNumber(std::u16string_view text) {
    std::string ascii;
    for (const char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    // Settings writers may pad with blanks.
    const size_t first = ascii.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const size_t last = ascii.find_last_not_of(' ');
    const std::string_view digits(ascii.data() + first, last - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::u16string numberText(int value) {
    const std::string text = std::to_string(value);
    return {text.begin(), text.end()};
}

std::u16string columnKey(int column) {
    return u"lvw" + numberText(column) + u"Width";
}

} // namespace

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

WindowPlacement
readPlacement(const std::function<std::u16string(std::u16string_view key)>& lookup) {
    WindowPlacement placement;
    placement.height = parseNumber(lookup(u"Height"));
    placement.width = parseNumber(lookup(u"Width"));
    placement.splitTop = parseNumber(lookup(u"SplitTop"));
    for (int column = 1; column <= kStoredColumnCount; ++column)
        placement.columnWidths[static_cast<size_t>(column - 1)] =
            parseNumber(lookup(columnKey(column)));
    return placement;
}

std::vector<std::pair<std::u16string, std::u16string>>
placementEntries(const WindowPlacement& placement) {
    std::vector<std::pair<std::u16string, std::u16string>> entries;
    auto add = [&entries](std::u16string key, const std::optional<int>& value) {
        if (value)
            entries.emplace_back(std::move(key), numberText(*value));
    };
    add(u"SplitTop", placement.splitTop);
    for (int column = 1; column <= kStoredColumnCount; ++column)
        add(columnKey(column), placement.columnWidths[static_cast<size_t>(column - 1)]);
    add(u"Top", placement.top);
    add(u"Left", placement.left);
    add(u"Height", placement.height);
    add(u"Width", placement.width);
    return entries;
}

Point centredPosition(int areaX, int areaY, int areaWidth, int areaHeight, int width, int height) {
    return {areaX + (areaWidth - width) / 2, areaY + (areaHeight - height) / 2};
}

} // namespace sarvo::app
