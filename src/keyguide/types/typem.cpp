// Type-M: sixty-four entries, one octave, no sharp key. Each note or rest is two key
// presses in one cell: its pitch — the digit key "１" ド to "７" シ, or "０" for a rest — and
// its length as one more digit: "０" whole, "１" sixteenth, "２" eighth, "３" dotted eighth,
// "４" quarter, "５" dotted quarter, "６" half, "７" dotted half. Notes of the low and high
// octaves are typed in the middle octave, and sharps as the natural.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/lengthlists.h"
#include "keyguide/types/numberedlengths.h"
#include "keyguide/types/sixteenthunits.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"０";

// The length digits, "０" to "７".
constexpr std::array<ListedLength, 8> kLengthList = {{
    {u'A', false},
    {u'E', false},
    {u'D', false},
    {u'D', true},
    {u'C', false},
    {u'C', true},
    {u'B', false},
    {u'B', true},
}};
constexpr NumberedLengths kLengths{kLengthList, 0};

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<int> number = kLengths.numberOf(code, note.dot == u".");
    if (!number)
        return; // a code with no length digit: the note counts but types nothing
    std::u16string_view pitchKey = kRestKey;
    if (melody::isNoteCode(code)) {
        pitchKey = digitKeyOf(note.pitch);
        if (pitchKey.empty())
            return;
    }
    conversion.appendCell(std::u16string(pitchKey) + fullWidthNumber(*number));
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote), emitUnit);
}

// The number of a length digit "０" to "９"; nullopt for any other key.
std::optional<int> digitOf(std::u16string_view key) {
    if (key.size() != 1 || key[0] < u'０' || key[0] > u'９')
        return std::nullopt;
    return key[0] - u'０';
}

void readCell(KeyReading& reading) {
    const std::array<std::u16string, 5>& keys = reading.keys;
    if (keys[0] == u"→")
        return;
    Note& note = reading.note;
    const bool rest = keys[0] == kRestKey;
    if (!rest) {
        note.pitch = pitchNameOfDigitKey(keys[0]);
        if (note.pitch.empty()) { // an unknown key: a rest of the note's length, and nothing more
            reading.appendNote();
            return;
        }
    }
    const std::optional<int> digit = digitOf(keys[1]);
    const std::optional<ListedLength> length =
        digit ? kLengths.lengthOf(*digit, rest) : std::nullopt;
    if (!length) { // every pitch key is followed by its length digit
        reading.conversionError();
        return;
    }
    note.length = std::u16string(1, length->noteCode);
    note.dot = length->dotted ? u"." : u"";
    if (rest)
        reading.appendToken(note.length + note.dot);
    else
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeMRules() {
    static const PhoneTypeRules rules{
        .index = 14,
        .limit = 64,
        .limitRule = LimitRule::StopAtLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
