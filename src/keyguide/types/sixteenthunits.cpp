#include "keyguide/types/sixteenthunits.h"

#include "melody/notecodes.h"

namespace sarvo::keyguide {

int sixteenthsOnPhone(char16_t code, bool dotted) {
    if (!melody::isNoteCode(code) && !melody::isRestCode(code))
        return 0;
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'E': return 1;
    case u'2': return 3;
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return melody::lengthTicks(code, dotted) / melody::kTicksPerSixteenth;
    }
}

UnitPlan listedSixteenthUnits(const melody::Note& note, std::span<const ListedLength> lengths) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const int total = sixteenthsOnPhone(code, note.dot == u".");
    if (total == 0)
        return UnitPlan{1, code, false, code};
    const bool rest = melody::isRestCode(code);
    auto sixteenths = [](const ListedLength& l) {
        return melody::lengthTicks(l.noteCode, l.dotted) / melody::kTicksPerSixteenth;
    };
    const ListedLength* first = nullptr;
    for (const ListedLength& length : lengths)
        if (sixteenths(length) <= total && (!first || sixteenths(length) > sixteenths(*first)))
            first = &length;
    if (!first)
        return UnitPlan{1, code, false, code};
    const int left = total - sixteenths(*first);
    const ListedLength* filler = nullptr;
    if (left > 0)
        for (const ListedLength& length : lengths)
            if (!length.dotted && left % sixteenths(length) == 0 &&
                (!filler || sixteenths(length) > sixteenths(*filler)))
                filler = &length;
    UnitPlan plan{1, rest ? melody::restCodeOf(first->noteCode) : first->noteCode, first->dotted,
                  melody::restCodeOf(first->noteCode)};
    if (filler) {
        plan.units += left / sixteenths(*filler);
        plan.extraCode = melody::restCodeOf(filler->noteCode);
    }
    return plan;
}

} // namespace sarvo::keyguide
