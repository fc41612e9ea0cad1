#include "keyguide/keyconversion.h"

#include "keyguide/keycells.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"

#include <limits>

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

UnitPlan heldUnit(const melody::Note& note) {
    UnitPlan plan = singleUnit(note);
    plan.tiesHeld = true;
    return plan;
}

namespace {

// Where the key text stood before a unit: a unit that does not fit a phone counting entries is
// taken back, cells it may have joined to the last cell written included.
struct TypedBefore {
    size_t size = 0;
    size_t lastCellOffset = std::u16string::npos;
    std::u16string lastCell;

    explicit TypedBefore(const KeyConversion& conversion)
        : size(conversion.keyText.size())
        , lastCellOffset(conversion.lastCellOffset) {
        if (lastCellOffset < size)
            lastCell = conversion.keyText.substr(lastCellOffset, kCellWidth);
    }
    void restore(KeyConversion& conversion) const {
        conversion.keyText.resize(size);
        if (lastCellOffset < size)
            conversion.keyText.replace(lastCellOffset, kCellWidth, lastCell);
        conversion.lastCellOffset = lastCellOffset;
    }
};

// Types one unit on a phone that counts entries. A unit that added no cell joined the entry
// before it or typed nothing.
void typeEntry(KeyConversion& conversion, const std::function<void(KeyConversion&)>& emitUnit) {
    const TypedBefore before(conversion);
    emitUnit(conversion);
    if (conversion.keyText.size() == before.size)
        return;
    const melody::Note& note = conversion.state.currentNote;
    const bool sharpNote = melody::isNoteCode(note.length[0]) && note.sharp == u"#";
    conversion.unitCounter += sharpNote ? conversion.rules.sharpEntries : 1;
    const std::optional<int> most = mostCounted(conversion.rules);
    if (most && conversion.unitCounter > *most) {
        before.restore(conversion);
        conversion.full = true;
    }
}

} // namespace

void emitUnits(KeyConversion& conversion, UnitPlan plan,
               const std::function<void(KeyConversion&)>& emitUnit) {
    melody::Note& note = conversion.state.currentNote;
    const int rounds = plan.tiesHeld ? 1 : note.tieCount + 1;
    for (int round = 0; round < rounds; ++round) {
        for (int unit = 0; unit < plan.units; ++unit) {
            char16_t code = plan.extraCode;
            if (unit == 0)
                code = round == 0 ? plan.workingCode : melody::restCodeOf(plan.workingCode);
            note.length = std::u16string(1, code);
            if (unit == 0 && plan.dotted)
                note.dot = u".";
            else
                note.dot.clear();
            switch (conversion.rules.limitCounts) {
            case LimitCount::Units:
                ++conversion.unitCounter;
                emitUnit(conversion);
                break;
            case LimitCount::Notes: emitUnit(conversion); break; // the frame counts the note
            case LimitCount::Entries: typeEntry(conversion, emitUnit); break;
            }
            if (conversion.full)
                return;
            melody::savePreviousNote(conversion.state);
        }
    }
}

std::optional<int> mostCounted(const PhoneTypeRules& rules) {
    switch (rules.limitRule) {
    case LimitRule::StopAtLimit: return rules.limit;
    case LimitRule::StopAfterLimit: return rules.limit + 1;
    case LimitRule::None: break;
    }
    return std::nullopt;
}

std::u16string convertToKeys(int typeIndex, std::u16string_view melody, melody::ParserState& state,
                             IInteractive& ui) {
    const PhoneTypeRules* rules = rulesFor(typeIndex);
    if (!rules)
        return {};
    state.mergeRepeats = rules->mergeRepeats;

    KeyConversion conversion{state, ui, *rules};
    state.readPos = 1;
    melody::resetPreviousNote(state);
    // Rests leave the pitch fields as the last note set them, so that a note after a rest moves
    // relative to the last sounding note; a conversion starts from cleared fields so that its
    // result never depends on an earlier walk.
    state.currentNote.clearText();
    // The limit is tested once per note; only on a phone that counts its entries is the last note
    // cut where the phone is full.
    const int most = mostCounted(*rules).value_or(std::numeric_limits<int>::max());
    while (!conversion.full && conversion.unitCounter < most) {
        if (!melody::readNextNote(state, melody))
            break;
        if (rules->limitCounts == LimitCount::Notes)
            ++conversion.unitCounter;
        rules->convertNote(conversion);
        melody::savePreviousNote(state);
    }
    return std::move(conversion.keyText);
}

} // namespace sarvo::keyguide
