// Type-K: sixty-four notes, every octave and sharp. A note is typed as its digit key; "８" pressed
// once for the sharp, twice for the high octave, three times for the high sharp, four times for
// the low octave and five times for the low sharp; "０" pressed once per step through the phone's
// list of lengths (none for an eighth); and "＃" to enter it. A rest is its length presses and
// "＃". The phone holds at most a half note: longer notes go on as rests.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kPitchKey = u"８";
constexpr std::u16string_view kLengthKey = u"０";
constexpr std::u16string_view kEnter = u"＃";

constexpr std::array<std::u16string_view, 6> kLengthList = {u"D", u"D.", u"C", u"C.", u"B", u"E"};
constexpr std::array<KeyedLengthList, 1> kLengths = {KeyedLengthList{kLengthKey, kLengthList}};

// Octaves in the order the "８" presses reach them, two presses (natural, sharp) each.
constexpr std::array<std::u16string_view, 3> kOctaveByPresses = {u"中", u"高", u"低"};

// A whole note is a half and a half rest (a dotted whole a half and two half rests), a dotted
// half a half and a quarter rest; a quarter-note triplet is a dotted eighth, the shorter tuplets
// a sixteenth and a dotted sixteenth a sixteenth.
UnitPlan planUnits(const Note& note) {
    UnitPlan plan = singleUnit(note);
    const bool dotted = plan.dotted;
    switch (plan.workingCode) {
    case u'A': return UnitPlan{dotted ? 3 : 2, u'B', false, u'G'};
    case u'F': return UnitPlan{dotted ? 3 : 2, u'G', false, u'G'};
    case u'B': return dotted ? UnitPlan{2, u'B', false, u'H'} : plan;
    case u'G': return dotted ? UnitPlan{2, u'G', false, u'H'} : plan;
    case u'E':
    case u'J': plan.dotted = false; return plan;
    case u'2': return UnitPlan{1, u'D', true, u'I'};
    case u'\\': return UnitPlan{1, u'I', true, u'I'};
    case u'3':
    case u'5':
    case u'6': return UnitPlan{1, u'E', false, u'J'};
    case u']':
    case u'_':
    case u'`': return UnitPlan{1, u'J', false, u'J'};
    default: return plan;
    }
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<std::u16string> length = lengthCellOf(kLengths, lengthNameOf(note));
    if (!length)
        return; // nothing the phone can type; the note still counts
    if (melody::isNoteCode(code)) {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const int octave = octavePressIndex(note.octave);
        if (key.empty() || octave < 0)
            return;
        const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
        conversion.appendCell(key);
        if (const int presses = 2 * octave + (sharp ? 1 : 0); presses > 0)
            conversion.appendCell(pressGroup(kPitchKey, presses));
    }
    if (!length->empty())
        conversion.appendCell(*length);
    conversion.appendCell(kEnter);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    Note& note = reading.note;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kEnter) { // a rest with no length presses: an eighth rest
        reading.appendNote();
        return;
    }
    const bool rest = group.key == kLengthKey;
    size_t next = 0; // the look-ahead cell the next part of the note comes in
    auto takeLength = [&](const PressGroup& presses) {
        const std::u16string_view name = lengthOfPresses(kLengths[0], presses);
        setLength(note, name, false);
        return !name.empty();
    };
    bool lengthKnown = true;
    if (rest) {
        lengthKnown = takeLength(group);
    } else {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // a key this phone does not have: a rest of an eighth
            return;
        }
        if (const PressGroup pitch = pressGroupOf(reading.lookahead[next]);
            pitch.key == kPitchKey) {
            const int step = std::max(pitch.count, 0) % 6;
            note.octave = kOctaveByPresses[static_cast<size_t>(step / 2)];
            if (step % 2 && pitchHasSharp(note.pitch))
                note.sharp = u"#";
            ++next;
        }
        if (const PressGroup length = pressGroupOf(reading.lookahead[next]);
            length.key == kLengthKey) {
            lengthKnown = takeLength(length);
            ++next;
        }
    }
    // Every note and rest is entered with "＃"; a count beyond the list is no length.
    if (!lengthKnown || pressGroupOf(reading.lookahead[next]).key != kEnter) {
        reading.conversionError();
        return;
    }
    reading.skipCells(static_cast<int>(next) + 1);
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeKRules() {
    static const PhoneTypeRules rules{
        .index = 12,
        .limit = 64,
        .limitRule = LimitRule::StopAtLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
