// Type-AJ: 64 entries (the guide stops once more have been typed), all three octaves
// and sharps, every note an eighth. A note is its digit key, then "９", which takes it, then
// "＊" pressed once per step past the middle natural (middle sharp, high, high sharp, low, low
// sharp), the count written even for one press; "９" with no note before it is an eighth rest.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/eighthentries.h"
#include "keyguide/types/pitchsteps.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kTakeKey = u"９";
constexpr std::u16string_view kStepKey = u"＊";

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isRestCode(code)) {
        conversion.appendCell(kTakeKey);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    const std::optional<int> step = pitchStepOf(note);
    if (!melody::isNoteCode(code) || key.empty() || !step)
        return;
    conversion.appendCell(key);
    conversion.appendCell(kTakeKey);
    if (*step > 0)
        conversion.appendCell(std::u16string(kStepKey) + pressCount(*step));
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, eighthEntryUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    if (key == kTakeKey) {
        reading.appendToken(u"I");
        return;
    }
    if (key == kStepKey) {
        reading.conversionError(); // steps with no note before them
        return;
    }
    Note& note = reading.note;
    note.pitch = pitchNameOfDigitKey(key);
    if (note.pitch.empty()) {
        reading.appendNote(); // an unknown key: an eighth rest
        return;
    }
    if (reading.lookahead[0].substr(0, 1) != kTakeKey) {
        reading.conversionError();
        return;
    }
    int consumed = 1;
    if (const PressGroup step = pressGroupOf(reading.lookahead[1]); step.key == kStepKey) {
        setPitchStep(note, step.count);
        ++consumed;
    }
    reading.skipCells(consumed);
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeAJRules() {
    static const PhoneTypeRules rules{
        .index = 37,
        .limit = 64,
        .limitRule = LimitRule::StopAfterLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
