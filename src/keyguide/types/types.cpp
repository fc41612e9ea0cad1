// Type-S: sixty units, no low octave. Each note or rest is typed as its pitch (or "９" for a
// rest), then, unless it is a plain quarter, "▲" and a length key, and it is closed with "→".
// A note's digit key gives the middle note, pressed twice the high note; "＃" after it raises it
// a semitone. Whole notes with a dot and tuplets have no length key of their own and are typed
// with the nearest lengths the phone knows.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"９";
constexpr std::u16string_view kLengthPrefix = u"▲";
constexpr std::u16string_view kNoteEnd = u"→";
constexpr std::u16string_view kHighPresses = u"×２";
constexpr std::u16string_view kSharpKey = u"＃";
constexpr std::u16string_view kDottedPresses = u"×２";

// The length keys by note length; a rest uses the key of the note of the same length.
struct LengthKey {
    char16_t noteCode;
    std::u16string_view key;
};
constexpr std::array<LengthKey, 5> kLengthKeys = {{
    {u'A', u"１"},
    {u'B', u"２"},
    {u'C', u"４"},
    {u'D', u"８"},
    {u'E', u"６"},
}};

std::u16string_view lengthKeyOf(char16_t code) {
    const char16_t noteCode = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    for (const LengthKey& entry : kLengthKeys)
        if (entry.noteCode == noteCode)
            return entry.key;
    return {};
}

UnitPlan planUnits(const Note& note) {
    UnitPlan plan = singleUnit(note);
    switch (plan.workingCode) {
    case u'A': // a dotted whole note: a half note and two half rests
        if (plan.dotted)
            plan = UnitPlan{3, u'B', false, u'G'};
        break;
    case u'F':
        if (plan.dotted)
            plan = UnitPlan{3, u'G', false, u'G'};
        break;
    case u'2': plan = UnitPlan{1, u'D', true, u'I'}; break;
    case u'\\': plan = UnitPlan{1, u'I', true, u'I'}; break;
    case u'3':
    case u'5':
    case u'6': plan = UnitPlan{1, u'E', false, u'J'}; break;
    case u']':
    case u'_':
    case u'`': plan = UnitPlan{1, u'J', false, u'J'}; break;
    default: break; // every other code: one unit as it stands
    }
    return plan;
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const bool dotted = note.dot == u".";
    std::u16string pitchCell;
    if (melody::isPlainRestCode(code)) {
        pitchCell = kRestKey;
    } else if (melody::isPlainNoteCode(code)) {
        const std::u16string_view digit = digitKeyOf(note.pitch);
        if (digit.empty())
            return; // no pitch name this phone knows: the unit counts but types nothing
        if (note.octave == u"低") {
            pitchCell = kRestKey; // no low notes on this phone: the note becomes a rest
        } else {
            pitchCell = digit;
            if (note.octave == u"高")
                pitchCell += kHighPresses;
            if (note.sharp == u"#")
                pitchCell += kSharpKey;
        }
    } else {
        return;
    }
    conversion.appendCell(pitchCell);
    if ((code != u'C' && code != u'H') || dotted) {
        conversion.appendCell(kLengthPrefix);
        conversion.appendCell(std::u16string(lengthKeyOf(code)) +
                              std::u16string(dotted ? kDottedPresses : u""));
    }
    conversion.appendCell(kNoteEnd);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

// The note code of a length cell ("８", "８×２" ...), with its dot; false for any other cell.
bool readLengthCell(std::u16string_view cell, char16_t& noteCode, bool& dotted) {
    if (cell.empty())
        return false;
    const std::u16string_view key = cell.substr(0, 1);
    const std::u16string_view presses = cell.substr(1, kDottedPresses.size());
    for (const LengthKey& entry : kLengthKeys) {
        if (entry.key != key)
            continue;
        dotted = presses == kDottedPresses;
        if (!dotted && !presses.empty() && presses[0] != kCellPad)
            return false;
        noteCode = entry.noteCode;
        return true;
    }
    return false;
}

void readCell(KeyReading& reading) {
    const std::array<std::u16string, 5>& keys = reading.keys;
    if (keys[0] == kNoteEnd)
        return;
    if (keys[0] == kLengthPrefix) { // a length with no note before it
        reading.conversionError();
        return;
    }
    Note& note = reading.note;
    const bool rest = keys[0] == kRestKey;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(keys[0]);
        if (note.pitch.empty()) { // an unknown key: a rest of the note's length, and nothing more
            reading.appendNote();
            return;
        }
        size_t at = 1;
        if (keys[at] == u"×" && keys[at + 1] == u"２") {
            note.octave = u"高";
            at += 2;
        }
        if (keys[at] == kSharpKey)
            note.sharp = u"#";
    }
    char16_t noteCode = u'C';
    bool dotted = false;
    if (reading.lookahead[0].substr(0, 1) == kLengthPrefix) {
        if (!readLengthCell(reading.lookahead[1], noteCode, dotted)) {
            reading.conversionError(); // "▲" must be followed by a length key
            return;
        }
        reading.skipCells(2);
    }
    if (rest) {
        reading.appendToken(std::u16string(1, melody::restCodeOf(noteCode)) +
                            (dotted ? u"." : u""));
        return;
    }
    note.length = std::u16string(1, noteCode);
    note.dot = dotted ? u"." : u"";
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeSRules() {
    static const PhoneTypeRules rules{
        .index = 20,
        .limit = 60,
        .limitRule = LimitRule::StopAtLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
