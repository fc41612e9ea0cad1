// Type-L: sixty-four entries, every octave and sharp. A note is typed as its digit key;
// then "８" pressed once per step from the middle natural through the middle sharp, the high
// natural, the high sharp, the low natural and the low sharp (ミ and シ: high, low); then "０"
// pressed once per step of the phone's length list, none for a quarter; then "＃" to enter it.
// A rest is its length presses and "＃".

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/numberedlengths.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/sixteenthunits.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kPitchStepKey = u"８";
constexpr std::u16string_view kLengthKey = u"０";
constexpr std::u16string_view kEnterKey = u"＃";

// "０" pressed n times picks length n; a quarter takes no presses.
constexpr std::array<ListedLength, 6> kLengthList = {{
    {u'C', false},
    {u'D', false},
    {u'E', false},
    {u'B', false},
    {u'A', false},
    {u'C', true},
}};
constexpr NumberedLengths kLengths{kLengthList, 0};

int pitchesPerOctave(std::u16string_view pitch) {
    return pitchHasSharp(pitch) ? 2 : 1;
}

void appendLengthAndEnter(KeyConversion& conversion, const Note& note) {
    const int presses = kLengths.numberOf(note.length[0], note.dot == u".").value_or(0);
    if (presses > 0)
        conversion.appendCell(pressGroup(kLengthKey, presses));
    conversion.appendCell(kEnterKey);
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isRestCode(code)) {
        appendLengthAndEnter(conversion, note);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    const int octave = octavePressIndex(note.octave);
    if (!melody::isNoteCode(code) || key.empty() || octave < 0)
        return; // nothing the phone can type; the note still counts
    conversion.appendCell(key);
    const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
    const int steps = octave * pitchesPerOctave(note.pitch) + (sharp ? 1 : 0);
    if (steps > 0)
        conversion.appendCell(pressGroup(kPitchStepKey, steps));
    appendLengthAndEnter(conversion, note);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listedSixteenthUnits(conversion.state.currentNote, kLengthList),
              emitUnit);
}

// Moves the reader onto the next cell when that cell's key is the one given.
bool takeNextCell(KeyReading& reading, std::u16string_view key) {
    return pressGroupOf(reading.lookahead[0]).key == key && reading.readFixedFieldNote();
}

// Reads the length presses (already under the reader when lengthRead) and the "＃" that enters
// every note and rest; false, with the reading stopped, when either is wrong.
bool readLengthAndEnter(KeyReading& reading, bool lengthRead, bool rest) {
    int presses = 0;
    if (lengthRead || takeNextCell(reading, kLengthKey))
        presses = currentPressGroup(reading).count;
    const std::optional<ListedLength> length = kLengths.lengthOf(presses, rest);
    if (!length || !takeNextCell(reading, kEnterKey)) {
        reading.conversionError();
        return false;
    }
    reading.note.length = std::u16string(1, length->noteCode);
    reading.note.dot = length->dotted ? u"." : u"";
    return true;
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    Note& note = reading.note;
    if (key == kEnterKey) { // a quarter rest: no length presses
        reading.appendToken(u"H");
        return;
    }
    if (key == kLengthKey) {
        if (readLengthAndEnter(reading, true, true))
            reading.appendToken(note.length + note.dot);
        return;
    }
    if (key == kPitchStepKey) { // pitch steps with no note before them
        reading.conversionError();
        return;
    }
    note.pitch = pitchNameOfDigitKey(key);
    if (note.pitch.empty()) {
        reading.appendNote(); // a key this phone does not have: a rest of the note's length
        return;
    }
    if (takeNextCell(reading, kPitchStepKey)) {
        const int perOctave = pitchesPerOctave(note.pitch);
        const int step = currentPressGroup(reading).count % (3 * perOctave);
        note.octave = octaveAtPressIndex(step / perOctave);
        if (step % perOctave)
            note.sharp = u"#";
    }
    if (readLengthAndEnter(reading, false, false))
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeLRules() {
    static const PhoneTypeRules rules{
        .index = 13,
        .limit = 64,
        .limitRule = LimitRule::StopAtLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
