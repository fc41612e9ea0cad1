#include "keyguide/types/sixteenthpresses.h"

#include "keyguide/keycells.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"０";
constexpr std::u16string_view kOctaveKey = u"８";
constexpr int kOctaveRound = 3; // presses of the octave key that come back to the same octave

// Sixteenths of a length: a dotted sixteenth is a sixteenth, a quarter-note triplet a dotted
// eighth and the shorter tuplets a sixteenth; 0 for a code that is neither note nor rest.
int sixteenthsOf(char16_t code, bool dotted) {
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'E':
    case u'3':
    case u'5':
    case u'6': return 1;
    case u'2': return 3;
    default: return melody::lengthTicks(code, dotted) / melody::kTicksPerSixteenth;
    }
}

// The lengths a press count reads back as, longest first, in sixteenths.
struct PlainLength {
    int sixteenths;
    std::u16string_view noteName; // code and dot
};
constexpr std::array<PlainLength, 9> kPlainLengths = {{
    {24, u"A."},
    {16, u"A"},
    {12, u"B."},
    {8, u"B"},
    {6, u"C."},
    {4, u"C"},
    {3, u"D."},
    {2, u"D"},
    {1, u"E"},
}};

std::u16string_view lastCell(const KeyConversion& conversion) {
    return std::u16string_view(conversion.keyText).substr(conversion.lastCellOffset, kCellWidth);
}

// A note is one press group, held on for its ties.
void emitUnit(KeyConversion& conversion, const SixteenthPressKeys& keys) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const int presses = sixteenthsOf(code, note.dot == u".") * (note.tieCount + 1);
    const std::u16string_view key = digitKeyOf(note.pitch);
    const std::optional<int> octave = melody::octaveIndex(note.octave);
    if (presses == 0)
        return;
    if (!melody::isNoteCode(code) || key.empty() || !octave) {
        // Rests in a row are one long rest to the phone; each keeps a group of its own.
        conversion.appendCell(pressGroup(kRestKey, presses));
        conversion.previousKey = kRestKey;
        conversion.lastNotePresses = 0;
        return;
    }
    const bool sharp = !keys.sharpKey.empty() && note.sharp == u"#" && pitchHasSharp(note.pitch);
    const int from = melody::octaveIndex(conversion.octaveState).value_or(1);
    if (const int steps = (*octave - from + kOctaveRound) % kOctaveRound; steps > 0) {
        conversion.appendCell(pressGroup(kOctaveKey, steps));
        conversion.previousKey = kOctaveKey;
        conversion.octaveState = note.octave;
    }
    if (key == conversion.previousKey) {
        // Two sixteenths of one pitch in a row are one press group; any other note on the key
        // just pressed is kept apart by a full round of the octave key.
        if (presses == 1 && conversion.lastNotePresses == 1 && !sharp) {
            conversion.replaceLastCell(
                pressGroup(key, pressGroupOf(lastCell(conversion)).count + 1));
            return;
        }
        conversion.appendCell(pressGroup(kOctaveKey, kOctaveRound));
    }
    conversion.appendCell(pressGroup(key, presses));
    conversion.previousKey = key;
    conversion.lastNotePresses = presses;
    if (sharp) {
        conversion.appendCell(keys.sharpKey);
        conversion.previousKey = keys.sharpKey;
    }
}

} // namespace

void convertSixteenthPressNote(KeyConversion& conversion, const SixteenthPressKeys& keys) {
    emitUnits(conversion, heldUnit(conversion.state.currentNote),
              [&keys](KeyConversion& c) { emitUnit(c, keys); });
}

void readSixteenthPressCell(KeyReading& reading, const SixteenthPressKeys& keys) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kOctaveKey) {
        const int from = melody::octaveIndex(reading.octaveState).value_or(1);
        reading.octaveState = melody::octaveMark((from + group.count) % kOctaveRound);
        return;
    }
    if (!keys.sharpKey.empty() && group.key == keys.sharpKey) {
        reading.conversionError(); // a sharp key belongs after a note's presses
        return;
    }
    Note& note = reading.note;
    const bool rest = group.key == kRestKey;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // a key this phone does not have: a rest of a sixteenth
            return;
        }
        note.octave = reading.octaveState;
        if (!keys.sharpKey.empty() && pressGroupOf(reading.lookahead[0]).key == keys.sharpKey) {
            note.sharp = pitchHasSharp(note.pitch) ? u"#" : u"";
            reading.skipCells(1);
        }
    }
    // The presses as one note: the longest length they are a whole number of, held by ties.
    int presses = std::max(group.count, 1);
    for (const PlainLength& length : kPlainLengths) {
        if (presses % length.sixteenths != 0)
            continue;
        const std::u16string_view name = length.noteName;
        note.length = std::u16string(1, rest ? melody::restCodeOf(name[0]) : name[0]);
        note.dot = std::u16string(name.substr(1));
        reading.appendNote();
        for (int tie = presses / length.sixteenths; tie > 1; --tie)
            reading.appendToken(u"^");
        return;
    }
}

} // namespace sarvo::keyguide
