#include "keyguide/types/pressgroups.h"

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"

namespace sarvo::keyguide {

std::u16string pressGroup(std::u16string_view key, int presses) {
    if (presses <= 0)
        return {};
    if (presses == 1)
        return std::u16string(key);
    return std::u16string(key) + pressCount(presses);
}

PressGroup pressGroupOf(std::u16string_view cell) {
    const size_t end = cell.find_last_not_of(kCellPad);
    cell = end == std::u16string_view::npos ? std::u16string_view() : cell.substr(0, end + 1);
    const size_t times = cell.find(u'×');
    if (times == std::u16string_view::npos)
        return {std::u16string(cell), 1};
    return {std::u16string(cell.substr(0, times)), parseCount(cell.substr(times + 1)).value_or(1)};
}

PressGroup currentPressGroup(const KeyReading& reading) {
    std::u16string cell;
    for (const std::u16string& key : reading.keys)
        cell += key;
    return pressGroupOf(cell);
}

void appendAfterCursorIfRepeated(KeyConversion& conversion, std::u16string_view key,
                                 std::u16string_view cell) {
    if (key == conversion.previousKey)
        conversion.appendCell(u"→");
    conversion.appendCell(cell);
    conversion.previousKey = key;
}

} // namespace sarvo::keyguide
