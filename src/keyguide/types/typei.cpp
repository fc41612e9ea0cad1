// Type-I: ninety-six notes. A note is its digit key — once for the middle octave, "×２" high,
// "×４" low — then "０" pressed once per step through the phone's list of lengths (none for a
// quarter), then "→", which enters it. A rest is its length presses and "→" alone. The keys give
// no sharps: a sharp note is played as its natural.

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kLengthKey = u"０";
constexpr std::u16string_view kEnter = u"→";

constexpr std::array<std::u16string_view, 8> kLengthList = {u"C", u"D",  u"E",  u"B",
                                                            u"A", u"C.", u"D.", u"B."};
constexpr std::array<KeyedLengthList, 1> kLengths = {KeyedLengthList{kLengthKey, kLengthList}};

// Presses of a digit key by octave: the key goes middle, high, middle again, low.
constexpr std::array<std::u16string_view, 4> kOctaveByPresses = {u"中", u"高", u"中", u"低"};

int octavePresses(std::u16string_view octave) {
    return octave == u"高" ? 2 : octave == u"低" ? 4 : 1;
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<std::u16string> length = lengthCellOf(kLengths, lengthNameOf(note));
    if (!length || !(melody::isRestCode(code) || melody::isNoteCode(code)))
        return; // nothing the phone can type; the note still counts
    const std::u16string_view key = digitKeyOf(note.pitch);
    if (melody::isNoteCode(code) && !key.empty() && melody::octaveIndex(note.octave))
        conversion.appendCell(pressGroup(key, octavePresses(note.octave)));
    if (!length->empty())
        conversion.appendCell(*length);
    conversion.appendCell(kEnter);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    Note& note = reading.note;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kEnter) { // a rest with no length presses: a quarter rest
        reading.appendNote();
        return;
    }
    const bool rest = group.key == kLengthKey;
    int next = 0; // the look-ahead cell the length presses or "→" come in
    if (rest) {
        setLength(note, lengthOfPresses(kLengths[0], group), false);
    } else {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // a key this phone does not have: a rest of a quarter
            return;
        }
        note.octave = kOctaveByPresses[static_cast<size_t>(std::max(group.count, 1) - 1) % 4];
        if (const PressGroup length = pressGroupOf(reading.lookahead[0]);
            length.key == kLengthKey) {
            setLength(note, lengthOfPresses(kLengths[0], length), false);
            next = 1;
        }
    }
    // Every note and rest is entered with "→".
    if (pressGroupOf(reading.lookahead[static_cast<size_t>(next)]).key != kEnter) {
        reading.conversionError();
        return;
    }
    reading.skipCells(next + 1);
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeIRules() {
    static const PhoneTypeRules rules{
        .index = 10,
        .limit = 96,
        .limitRule = LimitRule::StopAtLimit,
        .mergeRepeats = true,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
