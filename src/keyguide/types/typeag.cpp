// Type-AG: 128 entries (the guide stops once more have been typed), all three octaves
// and sharps. A note is its digit key, then "＊" pressed once per step past the middle natural
// (middle sharp, high, high sharp, low, low sharp), then "０" pressed n times for the n-th
// length of the phone's list; "８" is a rest, followed by the same length presses. The guide
// writes the count of "＊" and "０" even for one press.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/pitchsteps.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"８";
constexpr std::u16string_view kStepKey = u"＊";
constexpr std::u16string_view kLengthKey = u"０";
// Presses of "０", from 1: longest first.
constexpr std::array<std::u16string_view, 9> kLengths = {u"",  u"A",  u"B.", u"B", u"C.",
                                                         u"C", u"D.", u"D",  u"E"};

std::u16string counted(std::u16string_view key, int presses) {
    return std::u16string(key) + pressCount(presses);
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::u16string name = lengthNameOf(note);
    int presses = 0;
    for (size_t i = 1; i < kLengths.size(); ++i)
        if (kLengths[i] == name)
            presses = static_cast<int>(i);
    if (presses == 0)
        return; // a code with no length on this phone: nothing to type
    if (melody::isRestCode(code)) {
        conversion.appendCell(kRestKey);
    } else {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const std::optional<int> step = pitchStepOf(note);
        if (key.empty() || !step)
            return;
        conversion.appendCell(key);
        if (*step > 0)
            conversion.appendCell(counted(kStepKey, *step));
    }
    conversion.appendCell(counted(kLengthKey, presses));
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kStepKey || group.key == kLengthKey) {
        reading.conversionError(); // a step or length key where a note or rest belongs
        return;
    }
    Note& note = reading.note;
    const bool rest = group.key == kRestKey;
    int consumed = 0;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // an unknown key: a rest of the note's length
            return;
        }
        if (const PressGroup step = pressGroupOf(reading.lookahead[0]); step.key == kStepKey) {
            setPitchStep(note, step.count);
            ++consumed;
        }
    }
    // Every note and rest ends with its length presses.
    const PressGroup length = pressGroupOf(reading.lookahead[static_cast<size_t>(consumed)]);
    if (length.key != kLengthKey || length.count < 1 ||
        length.count >= static_cast<int>(kLengths.size())) {
        reading.conversionError();
        return;
    }
    reading.skipCells(consumed + 1);
    setLength(note, kLengths[static_cast<size_t>(length.count)], rest);
    if (rest)
        reading.appendToken(note.length + note.dot);
    else
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeAGRules() {
    static const PhoneTypeRules rules{
        .index = 34,
        .limit = 128,
        .limitRule = LimitRule::StopAfterLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
