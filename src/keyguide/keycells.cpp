#include "keyguide/keycells.h"

namespace sarvo::keyguide {

std::u16string makeCell(std::u16string_view keys) {
    std::u16string cell(keys.substr(0, kCellWidth));
    cell.resize(kCellWidth, kCellPad);
    return cell;
}

std::u16string fullWidthNumber(int n) {
    std::u16string out;
    for (char c : std::to_string(n))
        out += c == '-' ? u'－' : static_cast<char16_t>(u'０' + (c - '0'));
    return out;
}

std::u16string pressCount(int n) {
    return u"×" + fullWidthNumber(n);
}

std::optional<int> parseCount(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) {
        if (c >= u'０' && c <= u'９')
            narrow += static_cast<char>('0' + (c - u'０'));
        else if (c >= u'0' && c <= u'9')
            narrow += static_cast<char>(c);
        else if (c == u' ' || c == kCellPad)
            narrow += ' ';
        else
            return std::nullopt;
    }
    const size_t first = narrow.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const size_t last = narrow.find_last_not_of(' ');
    narrow = narrow.substr(first, last - first + 1);
    if (narrow.find(' ') != std::string::npos || narrow.size() > 6)
        return std::nullopt;
    return std::stoi(narrow);
}

} // namespace sarvo::keyguide
