#include "keyguide/types/lengthlists.h"

#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {

std::u16string lengthNameOf(const melody::Note& note) {
    if (note.length.empty())
        return {};
    const char16_t code = note.length[0];
    std::u16string name(1, melody::isRestCode(code) ? melody::noteCodeOf(code) : code);
    return name + note.dot;
}

std::optional<std::u16string> lengthCellOf(KeyedLengthLists lists, std::u16string_view name) {
    size_t longest = 0;
    for (const KeyedLengthList& list : lists)
        longest = std::max(longest, list.lengths.size());
    for (size_t number = 0; number < longest; ++number)
        for (const KeyedLengthList& list : lists)
            if (number < list.lengths.size() && !name.empty() && list.lengths[number] == name)
                return pressGroup(list.key, static_cast<int>(number));
    return std::nullopt;
}

const KeyedLengthList* listOfKey(KeyedLengthLists lists, std::u16string_view key) {
    for (const KeyedLengthList& list : lists)
        if (list.key == key)
            return &list;
    return nullptr;
}

std::u16string_view lengthOfPresses(const KeyedLengthList& list, const PressGroup& group) {
    if (group.count < 0 || static_cast<size_t>(group.count) >= list.lengths.size())
        return {};
    return list.lengths[static_cast<size_t>(group.count)];
}

void setLength(melody::Note& note, std::u16string_view name, bool rest) {
    if (name.empty())
        return;
    note.length = std::u16string(1, rest ? melody::restCodeOf(name[0]) : name[0]);
    note.dot = std::u16string(name.substr(1));
}

UnitPlan listLengthUnits(const melody::Note& note) {
    UnitPlan plan = singleUnit(note);
    switch (plan.workingCode) {
    case u'A':
    case u'F':
        if (plan.dotted)
            plan = UnitPlan{2, plan.workingCode, false, u'G'};
        break;
    case u'E':
    case u'J': plan.dotted = false; break;
    case u'2': plan = UnitPlan{1, u'D', true, u'J'}; break;
    case u'\\': plan = UnitPlan{1, u'I', true, u'J'}; break;
    case u'3':
    case u'5':
    case u'6': plan = UnitPlan{1, u'E', false, u'J'}; break;
    case u']':
    case u'_':
    case u'`': plan = UnitPlan{1, u'J', false, u'J'}; break;
    default: break;
    }
    return plan;
}

} // namespace sarvo::keyguide
