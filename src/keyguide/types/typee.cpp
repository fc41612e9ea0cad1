// Type-E: 128 units, every octave and sharp. A note's digit key pressed again steps through the
// middle note, its sharp, the low note, the low sharp, the high note and the high sharp (ミ and
// シ: middle, low, high); "＊" pressed after it sets the length, none for a quarter. "０" is a
// rest, with the same length keys. "→" ends a note before the next note of the same name, and a
// rest before the next rest.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>
#include <array>
#include <span>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"０";
constexpr std::u16string_view kLengthKey = u"＊";
constexpr std::u16string_view kCursorKey = u"→";

// Dotted lengths go on as the rest one length shorter; tuplets take lengths the phone has.
UnitPlan planUnits(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool dotted = note.dot == u".";
    switch (code) {
    case u'A':
    case u'B':
    case u'C':
    case u'D':
        return dotted ? UnitPlan{2, code, false, static_cast<char16_t>(code + 6)}
                      : singleUnit(note);
    case u'F':
    case u'G':
    case u'H':
    case u'I':
        return dotted ? UnitPlan{2, code, false, static_cast<char16_t>(code + 1)}
                      : singleUnit(note);
    case u'E':
    case u'J': return UnitPlan{1, code, false, melody::restCodeOf(code)};
    case u'2': return UnitPlan{2, u'D', false, u'J'};
    case u'\\': return UnitPlan{2, u'I', false, u'J'};
    case u'3':
    case u'5':
    case u'6': return UnitPlan{1, u'E', false, u'J'};
    case u']':
    case u'_':
    case u'`': return UnitPlan{1, u'J', false, u'J'};
    default: return singleUnit(note);
    }
}

// Presses of "＊" for each note length; a rest takes the key of the note of its length.
struct LengthPresses {
    char16_t noteCode;
    int presses;
};
constexpr std::array<LengthPresses, 5> kLengths = {{
    {u'C', 0},
    {u'D', 1},
    {u'E', 2},
    {u'A', 3},
    {u'B', 4},
}};

void appendLengthKey(KeyConversion& conversion, char16_t code) {
    const char16_t noteCode = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    for (const LengthPresses& length : kLengths)
        if (length.noteCode == noteCode && length.presses > 0)
            conversion.appendCell(pressGroup(kLengthKey, length.presses));
}

// The pitches a digit key steps through, one per press.
struct KeyPitch {
    std::u16string_view octave;
    bool sharp;
};
constexpr std::array<KeyPitch, 6> kPressOrder = {{
    {u"中", false},
    {u"中", true},
    {u"低", false},
    {u"低", true},
    {u"高", false},
    {u"高", true},
}};
constexpr std::array<KeyPitch, 3> kPressOrderWithoutSharps = {{
    {u"中", false},
    {u"低", false},
    {u"高", false},
}};

std::span<const KeyPitch> pressOrderOf(std::u16string_view name) {
    if (name == u"ミ" || name == u"シ")
        return kPressOrderWithoutSharps;
    return kPressOrder;
}

// 0 for an octave the phone does not know.
int pressesFor(const Note& note) {
    const std::span<const KeyPitch> order = pressOrderOf(note.pitch);
    const bool sharp = note.sharp == u"#" && order.size() == kPressOrder.size();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i].octave == note.octave && order[i].sharp == sharp)
            return static_cast<int>(i) + 1;
    return 0;
}

void emitUnit(KeyConversion& conversion) {
    Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isPlainRestCode(code)) {
        const std::u16string& previous = conversion.state.previousNote.length;
        if (!previous.empty() && melody::isRestCode(previous[0]))
            conversion.appendCell(kCursorKey);
        conversion.appendCell(kRestKey);
        appendLengthKey(conversion, code);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    const int presses = pressesFor(note);
    if (!melody::isPlainNoteCode(code) || key.empty() || presses == 0) {
        // Nothing the phone can type: the unit counts, but the next one compares with the
        // unit before it.
        const melody::PreviousNote& previous = conversion.state.previousNote;
        note.length = previous.length;
        note.pitch = previous.pitch;
        return;
    }
    // Rests keep the name of the note before them, so this compares with the last note.
    if (note.pitch == conversion.state.previousNote.pitch)
        conversion.appendCell(kCursorKey);
    conversion.appendCell(pressGroup(key, presses));
    appendLengthKey(conversion, code);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

// Reads the length cell after a note or rest, if there is one, into the note's length code;
// false (and the reading stopped) for a count of "＊" the phone does not have.
bool readLength(KeyReading& reading) {
    int presses = 0;
    if (pressGroupOf(reading.lookahead[0]).key == kLengthKey) {
        presses = pressGroupOf(reading.lookahead[0]).count;
        reading.skipCells(1);
    }
    for (const LengthPresses& length : kLengths) {
        if (length.presses == presses) {
            reading.note.length = std::u16string(1, length.noteCode);
            return true;
        }
    }
    reading.conversionError();
    return false;
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == kCursorKey)
        return;
    Note& note = reading.note;
    if (key == kRestKey) {
        if (readLength(reading))
            reading.appendToken(std::u16string(1, melody::restCodeOf(note.length[0])));
        return;
    }
    note.pitch = pitchNameOfDigitKey(key);
    if (note.pitch.empty()) {
        reading.appendNote(); // a key this phone does not have: read as a rest of the note's length
        return;
    }
    const std::span<const KeyPitch> order = pressOrderOf(note.pitch);
    // Pressing on past the last pitch starts the round again.
    const int presses = std::max(1, currentPressGroup(reading).count);
    const KeyPitch& pitch = order[static_cast<size_t>(presses - 1) % order.size()];
    note.octave = pitch.octave;
    note.sharp = pitch.sharp ? u"#" : u"";
    if (readLength(reading))
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeERules() {
    static const PhoneTypeRules rules{
        .index = 6,
        .limit = 128,
        .limitRule = LimitRule::StopAtLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
