// Type-T: 256 entries (the guide stops once more have been typed), all three octaves and
// sharps. Each note is typed as its pitch number on two digit keys, counting semitones from the
// low ド ("０１") to the high シ ("３６"), with "００" for a rest; then "０" pressed once per
// step of its length in the phone's list of five lengths; then "→", which enters the note.
// A length the list lacks cannot be typed: the user is told, and the note is entered with the
// phone's first length.

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

constexpr std::u16string_view kLengthKey = u"０";
constexpr std::u16string_view kEnter = u"→";
constexpr std::u16string_view kRestPitch = u"００";
constexpr int kPitchCount = 36;

constexpr std::array<ListedLength, 5> kLengthList = {{
    {u'D', false},
    {u'C', false},
    {u'C', true},
    {u'B', false},
    {u'E', false},
}};
constexpr NumberedLengths kLengths{kLengthList, 0};

bool isDigitKey(std::u16string_view key) {
    return key.size() == 1 && key[0] >= u'０' && key[0] <= u'９';
}

// The pitch cell: two digits, "０１" for the low ド to "３６" for the high シ.
std::u16string pitchNumberCell(int number) {
    return (number < 10 ? u"０" : u"") + fullWidthNumber(number);
}

std::u16string lengthCell(int number) {
    if (number == 1)
        return std::u16string(kLengthKey);
    return std::u16string(kLengthKey) + pressCount(number);
}

// Appends one note or rest; false when its length has no number on this phone.
bool emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isNoteCode(code)) {
        const std::optional<int> octave = melody::octaveIndex(note.octave);
        const std::optional<int> semitone = melody::semitoneOf(note.pitch, note.sharp);
        if (!octave || !semitone)
            return true; // no pitch this phone knows: the unit counts but types nothing
        conversion.appendCell(pitchNumberCell(12 * *octave + *semitone + 1));
    } else if (melody::isRestCode(code)) {
        conversion.appendCell(kRestPitch);
    } else {
        return true; // neither a note nor a rest: nothing to type
    }
    const std::optional<int> number = kLengths.numberOf(code, note.dot == u".");
    if (number && *number > 0)
        conversion.appendCell(lengthCell(*number));
    conversion.appendCell(kEnter);
    return number.has_value();
}

void convertNote(KeyConversion& conversion) {
    // A tie continues the note as rests of its length; one message covers the whole note.
    bool unexpressible = false;
    emitUnits(conversion, singleUnit(conversion.state.currentNote),
              [&unexpressible](KeyConversion& c) { unexpressible |= !emitUnit(c); });
    if (unexpressible)
        conversion.ui.showMessage(kConversionError);
}

// The number of presses in a length cell ("０" once, "０×n"); nullopt for any other cell.
std::optional<int> lengthPressesOf(std::u16string_view cell) {
    if (cell.substr(0, 1) != kLengthKey)
        return std::nullopt;
    const std::u16string_view rest = cell.substr(1);
    if (rest.find_first_not_of(kCellPad) == std::u16string_view::npos)
        return 1;
    if (rest.substr(0, 1) != u"×")
        return std::nullopt;
    return parseCount(rest.substr(1));
}

void readCell(KeyReading& reading) {
    const std::array<std::u16string, 5>& keys = reading.keys;
    if (keys[0] == kEnter)
        return;
    Note& note = reading.note;
    if (!isDigitKey(keys[0]) || !isDigitKey(keys[1])) {
        reading.appendNote(); // an unknown key: a rest of the note's length
        return;
    }
    const int pitchNumber = 10 * (keys[0][0] - u'０') + (keys[1][0] - u'０');
    const bool rest = pitchNumber == 0;
    if (pitchNumber >= 1 && pitchNumber <= kPitchCount) {
        const int octave = (pitchNumber - 1) / 12;
        const int semitone = (pitchNumber - 1) % 12;
        note.octave = melody::octaveMark(octave);
        note.pitch = melody::pitchNameOf(semitone);
        note.sharp = melody::sharpMarkOf(semitone);
    }
    // The length presses, if any, then the "→" that enters the note.
    int next = 0;
    int number = 0;
    if (const std::optional<int> presses = lengthPressesOf(reading.lookahead[0])) {
        number = *presses;
        ++next;
    }
    const std::optional<ListedLength> length = kLengths.lengthOf(number, rest);
    if (!length || reading.lookahead[static_cast<size_t>(next)].substr(0, 1) != kEnter) {
        reading.conversionError();
        return;
    }
    reading.skipCells(next + 1);
    if (rest) {
        reading.appendToken(std::u16string(1, length->noteCode) + (length->dotted ? u"." : u""));
        return;
    }
    note.length = std::u16string(1, length->noteCode);
    note.dot = length->dotted ? u"." : u"";
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeTRules() {
    static const PhoneTypeRules rules{
        .index = 21,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
