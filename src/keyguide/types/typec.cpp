// Type-C: two hundred units, every octave and sharp. A note is typed as its digit key, "８" for
// a sharp, "９" to step the octave, "０" pressed once per length step, and "＃" to enter it; a
// rest is its length key and "＃". "９" steps the octave the phone is in cyclically, low →
// middle → high → low, so the number of presses depends on the note typed before.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>
#include <optional>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kSharpKey = u"８";
constexpr std::u16string_view kOctaveKey = u"９";
constexpr std::u16string_view kLengthKey = u"０";
constexpr std::u16string_view kEnterKey = u"＃";

// The phone holds at most a half note: longer notes go on as half and quarter rests. Tuplets
// take a length the phone has: a quarter triplet a dotted eighth, the others a sixteenth.
UnitPlan planUnits(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool dotted = note.dot == u".";
    switch (code) {
    case u'A': return dotted ? UnitPlan{3, u'B', false, u'G'} : UnitPlan{2, u'B', false, u'G'};
    case u'B': return dotted ? UnitPlan{2, u'B', false, u'H'} : singleUnit(note);
    case u'F': return dotted ? UnitPlan{3, u'G', false, u'G'} : UnitPlan{2, u'G', false, u'G'};
    case u'G': return dotted ? UnitPlan{2, u'G', false, u'H'} : singleUnit(note);
    case u'2': return UnitPlan{1, u'D', true, u'I'};
    case u'\\': return UnitPlan{1, u'I', true, u'I'};
    case u'3':
    case u'5':
    case u'6': return UnitPlan{1, u'E', false, u'J'};
    case u']':
    case u'_':
    case u'`': return UnitPlan{1, u'J', false, u'J'};
    default: return singleUnit(note);
    }
}

// How often "０" is pressed for each length the phone has, by the note code of the length.
struct LengthPresses {
    char16_t noteCode;
    bool dotted;
    int presses;
};
constexpr std::array<LengthPresses, 6> kLengths = {{
    {u'D', false, 0},
    {u'D', true, 1},
    {u'C', false, 2},
    {u'C', true, 3},
    {u'B', false, 4},
    {u'E', false, 5},
}};

int lengthPresses(char16_t code, bool dotted) {
    const char16_t noteCode = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    for (const LengthPresses& length : kLengths)
        if (length.noteCode == noteCode && length.dotted == dotted)
            return length.presses;
    // Dotted sixteenths and a dotted half have no length of their own.
    for (const LengthPresses& length : kLengths)
        if (length.noteCode == noteCode)
            return length.presses;
    return 0;
}

void appendLengthKey(KeyConversion& conversion, const Note& note) {
    const int presses = lengthPresses(note.length[0], note.dot == u".");
    if (presses > 0)
        conversion.appendCell(pressGroup(kLengthKey, presses));
}

// Presses of "９" that take the phone from one octave to the next one up, wrapping round.
int octaveSteps(std::u16string_view from, std::u16string_view to) {
    const int start = melody::octaveIndex(from).value_or(1);
    const int target = melody::octaveIndex(to).value_or(1);
    return (target - start + 3) % 3;
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isPlainRestCode(code)) {
        appendLengthKey(conversion, note);
        conversion.appendCell(kEnterKey);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    if (!melody::isPlainNoteCode(code) || key.empty() || !melody::octaveIndex(note.octave))
        return; // nothing the phone can type; the unit still counts
    conversion.appendCell(key);
    if (note.sharp == u"#")
        conversion.appendCell(kSharpKey);
    if (const int steps = octaveSteps(conversion.octaveState, note.octave); steps > 0)
        conversion.appendCell(pressGroup(kOctaveKey, steps));
    conversion.octaveState = note.octave;
    appendLengthKey(conversion, note);
    conversion.appendCell(kEnterKey);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

// The length of a number of "０" presses, as a note code and dot; nullopt for a count the phone
// does not have.
std::optional<LengthPresses> lengthOfPresses(int presses) {
    for (const LengthPresses& length : kLengths)
        if (length.presses == presses)
            return length;
    return std::nullopt;
}

// Moves the reader onto the next cell when that cell starts with the key.
bool takeNextCell(KeyReading& reading, std::u16string_view key) {
    if (pressGroupOf(reading.lookahead[0]).key != key)
        return false;
    return reading.readFixedFieldNote();
}

// Reads the optional length key and the "＃" that ends every note and rest; false (and the
// reading stopped) when the "＃" is missing or the length has a count the phone does not have.
bool readLengthAndEnter(KeyReading& reading, bool lengthKeyRead) {
    int presses = 0;
    if (lengthKeyRead || takeNextCell(reading, kLengthKey))
        presses = currentPressGroup(reading).count;
    const std::optional<LengthPresses> length = lengthOfPresses(presses);
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
    if (key == kEnterKey || key == kLengthKey) { // a rest: its length key (or none), then "＃"
        if (key == kEnterKey) {
            reading.appendToken(u"I");
            return;
        }
        if (readLengthAndEnter(reading, true)) {
            note.length[0] = melody::restCodeOf(note.length[0]);
            reading.appendToken(note.length + note.dot);
        }
        return;
    }
    note.pitch = pitchNameOfDigitKey(key);
    if (note.pitch.empty()) {
        reading.appendNote(); // a key this phone does not have: read as a rest of the note's length
        return;
    }
    if (takeNextCell(reading, kSharpKey))
        note.sharp = u"#";
    std::u16string& octave = reading.octaveState;
    if (takeNextCell(reading, kOctaveKey)) {
        const int steps = currentPressGroup(reading).count;
        octave = melody::octaveMark((melody::octaveIndex(octave).value_or(1) + steps) % 3);
    }
    note.octave = octave;
    if (readLengthAndEnter(reading, false))
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeCRules() {
    static const PhoneTypeRules rules{
        .index = 4,
        .limit = 200,
        .limitRule = LimitRule::StopAtLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
