#include "keyguide/types/lengthdigitkeys.h"

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"０";
constexpr int kHighPresses = 3;
// The length of each digit "０" to "７".
constexpr std::array<std::u16string_view, 8> kLengthDigits = {u"A", u"E",  u"D", u"D.",
                                                              u"C", u"C.", u"B", u"B."};

int pressesOf(std::u16string_view octave, const LengthDigitKeys& keys) {
    if (octave == u"高")
        return kHighPresses;
    if (octave == u"低")
        return keys.lowPresses;
    return octave == u"中" ? 1 : 0;
}

void emitUnit(KeyConversion& conversion, const LengthDigitKeys& keys) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::u16string name = lengthNameOf(note);
    int digit = -1;
    for (size_t i = 0; i < kLengthDigits.size(); ++i)
        if (kLengthDigits[i] == name)
            digit = static_cast<int>(i);
    if (digit < 0)
        return; // a code with no length digit: nothing to type
    if (melody::isRestCode(code)) {
        conversion.appendCell(kRestKey);
    } else {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const int presses = pressesOf(note.octave, keys);
        if (!melody::isNoteCode(code) || key.empty() || presses == 0)
            return;
        conversion.appendCell(pressGroup(key, presses));
        if (note.sharp == u"#" && pitchHasSharp(note.pitch))
            conversion.appendCell(keys.sharpKey);
    }
    conversion.appendCell(std::u16string(keys.lengthKey) + fullWidthNumber(digit));
}

} // namespace

void convertLengthDigitNote(KeyConversion& conversion, const LengthDigitKeys& keys) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote),
              [&keys](KeyConversion& c) { emitUnit(c, keys); });
}

void readLengthDigitCell(KeyReading& reading, const LengthDigitKeys& keys) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == keys.sharpKey || reading.keys[0] == keys.lengthKey) {
        reading.conversionError(); // a sharp or length key where a note or rest belongs
        return;
    }
    Note& note = reading.note;
    const bool rest = group.key == kRestKey;
    size_t consumed = 0;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // an unknown key: a rest of the note's length
            return;
        }
        // Counts between the octaves are other characters of the key: the middle note.
        if (group.count == kHighPresses)
            note.octave = u"高";
        else if (group.count == keys.lowPresses)
            note.octave = u"低";
        if (pressGroupOf(reading.lookahead[0]).key == keys.sharpKey) {
            if (pitchHasSharp(note.pitch))
                note.sharp = u"#";
            ++consumed;
        }
    }
    // Every note and rest ends with its length cell: the length key and one digit.
    const std::u16string_view cell = reading.lookahead[consumed];
    const PressGroup length = pressGroupOf(cell);
    const int digit = length.key.size() == 2 ? length.key[1] - u'０' : -1;
    if (cell.substr(0, 1) != keys.lengthKey || digit < 0 ||
        digit >= static_cast<int>(kLengthDigits.size())) {
        reading.conversionError();
        return;
    }
    reading.skipCells(static_cast<int>(consumed) + 1);
    setLength(note, kLengthDigits[static_cast<size_t>(digit)], rest);
    if (rest)
        reading.appendToken(note.length + note.dot);
    else
        reading.appendNote();
}

} // namespace sarvo::keyguide
