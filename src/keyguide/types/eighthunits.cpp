#include "keyguide/types/eighthunits.h"

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/steppedpitchkeys.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr int kMaxRestsPerGroup = 4;

// A note that lasts n eighths is typed as the note followed by n-1 eighth rests; sixteenths,
// dotted eighths and tuplets are one eighth.
UnitPlan planUnits(const Note& note) {
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    const bool dotted = note.dot == u".";
    const bool rest = melody::isRestCode(code);
    UnitPlan plan{1, rest ? u'I' : u'D', false, u'I'};
    switch (rest ? melody::noteCodeOf(code) : code) {
    case u'A': plan.units = dotted ? 12 : 8; break;
    case u'B': plan.units = dotted ? 6 : 4; break;
    case u'C': plan.units = dotted ? 3 : 2; break;
    case u'D':
    case u'E':
    case u'2':
    case u'3':
    case u'5':
    case u'6': break;
    default: plan.workingCode = 0; // one unit that types nothing
    }
    return plan;
}

std::u16string group(const EighthUnitKeys& keys, std::u16string_view key, int presses) {
    if (keys.countEveryGroup)
        return std::u16string(key) + pressCount(presses);
    return pressGroup(key, presses);
}

void appendRest(KeyConversion& conversion, const EighthUnitKeys& keys) {
    if (keys.countEveryGroup && conversion.previousKey == keys.restKey) {
        const std::u16string_view last =
            std::u16string_view(conversion.keyText).substr(conversion.lastCellOffset, kCellWidth);
        if (const int held = pressGroupOf(last).count; held < kMaxRestsPerGroup) {
            conversion.replaceLastCell(group(keys, keys.restKey, held + 1));
            return;
        }
    }
    conversion.appendCell(group(keys, keys.restKey, 1));
    conversion.previousKey = keys.restKey;
}

void emitUnit(KeyConversion& conversion, const EighthUnitKeys& keys) {
    Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const bool low = note.octave == u"低";
    if (melody::isPlainRestCode(code) ||
        (melody::isPlainNoteCode(code) && low && !keys.lowOctaveUp)) {
        appendRest(conversion, keys);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    if (!melody::isPlainNoteCode(code) || key.empty() || !melody::octaveIndex(note.octave))
        return; // nothing the phone can type; the unit still counts
    const std::u16string cell = group(keys, key, middleHighPresses(note));
    if (keys.cursorBeforeRepeat) {
        appendAfterCursorIfRepeated(conversion, key, cell);
    } else {
        conversion.appendCell(cell);
        conversion.previousKey = key;
    }
}

} // namespace

int middleHighPresses(const Note& note) {
    const bool sharp = note.sharp == u"#" && pitchHasSharp(note.pitch);
    if (note.octave == u"高")
        return pitchHasSharp(note.pitch) ? (sharp ? 4 : 3) : 2;
    return sharp ? 2 : 1;
}

void setMiddleHighPitch(Note& note, int presses) {
    const bool hasSharp = pitchHasSharp(note.pitch);
    if (presses == 2 && !hasSharp)
        note.octave = u"高";
    else if (presses == 2)
        note.sharp = u"#";
    else if (presses == 3 && hasSharp)
        note.octave = u"高";
    else if (presses == 4 && hasSharp)
        note.octave = u"高", note.sharp = u"#";
}

void convertEighthUnitNote(KeyConversion& conversion, const EighthUnitKeys& keys) {
    emitUnits(conversion, planUnits(conversion.state.currentNote),
              [&keys](KeyConversion& c) { emitUnit(c, keys); });
}

void readEighthUnitCell(KeyReading& reading, const EighthUnitKeys& keys) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup presses = currentPressGroup(reading);
    if (presses.key == keys.restKey) {
        // A group of rests reads as one rest of its eighths, so that typing it again fills the
        // same groups.
        static constexpr std::u16string_view kRestOfEighths[] = {u"I", u"H", u"H.", u"G"};
        for (int left = presses.count; left > 0; left -= kMaxRestsPerGroup)
            reading.appendToken(kRestOfEighths[std::min(left, kMaxRestsPerGroup) - 1]);
        return;
    }
    Note& note = reading.note;
    note.pitch = pitchNameOfDigitKey(presses.key);
    if (!note.pitch.empty())
        setMiddleHighPitch(note, presses.count);
    reading.appendNote();
}

} // namespace sarvo::keyguide
