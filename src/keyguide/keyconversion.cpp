#include "keyguide/keyconversion.h"

#include "keyguide/keycells.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"

namespace sarvo::keyguide {

void KeyConversion::appendCell(std::u16string_view keys) {
    lastCellOffset = keyText.size();
    const std::u16string_view group = keys.substr(0, kCellWidth);
    keyText.append(group);
    keyText.append(kCellWidth - group.size(), kCellPad);
}

void KeyConversion::replaceLastCell(std::u16string_view keys) {
    if (lastCellOffset < keyText.size())
        keyText.replace(lastCellOffset, kCellWidth, makeCell(keys));
}

UnitPlan singleUnit(const melody::Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    return UnitPlan{1, code, note.dot == u".", melody::restCodeOf(code)};
}

void emitUnits(KeyConversion& conversion, UnitPlan plan,
               const std::function<void(KeyConversion&)>& emitUnit) {
    melody::Note& note = conversion.state.currentNote;
    for (int round = 0; round <= note.tieCount; ++round) {
        for (int unit = 0; unit < plan.units; ++unit) {
            ++conversion.unitCounter;
            char16_t code = plan.extraCode;
            if (unit == 0)
                code = round == 0 ? plan.workingCode : melody::restCodeOf(plan.workingCode);
            note.length = std::u16string(1, code);
            if (unit == 0 && plan.dotted)
                note.dot = u".";
            else
                note.dot.clear();
            emitUnit(conversion);
            melody::savePreviousNote(conversion.state);
        }
    }
}

void emitNoteUnits(KeyConversion& conversion, UnitPlan plan,
                   const std::function<void(KeyConversion&)>& emitUnit) {
    const int counted = conversion.unitCounter + 1;
    emitUnits(conversion, plan, emitUnit);
    conversion.unitCounter = counted;
}

namespace {

bool limitReached(const PhoneTypeRules& rules, int counter) {
    switch (rules.limitRule) {
    case LimitRule::StopAtLimit: return counter >= rules.limit;
    case LimitRule::StopAfterLimit: return counter > rules.limit;
    case LimitRule::None: break;
    }
    return false;
}

} // namespace

std::u16string convertToKeys(int typeIndex, std::u16string_view melody, melody::ParserState& state,
                             IInteractive& ui) {
    const PhoneTypeRules* rules = rulesFor(typeIndex);
    if (!rules)
        return {};
    state.mergeRepeats = rules->mergeRepeats;

    KeyConversion conversion{state, ui, {}, 0, {}};
    state.readPos = 1;
    melody::resetPreviousNote(state);
    // Rests leave the pitch fields as the last note set them, so that a note after a rest moves
    // relative to the last sounding note; a conversion starts from cleared fields so that its
    // result never depends on an earlier walk.
    state.currentNote.clearText();
    // The limit is tested once per note, so the last note may carry the key text past it.
    while (!limitReached(*rules, conversion.unitCounter)) {
        if (!melody::readNextNote(state, melody))
            break;
        rules->convertNote(conversion);
        melody::savePreviousNote(state);
    }
    return std::move(conversion.keyText);
}

} // namespace sarvo::keyguide
