// Type-B: fifty notes, the middle octave and high ド only, no sharps. A note lasts as many
// sixteenths as its key is pressed: "５×４" is a quarter ソ, "８" a sixteenth high ド and "＃" a
// sixteenth rest. Two notes typed on the same key are kept apart by one sixteenth of rest.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <algorithm>

namespace sarvo::keyguide {
namespace {

using melody::Note;

constexpr std::u16string_view kRestKey = u"＃";
constexpr std::u16string_view kHighDoKey = u"８";
// A count of three digits keeps a press group within its cell; longer runs go on in new cells.
constexpr int kMaxPressesPerCell = 999;

int sixteenthsOf(char16_t code, bool dotted) {
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'A': return dotted ? 24 : 16;
    case u'B': return dotted ? 12 : 8;
    case u'C': return dotted ? 6 : 4;
    case u'D': return dotted ? 3 : 2;
    case u'E': return 1;
    case u'2': return 3;
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return 0; // the tie alone and unknown codes type nothing
    }
}

// Sharps are ignored; a note the phone cannot play becomes a rest of the same length.
std::u16string_view keyOf(const Note& note) {
    if (!melody::isNoteCode(note.length[0]))
        return kRestKey;
    if (note.octave == u"中") {
        const std::u16string_view key = digitKeyOf(note.pitch);
        return key.empty() ? kRestKey : key;
    }
    if (note.octave == u"高" && note.pitch == u"ド")
        return kHighDoKey;
    return kRestKey;
}

std::u16string_view lastCell(const KeyConversion& conversion) {
    if (conversion.lastCellOffset >= conversion.keyText.size())
        return {};
    return std::u16string_view(conversion.keyText).substr(conversion.lastCellOffset, kCellWidth);
}

// Writes presses of a key, first onto the last cell when it holds the same key (presses of one
// key in a row are one press group on the phone).
void addPresses(KeyConversion& conversion, std::u16string_view key, int presses, bool joinLast) {
    if (joinLast) {
        const int held = pressGroupOf(lastCell(conversion)).count;
        const int added = std::min(presses, kMaxPressesPerCell - held);
        if (added > 0) {
            conversion.replaceLastCell(pressGroup(key, held + added));
            presses -= added;
        }
    }
    while (presses > 0) {
        const int group = std::min(presses, kMaxPressesPerCell);
        conversion.appendCell(pressGroup(key, group));
        presses -= group;
    }
}

// The earlier note gives its last press to the separator rest.
void takeSeparatorFromEarlierNote(KeyConversion& conversion, std::u16string_view key) {
    const int held = pressGroupOf(lastCell(conversion)).count;
    if (held > 1) {
        conversion.replaceLastCell(pressGroup(key, held - 1));
        conversion.appendCell(kRestKey);
    } else {
        conversion.replaceLastCell(kRestKey);
    }
}

void convertNote(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length.empty() ? char16_t{0} : note.length[0];
    int presses = sixteenthsOf(code, note.dot == u".") * (note.tieCount + 1);
    if (presses == 0)
        return;
    const std::u16string key(keyOf(note));
    const bool sameKey = key == conversion.previousKey;
    if (key == kRestKey) {
        addPresses(conversion, key, presses, sameKey); // rests in a row need no separator
    } else if (!sameKey) {
        addPresses(conversion, key, presses, false);
    } else if (conversion.lastNotePresses > 1) {
        takeSeparatorFromEarlierNote(conversion, key);
        addPresses(conversion, key, presses, false);
    } else if (presses > 1) {
        conversion.appendCell(kRestKey);
        addPresses(conversion, key, --presses, false);
    } else {
        addPresses(conversion, key, presses, true); // two sixteenths side by side
    }
    conversion.previousKey = key;
    // Whether the next note on the same key can take its separator from this one. A cell may
    // hold more presses than its last note: sixteenths typed side by side share one cell.
    conversion.lastNotePresses = presses;
}

void readCell(KeyReading& reading) {
    const std::u16string& key = reading.keys[0];
    if (key == u"→")
        return;
    Note& note = reading.note;
    if (key == kHighDoKey) {
        note.octave = u"高";
        note.pitch = u"ド";
    } else if (const std::u16string_view name = pitchNameOfDigitKey(key); !name.empty()) {
        note.octave = u"中";
        note.pitch = name;
    }
    // A key this phone does not have reads as a rest of the note's length, pressed as often.
    const int count = currentPressGroup(reading).count;
    for (int i = 0; i < count; ++i)
        reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeBRules() {
    static const PhoneTypeRules rules{
        .index = 3,
        .limit = 50,
        .limitRule = LimitRule::StopAtLimit,
        .limitCounts = LimitCount::Notes,
        .mergeRepeats = true,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"E"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
