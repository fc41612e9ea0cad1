// Type-F: 128 notes, no low octave. Every note or rest is two press groups, which the phone takes
// one after the other: the pitch — the digit key pressed once for the middle natural, "×２" to
// "×４" for the middle sharp, high natural and high sharp, or the ド key pressed five times, past
// its four pitches, for a rest — and then the length, a digit key by the length's number: "１" a
// sixteenth, "２" an eighth, "３" a dotted eighth, "４" a quarter, "５" a dotted quarter, "６" a
// half, "７" a dotted half. The length key pressed n times holds the length n times over, so a
// whole note is "６×２" and a tied quarter "４×２".

#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/eighthunits.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>
#include <optional>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"１";
constexpr int kRestPresses = 5;

struct LengthKey {
    char16_t noteCode;
    bool dotted;
    std::u16string_view key;
};
constexpr std::array<LengthKey, 7> kLengthKeys = {{
    {u'E', false, u"１"},
    {u'D', false, u"２"},
    {u'D', true, u"３"},
    {u'C', false, u"４"},
    {u'C', true, u"５"},
    {u'B', false, u"６"},
    {u'B', true, u"７"},
}};

// The length key of a note or rest and how often it is pressed. A whole note is two halves and a
// dotted whole three; a dotted sixteenth is a sixteenth, a quarter-note triplet a dotted eighth
// and the shorter tuplets a sixteenth. Ties hold the length again.
std::optional<PressGroup> lengthGroupOf(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    char16_t noteCode = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    bool dotted = note.dot == u".";
    int times = 1;
    switch (noteCode) {
    case u'A': noteCode = u'B', times = dotted ? 3 : 2, dotted = false; break;
    case u'E': dotted = false; break;
    case u'2': noteCode = u'D', dotted = true; break;
    case u'3':
    case u'5':
    case u'6': noteCode = u'E'; break;
    default: break;
    }
    for (const LengthKey& length : kLengthKeys)
        if (length.noteCode == noteCode && length.dotted == dotted)
            return PressGroup{std::u16string(length.key), times * (note.tieCount + 1)};
    return std::nullopt;
}

// One entry per note: the length presses hold its ties.
void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const std::optional<PressGroup> length = lengthGroupOf(note);
    if (!length)
        return; // neither a note nor a rest: nothing to type
    const std::u16string_view key = digitKeyOf(note.pitch);
    // A low note, or a pitch the phone does not know, becomes a rest.
    if (melody::isNoteCode(note.length[0]) && !key.empty() &&
        (note.octave == u"中" || note.octave == u"高"))
        conversion.appendCell(pressGroup(key, middleHighPresses(note)));
    else
        conversion.appendCell(pressGroup(kRestKey, kRestPresses));
    conversion.appendCell(pressGroup(length->key, length->count));
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, heldUnit(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    Note& note = reading.note;
    const PressGroup pitch = currentPressGroup(reading);
    note.pitch = pitchNameOfDigitKey(pitch.key);
    if (note.pitch.empty()) {
        reading.appendNote(); // a key this phone does not have: a rest of the note's length
        return;
    }
    const bool rest = pitch.count >= kRestPresses;
    if (rest)
        note.pitch.clear();
    else
        setMiddleHighPitch(note, pitch.count);

    // Every pitch is followed by its length.
    const PressGroup length = pressGroupOf(reading.lookahead[0]);
    const LengthKey* found = nullptr;
    for (const LengthKey& candidate : kLengthKeys)
        if (candidate.key == length.key)
            found = &candidate;
    if (!found || length.count < 1) {
        reading.conversionError();
        return;
    }
    reading.skipCells(1);
    int times = length.count;
    note.length = std::u16string(1, rest ? melody::restCodeOf(found->noteCode) : found->noteCode);
    note.dot = found->dotted ? u"." : u"";
    if (found->noteCode == u'B' && !found->dotted && (times == 2 || times == 3)) {
        note.length = rest ? u"F" : u"A";
        note.dot = times == 3 ? u"." : u"";
        times = 1;
    }
    // A held rest keeps its time as ties, as a held note does.
    reading.appendNote();
    for (int i = 1; i < times; ++i)
        reading.appendToken(u"^");
}

} // namespace

const PhoneTypeRules& typeFRules() {
    static const PhoneTypeRules rules{
        .index = 7,
        .limit = 128,
        .limitRule = LimitRule::StopAtLimit,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"C", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
