#include "keyguide/types/steppedpitchkeys.h"

#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <array>

namespace sarvo::keyguide {
namespace {

constexpr std::array<std::u16string_view, 3> kOctavesByPresses = {u"中", u"高", u"低"};

// Pitches per octave on a key: two where the note has a sharp, one for ミ and シ.
int pitchesPerOctave(std::u16string_view pitch) {
    return pitchHasSharp(pitch) ? 2 : 1;
}

void emitSteppedUnit(KeyConversion& conversion, KeyedLengthLists lengths) {
    const melody::Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    std::u16string key;
    std::u16string cell;
    if (melody::isRestCode(code)) {
        key = cell = u"０";
    } else if (melody::isNoteCode(code)) {
        key = digitKeyOf(note.pitch);
        const int octave = octavePressIndex(note.octave);
        if (key.empty() || octave < 0)
            return; // no pitch this phone knows: the unit counts but types nothing
        const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
        cell = pressGroup(key, octave * pitchesPerOctave(note.pitch) + (sharp ? 1 : 0) + 1);
    } else {
        return;
    }
    const std::optional<std::u16string> length = lengthCellOf(lengths, lengthNameOf(note));
    if (!length)
        return;
    appendAfterCursorIfRepeated(conversion, key, cell);
    if (!length->empty())
        conversion.appendCell(*length);
}

} // namespace

bool pitchHasSharp(std::u16string_view pitch) {
    return melody::semitoneOf(pitch, u"#").has_value();
}

int octavePressIndex(std::u16string_view octave) {
    for (size_t i = 0; i < kOctavesByPresses.size(); ++i)
        if (kOctavesByPresses[i] == octave)
            return static_cast<int>(i);
    return -1;
}

std::u16string_view octaveAtPressIndex(int index) {
    const int count = static_cast<int>(kOctavesByPresses.size());
    return kOctavesByPresses[static_cast<size_t>(((index % count) + count) % count)];
}

void convertSteppedNote(KeyConversion& conversion, KeyedLengthLists lengths) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote),
              [lengths](KeyConversion& c) { emitSteppedUnit(c, lengths); });
}

void readSteppedCell(KeyReading& reading, KeyedLengthLists lengths) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (listOfKey(lengths, group.key)) {
        reading.conversionError();
        return;
    }
    melody::Note& note = reading.note;
    const bool rest = group.key == u"０";
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (!note.pitch.empty()) {
            const int perOctave = pitchesPerOctave(note.pitch);
            const int step = (std::max(group.count, 1) - 1) % (3 * perOctave);
            note.octave = octaveAtPressIndex(step / perOctave);
            if (step % perOctave)
                note.sharp = u"#";
        }
    }
    const PressGroup next = pressGroupOf(reading.lookahead[0]);
    if (const KeyedLengthList* list = listOfKey(lengths, next.key)) {
        setLength(note, lengthOfPresses(*list, next), false);
        reading.skipCells(1);
    }
    if (rest)
        reading.appendToken(std::u16string(1, melody::restCodeOf(note.length[0])) + note.dot);
    else
        reading.appendNote();
}

} // namespace sarvo::keyguide
