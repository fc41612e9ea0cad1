#include "keyguide/types/fixedlengthkeys.h"

#include "keyguide/types/pressgroups.h"
#include "keyguide/types/sixteenthunits.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {
namespace {

using melody::Note;

// Eighths a length lasts: the plain and dotted quarters, halves and wholes keep their time;
// every shorter length, the tuplets included, takes one eighth.
int eighthsOf(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const int sixteenths = sixteenthsOnPhone(code, note.dot == u".");
    return std::max(1, sixteenths / 2);
}

int pitchesPerOctave(std::u16string_view pitch) {
    return pitchHasSharp(pitch) ? 2 : 1;
}

void emitUnit(KeyConversion& conversion, const FixedLengthPhone& phone) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isRestCode(code)) {
        if (!phone.restKey.empty()) {
            conversion.appendCell(phone.restKey);
            conversion.previousKey = phone.restKey;
        }
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    if (!melody::isNoteCode(code) || key.empty() || !melody::octaveIndex(note.octave))
        return; // nothing the phone can type; the note still counts
    if (note.octave == u"低" && !phone.restKey.empty()) {
        conversion.appendCell(phone.restKey); // no low octave: the note becomes a rest
        conversion.previousKey = phone.restKey;
        return;
    }
    // Without a rest key, a low note is typed an octave up, and on a phone without pitch
    // presses every note is typed as the middle natural of its name.
    std::u16string cell(key);
    if (phone.pitchPresses) {
        const int octave = note.octave == u"高" ? 1 : 0;
        const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
        cell = pressGroup(key, octave * pitchesPerOctave(note.pitch) + (sharp ? 1 : 0) + 1);
    }
    if (phone.cursorBeforeSameKey)
        appendAfterCursorIfRepeated(conversion, key, cell);
    else
        conversion.appendCell(cell);
    conversion.previousKey = key;
}

} // namespace

void convertFixedLengthNote(KeyConversion& conversion, const FixedLengthPhone& phone) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool rest = melody::isRestCode(code);
    const char16_t unitCode = rest ? u'I' : melody::isNoteCode(code) ? u'D' : code;
    UnitPlan plan{eighthsOf(note), unitCode, false, u'I'};
    switch (phone.longNotes) {
    case LongNotes::RepeatedNote: // ties too are further eighths of the same note
        plan.units *= note.tieCount + 1;
        plan.extraCode = unitCode;
        plan.tiesHeld = true;
        break;
    case LongNotes::NoteThenRests: break;
    case LongNotes::OneEighth:
        plan.units = 1;
        plan.tiesHeld = true;
        break;
    }
    emitUnits(conversion, plan, [&phone](KeyConversion& c) { emitUnit(c, phone); });
}

void readFixedLengthCell(KeyReading& reading, const FixedLengthPhone& phone) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (!phone.restKey.empty() && group.key == pressGroupOf(phone.restKey).key) {
        if (group.count != pressGroupOf(phone.restKey).count) {
            reading.conversionError(); // the rest key pressed another number of times
            return;
        }
        reading.appendToken(u"I");
        return;
    }
    Note& note = reading.note;
    note.pitch = pitchNameOfDigitKey(group.key);
    if (!note.pitch.empty() && phone.pitchPresses) {
        const int perOctave = pitchesPerOctave(note.pitch);
        const int step = (std::max(group.count, 1) - 1) % (2 * perOctave);
        note.octave = step / perOctave ? u"高" : u"中";
        if (step % perOctave)
            note.sharp = u"#";
    }
    reading.appendNote(); // a key this phone does not have reads as an eighth rest
}

} // namespace sarvo::keyguide
