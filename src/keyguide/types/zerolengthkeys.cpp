#include "keyguide/types/zerolengthkeys.h"

#include "keyguide/types/pressgroups.h"
#include "keyguide/types/sixteenthunits.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {
namespace {

constexpr std::u16string_view kLengthKey = u"０";

// The note the phone plays: the sharp dropped where it has no sharp key (and on ミ and シ, which
// have none), then moved by octaves
// into its range. False for a pitch the melody cannot hold.
bool playableNote(melody::Note& note, const ZeroLengthPhone& phone) {
    const std::u16string sharp =
        phone.sharpKey.empty() || !pitchHasSharp(note.pitch) ? u"" : note.sharp;
    const std::optional<int> midi = melody::midiNoteNumber(note.octave, note.pitch, sharp);
    if (!midi)
        return false;
    int pitch = *midi;
    while (pitch > phone.highest)
        pitch -= 12;
    while (pitch < phone.lowest)
        pitch += 12;
    note.octave = melody::octaveMark((pitch - 60) / 12);
    note.sharp = sharp;
    return true;
}

void emitUnit(KeyConversion& conversion, const ZeroLengthPhone& phone) {
    melody::Note note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<int> number = phone.lengths.numberOf(code, note.dot == u".");
    if (!number)
        return; // a code with no length on this phone: the note counts but types nothing
    if (melody::isNoteCode(code)) {
        const std::u16string_view key = digitKeyOf(note.pitch);
        if (key.empty() || !playableNote(note, phone))
            return;
        conversion.appendCell(phone.octavePresses
                                  ? pressGroup(key, octavePressIndex(note.octave) + 1)
                                  : std::u16string(key));
        if (note.sharp == u"#")
            conversion.appendCell(phone.sharpKey);
    }
    conversion.appendCell(pressGroup(kLengthKey, *number));
}

// The length of the "０" group in a cell, as a note or rest; nullopt for any other cell.
std::optional<ListedLength> lengthOfCell(std::u16string_view cell, const ZeroLengthPhone& phone,
                                         bool rest) {
    const PressGroup group = pressGroupOf(cell);
    if (group.key != kLengthKey)
        return std::nullopt;
    return phone.lengths.lengthOf(group.count, rest);
}

} // namespace

void convertZeroLengthNote(KeyConversion& conversion, const ZeroLengthPhone& phone) {
    const melody::Note& note = conversion.state.currentNote;
    emitUnits(conversion, listedSixteenthUnits(note, phone.lengths.lengths),
              [&phone](KeyConversion& c) { emitUnit(c, phone); });
}

void readZeroLengthCell(KeyReading& reading, const ZeroLengthPhone& phone) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    melody::Note& note = reading.note;
    if (group.key == kLengthKey) {
        const std::optional<ListedLength> length = phone.lengths.lengthOf(group.count, true);
        if (!length) {
            reading.conversionError();
            return;
        }
        reading.appendToken(std::u16string(1, length->noteCode) + (length->dotted ? u"." : u""));
        return;
    }
    if (!phone.sharpKey.empty() && group.key == phone.sharpKey) {
        reading.conversionError(); // a sharp with no note before it
        return;
    }
    note.pitch = pitchNameOfDigitKey(group.key);
    if (note.pitch.empty()) {
        reading.appendNote(); // a key this phone does not have: a rest of the note's length
        return;
    }
    if (phone.octavePresses)
        note.octave = octaveAtPressIndex(std::max(group.count, 1) - 1);
    size_t next = 0;
    if (!phone.sharpKey.empty() && pressGroupOf(reading.lookahead[0]).key == phone.sharpKey) {
        if (pitchHasSharp(note.pitch))
            note.sharp = u"#";
        ++next;
    }
    const std::optional<ListedLength> length = lengthOfCell(reading.lookahead[next], phone, false);
    if (!length) { // every note is closed by its length
        reading.conversionError();
        return;
    }
    reading.skipCells(static_cast<int>(next) + 1);
    note.length = std::u16string(1, length->noteCode);
    note.dot = length->dotted ? u"." : u"";
    reading.appendNote();
}

} // namespace sarvo::keyguide
