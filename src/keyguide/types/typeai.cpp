// Type-AI: 64 entries (the guide stops once more have been typed), all three octaves
// and sharps, every note an eighth. A note is its digit key pressed once for the middle natural
// and once more per step through middle sharp, high, high sharp, low and low sharp (written out
// key by key, as the phone has no count), then "▼" to go on to the next entry; "▼" alone skips
// an entry, an eighth rest.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/eighthentries.h"
#include "keyguide/types/pitchsteps.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kNextKey = u"▼";

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isNoteCode(code)) {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const std::optional<int> step = pitchStepOf(note);
        if (key.empty() || !step)
            return;
        // Up to six presses: as many as fit in a cell, the rest in the next one.
        for (int presses = *step + 1; presses > 0;) {
            const int inCell = std::min(presses, static_cast<int>(kCellWidth));
            std::u16string cell;
            for (int i = 0; i < inCell; ++i)
                cell += key;
            conversion.appendCell(cell);
            presses -= inCell;
        }
    } else if (!melody::isRestCode(code)) {
        return;
    }
    conversion.appendCell(kNextKey);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, eighthEntryUnits(conversion.state.currentNote), emitUnit);
}

// Presses of one key filling a cell; 0 when the cell holds any other key.
int pressesOf(std::u16string_view cell, std::u16string_view key) {
    int presses = 0;
    for (char16_t c : cell) {
        if (c == kCellPad)
            continue;
        if (std::u16string_view(&c, 1) != key)
            return 0;
        ++presses;
    }
    return presses;
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    if (key == kNextKey) {
        reading.appendToken(u"I");
        return;
    }
    Note& note = reading.note;
    note.pitch = pitchNameOfDigitKey(key);
    if (note.pitch.empty()) {
        reading.appendNote(); // an unknown key: an eighth rest
        return;
    }
    std::u16string cell;
    for (const std::u16string& k : reading.keys)
        cell += k;
    int presses = pressesOf(cell, key);
    size_t next = 0;
    for (int more;
         next < reading.lookahead.size() && (more = pressesOf(reading.lookahead[next], key)) > 0;
         ++next)
        presses += more;
    // Each note ends with "▼"; anything else (another key inside the cell included) is wrong.
    if (presses == 0 || next >= reading.lookahead.size() ||
        pressesOf(reading.lookahead[next], kNextKey) != 1) {
        reading.conversionError();
        return;
    }
    reading.skipCells(static_cast<int>(next) + 1);
    setPitchStep(note, presses - 1);
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeAIRules() {
    static const PhoneTypeRules rules{
        .index = 36,
        .limit = 64,
        .limitRule = LimitRule::StopAfterLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
