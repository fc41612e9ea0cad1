// Type-AD: 256 units, all three octaves. A note is its digit key pressed once for the middle
// octave, twice for the high and three times for the low one; "文字" after it makes it sharp;
// then "８" or "９" pressed n times sets the length from two numbered lists, and an eighth needs
// no length key. "→" goes where nothing else separates two presses of the same key: after a
// unit that ended with the key the next unit starts with.

#include "keyguide/types/lengthlists.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kSharpKey = u"文字";
constexpr std::array<std::u16string_view, 5> kEightLengths = {u"D", u"D.", u"C", u"C.", u"B"};
constexpr std::array<std::u16string_view, 5> kNineLengths = {u"D", u"E", u"A", u"B.", u"B"};
constexpr std::array<KeyedLengthList, 2> kLengthKeys = {
    KeyedLengthList{u"８", kEightLengths},
    KeyedLengthList{u"９", kNineLengths},
};

// Every cell, the sharp and length keys included, goes through the same check, so "→" comes
// exactly where the key the phone saw last is pressed again.
void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<std::u16string> length = lengthCellOf(kLengthKeys, lengthNameOf(note));
    if (!length)
        return; // a code with no length key: the unit counts but types nothing
    bool sharp = false;
    if (melody::isRestCode(code)) {
        appendAfterCursorIfRepeated(conversion, u"０", u"０");
    } else {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const int octave = octavePressIndex(note.octave);
        if (key.empty() || octave < 0)
            return;
        appendAfterCursorIfRepeated(conversion, key, pressGroup(key, octave + 1));
        sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
    }
    if (sharp)
        appendAfterCursorIfRepeated(conversion, kSharpKey, kSharpKey);
    if (!length->empty())
        appendAfterCursorIfRepeated(conversion, pressGroupOf(*length).key, *length);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kSharpKey || listOfKey(kLengthKeys, group.key)) {
        reading.conversionError(); // a sharp or length key where a note or rest key belongs
        return;
    }
    Note& note = reading.note;
    const bool rest = group.key == u"０";
    int consumed = 0;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(group.key);
        if (!note.pitch.empty())
            note.octave = octaveAtPressIndex(std::max(group.count, 1) - 1);
        if (pressGroupOf(reading.lookahead[0]).key == kSharpKey) {
            if (pitchHasSharp(note.pitch))
                note.sharp = u"#";
            ++consumed;
        }
    }
    const PressGroup next = pressGroupOf(reading.lookahead[static_cast<size_t>(consumed)]);
    if (const KeyedLengthList* list = listOfKey(kLengthKeys, next.key)) {
        setLength(note, lengthOfPresses(*list, next), false);
        ++consumed;
    }
    reading.skipCells(consumed);
    if (rest)
        reading.appendToken(std::u16string(1, melody::restCodeOf(note.length[0])) + note.dot);
    else
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeADRules() {
    static const PhoneTypeRules rules{
        .index = 31,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
