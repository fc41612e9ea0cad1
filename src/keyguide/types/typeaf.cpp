// Type-AF: 256 entries (the guide stops once more have been typed), all three octaves and
// sharps. A note is its digit key, then "１" pressed once per step through the pitches of that
// key (middle sharp, high, high sharp, low, low sharp; ミ and シ, which have no sharp: high, low),
// then "３" pressed once per step through the phone's lengths (none for a quarter), then "クリア",
// which enters it. A rest is "クリア" in place of the note key, with its "３" presses and the
// closing "クリア". The phone's keys take no press counts: every press is a cell of its own.
//
// "１" and "３" are also the keys of ド and ミ, so the order alone tells them apart: the first key
// of an entry is its note (or the rest), then come the pitch presses, then the length presses,
// and "クリア" closes the entry. The reader relies on that order; a key out of it, or an entry
// left open, stops the reading.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/numberedlengths.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kPitchKey = u"１";
constexpr std::u16string_view kLengthKey = u"３";
constexpr std::u16string_view kEnterKey = u"クリア"; // closes every entry, and is the rest key

// The lengths "３" steps through, the commonest first; a quarter needs no press.
constexpr std::array<ListedLength, 8> kLengthList = {{
    {u'C', false},
    {u'D', false},
    {u'E', false},
    {u'B', false},
    {u'A', false},
    {u'B', true},
    {u'C', true},
    {u'D', true},
}};
constexpr NumberedLengths kLengths{kLengthList, 0};

int pitchesPerOctave(std::u16string_view pitch) {
    return pitchHasSharp(pitch) ? 2 : 1;
}

void appendPresses(KeyConversion& conversion, std::u16string_view key, int presses) {
    for (int i = 0; i < presses; ++i)
        conversion.appendCell(key);
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<int> length = kLengths.numberOf(code, note.dot == u".");
    if (!length)
        return; // a code with no length on this phone: the unit counts but types nothing
    if (melody::isNoteCode(code)) {
        const std::u16string_view key = digitKeyOf(note.pitch);
        const int octave = octavePressIndex(note.octave);
        if (key.empty() || octave < 0)
            return; // no pitch this phone knows
        const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
        conversion.appendCell(key);
        appendPresses(conversion, kPitchKey,
                      octave * pitchesPerOctave(note.pitch) + (sharp ? 1 : 0));
    } else if (melody::isRestCode(code)) {
        conversion.appendCell(kEnterKey);
    } else {
        return;
    }
    appendPresses(conversion, kLengthKey, *length);
    conversion.appendCell(kEnterKey);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote), emitUnit);
}

// The cell `offset` cells after the one at the reader position, as a press group; an empty key
// past the end of the key text. Entries run longer than the look-ahead, so the key text is read
// directly.
PressGroup groupAfter(const KeyReading& reading, int offset) {
    const size_t start =
        static_cast<size_t>(reading.state.readPos - 1) + kCellWidth * static_cast<size_t>(offset);
    if (start >= reading.keyText.size())
        return {};
    return pressGroupOf(reading.keyText.substr(start, kCellWidth));
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup first = currentPressGroup(reading);
    Note& note = reading.note;
    const bool rest = first.key == kEnterKey;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(first.key);
        if (note.pitch.empty()) {
            reading.appendNote(); // a key the phone does not have: a rest of a quarter
            return;
        }
    }
    // In order: pitch presses (not after a rest), length presses, then the closing key.
    int offset = 0;
    int pitchSteps = 0;
    int lengthSteps = 0;
    PressGroup next = groupAfter(reading, offset);
    for (; !rest && next.key == kPitchKey; next = groupAfter(reading, ++offset))
        pitchSteps += next.count;
    for (; next.key == kLengthKey; next = groupAfter(reading, ++offset))
        lengthSteps += next.count;
    if (next.key != kEnterKey) {
        reading.conversionError();
        return;
    }
    reading.skipCells(offset + 1);

    // Both selectors go round again past their last step, as the phone's do.
    const std::optional<ListedLength> length =
        kLengths.lengthOf(lengthSteps % static_cast<int>(kLengthList.size()), rest);
    note.length = std::u16string(1, length->noteCode);
    note.dot = length->dotted ? u"." : u"";
    if (rest) {
        reading.appendToken(note.length + note.dot);
        return;
    }
    const int perOctave = pitchesPerOctave(note.pitch);
    const int step = pitchSteps % (3 * perOctave);
    note.octave = octaveAtPressIndex(step / perOctave);
    note.sharp = step % perOctave ? u"#" : u"";
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeAFRules() {
    static const PhoneTypeRules rules{
        .index = 33,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
