// Type-Y: sixty-four units (the guide stops once more have been typed), all three octaves and
// sharps. Every note or rest is two cells, each closed with the "Ｆ" key: first the pitch — the
// digit key, "９" once per octave step up from where the last note left the phone (high wraps
// round to low), "▲" for a sharp — or "０" for a rest; then the length as its number in the
// phone's list of ten lengths, where the quarter, number 6, needs no number at all.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/numberedlengths.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kEnter = u"Ｆ";
constexpr std::u16string_view kOctaveKey = u"９";
constexpr std::u16string_view kSharpKey = u"▲";
constexpr std::u16string_view kRestKey = u"０";
constexpr int kQuarterNumber = 6; // the length the phone takes when no number is typed

constexpr std::array<ListedLength, 10> kLengthList = {{
    {u'E', false},
    {u'3', false},
    {u'D', false},
    {u'2', false},
    {u'D', true},
    {u'C', false},
    {u'C', true},
    {u'B', false},
    {u'B', true},
    {u'A', false},
}};
constexpr NumberedLengths kLengths{kLengthList, 1};

// Lengths missing from the list are first typed as the nearest ones it has.
UnitPlan planUnits(const Note& note) {
    UnitPlan plan = singleUnit(note);
    switch (plan.workingCode) {
    case u'A':
    case u'F': // a dotted whole: the whole and a half rest
        if (plan.dotted)
            plan = UnitPlan{2, plan.workingCode, false, u'G'};
        break;
    case u'E':
    case u'J': plan.dotted = false; break;
    case u'5': plan = UnitPlan{2, u'3', false, u']'}; break;
    case u'6': plan = UnitPlan{1, u'E', false, u'J'}; break;
    case u'_': plan = UnitPlan{1, u'\\', false, u'\\'}; break;
    case u'`': plan = UnitPlan{1, u'J', false, u'J'}; break;
    default: break;
    }
    return plan;
}

// Presses of the octave key from one octave to another: each press moves one octave up, from
// high back round to low.
int octaveSteps(int from, int to) {
    return (to - from + 3) % 3;
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<int> number = kLengths.numberOf(code, note.dot == u".");
    if (!number)
        return; // a code with no length on this phone: the unit counts but types nothing
    if (melody::isRestCode(code)) {
        conversion.appendCell(std::u16string(kRestKey) + std::u16string(kEnter));
    } else {
        const std::u16string_view digit = digitKeyOf(note.pitch);
        const std::optional<int> octave = melody::octaveIndex(note.octave);
        const std::optional<int> from = melody::octaveIndex(conversion.octaveState);
        if (digit.empty() || !octave || !from)
            return;
        std::u16string cell(digit);
        for (int step = octaveSteps(*from, *octave); step > 0; --step)
            cell += kOctaveKey;
        if (note.sharp == u"#")
            cell += kSharpKey;
        cell += kEnter;
        conversion.appendCell(cell);
        conversion.octaveState = note.octave;
    }
    conversion.appendCell(*number == kQuarterNumber
                              ? std::u16string(kEnter)
                              : fullWidthNumber(*number) + std::u16string(kEnter));
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

// The number of a length cell: "Ｆ" alone is the quarter, otherwise the number before "Ｆ".
std::optional<int> lengthNumberOf(std::u16string_view cell) {
    const size_t enter = cell.find(kEnter);
    if (enter == std::u16string_view::npos)
        return std::nullopt;
    for (char16_t c : cell.substr(enter + 1))
        if (c != kCellPad)
            return std::nullopt;
    if (enter == 0)
        return kQuarterNumber;
    return parseCount(cell.substr(0, enter));
}

// Reads the pitch cell of a note into the rebuilt note, moving the octave the phone is in;
// false when the cell is not closed with "Ｆ" as it must be.
bool readPitchCell(KeyReading& reading) {
    Note& note = reading.note;
    std::u16string& octave = reading.octaveState;
    int steps = 0;
    size_t at = 1;
    for (; at < reading.keys.size() && reading.keys[at] == kOctaveKey; ++at)
        ++steps;
    if (at < reading.keys.size() && reading.keys[at] == kSharpKey) {
        note.sharp = u"#";
        ++at;
    }
    if (at >= reading.keys.size() || reading.keys[at] != kEnter)
        return false;
    const int from = melody::octaveIndex(octave).value_or(1);
    octave = melody::octaveMark((from + steps) % 3);
    note.octave = octave;
    return true;
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    Note& note = reading.note;
    const bool rest = key == kRestKey;
    if (rest) {
        if (reading.keys[1] != kEnter) {
            reading.conversionError();
            return;
        }
    } else {
        note.pitch = pitchNameOfDigitKey(key);
        if (note.pitch.empty()) { // an unknown key: a rest of the note's length, and nothing more
            reading.appendNote();
            return;
        }
        if (!readPitchCell(reading)) {
            reading.conversionError();
            return;
        }
    }
    // Every pitch or rest cell is followed by its length cell.
    const std::optional<int> number = lengthNumberOf(reading.lookahead[0]);
    const std::optional<ListedLength> length =
        number ? kLengths.lengthOf(*number, rest) : std::nullopt;
    if (!length) {
        reading.conversionError();
        return;
    }
    reading.skipCells(1);
    if (rest) {
        reading.appendToken(std::u16string(1, length->noteCode) + (length->dotted ? u"." : u""));
        return;
    }
    note.length = std::u16string(1, length->noteCode);
    note.dot = length->dotted ? u"." : u"";
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeYRules() {
    static const PhoneTypeRules rules{
        .index = 26,
        .limit = 64,
        .limitRule = LimitRule::StopAfterLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
