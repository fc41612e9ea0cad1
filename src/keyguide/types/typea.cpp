// Type-A: thirty units, no low octave, one fixed key length. Every unit is an eighth: a note's
// digit key pressed once gives the middle natural, again the middle sharp, the high natural and
// the high sharp (ミ and シ: middle, high); "０" is an eighth rest, and "→" ends a note when
// the next one is typed on the same key.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

namespace sarvo::keyguide {
namespace {

using melody::Note;

// A note that lasts n eighths is typed as the note followed by n-1 eighth rests.
UnitPlan planUnits(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool dotted = note.dot == u".";
    UnitPlan plan{1, code, false, u'I'};
    auto eighths = [&](int plain, int withDot) {
        plan.units = dotted ? withDot : plain;
    };
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'A': eighths(8, 12); break;
    case u'B': eighths(4, 6); break;
    case u'C': eighths(2, 3); break;
    case u'D':
    case u'E':
    case u'2':
    case u'3':
    case u'5':
    case u'6': break;
    default: return plan; // one unit that types nothing
    }
    plan.workingCode = melody::isRestCode(code) ? u'I' : u'D';
    return plan;
}

bool hasNoSharpKey(std::u16string_view name) {
    return name == u"ミ" || name == u"シ";
}

void emitUnit(KeyConversion& conversion) {
    Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    if (melody::isPlainRestCode(code)) {
        note.pitch = u"0";
        conversion.appendCell(u"０");
        return;
    }
    if (!melody::isPlainNoteCode(code))
        return;
    const bool sharp = note.sharp == u"#";
    if (note.octave == u"中") {
        conversion.octaveSuffix = sharp ? u"×２" : u"";
    } else if (note.octave == u"高") {
        conversion.octaveSuffix = sharp ? u"×４" : hasNoSharpKey(note.pitch) ? u"×２" : u"×３";
    } else if (note.octave == u"低") { // the phone has no low notes: the note becomes a rest
        note.pitch = u"0";
        conversion.appendCell(u"０");
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    if (key.empty())
        return; // no pitch name this phone knows: the unit counts but types nothing
    if (note.pitch == conversion.state.previousNote.pitch)
        conversion.appendCell(u"→");
    conversion.appendCell(std::u16string(key) + conversion.octaveSuffix);
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    if (key == u"０") {
        const int count =
            parseCount(reading.keys[2] + reading.keys[3] + reading.keys[4]).value_or(1);
        for (int i = 0; i < count; ++i)
            reading.appendToken(u"I");
        return;
    }
    Note& note = reading.note;
    note.pitch = pitchNameOfDigitKey(key);
    if (!note.pitch.empty() && reading.keys[1] == u"×") {
        const std::u16string& presses = reading.keys[2];
        const bool natural = hasNoSharpKey(note.pitch);
        if (presses == u"２" && natural)
            note.octave = u"高";
        else if (presses == u"２")
            note.sharp = u"#";
        else if (presses == u"３" && !natural)
            note.octave = u"高";
        else if (presses == u"４" && !natural)
            note.octave = u"高", note.sharp = u"#";
    }
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeARules() {
    static const PhoneTypeRules rules{
        .index = 2,
        .limit = 30,
        .limitRule = LimitRule::StopAtLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"D", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
