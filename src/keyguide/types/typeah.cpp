// Type-AH: two hundred presses, a sharp one counting as two; the phone plays middle ド to high ミ.
// Every key press is one sixteenth: "１" to "７" the middle ド to シ, "８", "９", "０" the high
// ド, レ, ミ, "＃" after the key (in the same cell) its sharp, and "＊" a sixteenth rest. A
// longer note is its key pressed once per sixteenth; the phone merges repeated notes into one
// while playing.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"＊";
constexpr std::u16string_view kSharpKey = u"＃";

struct PitchKey {
    std::u16string_view octave;
    std::u16string_view pitch;
    std::u16string_view key;
};
constexpr std::array<PitchKey, 10> kPitchKeys = {{
    {u"中", u"ド", u"１"},
    {u"中", u"レ", u"２"},
    {u"中", u"ミ", u"３"},
    {u"中", u"フ", u"４"},
    {u"中", u"ソ", u"５"},
    {u"中", u"ラ", u"６"},
    {u"中", u"シ", u"７"},
    {u"高", u"ド", u"８"},
    {u"高", u"レ", u"９"},
    {u"高", u"ミ", u"０"},
}};

// Outside the phone's range a note is played an octave nearer: low notes in the middle
// octave, high ファ to シ in the middle octave too.
std::u16string_view keyOf(std::u16string_view octave, std::u16string_view pitch) {
    for (const PitchKey& entry : kPitchKeys)
        if (entry.octave == octave && entry.pitch == pitch)
            return entry.key;
    if (octave == u"低" || octave == u"高")
        return keyOf(u"中", pitch);
    return {};
}

int sixteenthsOf(char16_t code, bool dotted) {
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'A': return dotted ? 24 : 16;
    case u'B': return dotted ? 12 : 8;
    case u'C': return dotted ? 6 : 4;
    case u'D': return dotted ? 3 : 2;
    case u'E': return 1; // a dotted sixteenth is one press
    case u'2': return 3; // a quarter triplet: a dotted eighth
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return 0;
    }
}

// One press: the note's key, with its sharp, or the rest key.
void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    if (!melody::isNoteCode(note.length[0])) {
        conversion.appendCell(kRestKey);
        return;
    }
    const std::u16string_view key = keyOf(note.octave, note.pitch);
    std::u16string cell(key.empty() ? kRestKey : key);
    if (note.sharp == u"#")
        cell += kSharpKey;
    conversion.appendCell(cell);
}

void convertNote(KeyConversion& conversion) {
    Note& note = conversion.state.currentNote;
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    // Each press is an entry, a sharp one counting as two: a sharp the phone does not type
    // (on ミ, シ or a pitch it does not know) is dropped before the presses are counted.
    if (keyOf(note.octave, note.pitch).empty() || !pitchHasSharp(note.pitch))
        note.sharp.clear();
    // A tie holds the note on: the phone plays the repeated presses as one note.
    const int presses = sixteenthsOf(code, note.dot == u".") * (note.tieCount + 1);
    emitUnits(conversion, UnitPlan{presses, code, false, code, true}, emitUnit);
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    Note& note = reading.note;
    if (key == kRestKey) {
        reading.appendToken(u"J");
        return;
    }
    for (const PitchKey& entry : kPitchKeys) {
        if (entry.key == key) {
            note.octave = entry.octave;
            note.pitch = entry.pitch;
            if (reading.keys[1] == kSharpKey && pitchHasSharp(note.pitch))
                note.sharp = u"#";
        }
    }
    reading.appendNote(); // a key this phone does not have reads as a sixteenth rest
}

} // namespace

const PhoneTypeRules& typeAHRules() {
    static const PhoneTypeRules rules{
        .index = 35,
        .limit = 200,
        .limitRule = LimitRule::StopAtLimit,
        .sharpEntries = 2,
        .mergeRepeats = true,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"E", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
