// Type-AC: 256 units, all three octaves. The note key pressed n times gives the note and its
// length at once (once a sixteenth, twice an eighth, up to five times a whole note); "０" is a
// rest of the same counts. After the note cell, "８" changes the sharp the phone keeps for that
// note name, and "９" steps the octave round 低 → 中 → 高 → 低 from the octave the last note
// left the phone in. A cell typed on the same key as the cell before it is preceded by "→".
//
// Of the two sharp presses, "８" is written when a name turns sharp and "８×２" when it turns
// natural again; the reader takes them the same way.

#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

using melody::Note;

// Numbered 0 to 4: the note key is pressed number + 1 times.
constexpr std::u16string_view kLengths = u"EDCBA";
constexpr std::u16string_view kSharpKey = u"８";
constexpr std::u16string_view kOctaveKey = u"９";
constexpr int kSharpOn = 1;  // presses of "８" that make a name sharp
constexpr int kSharpOff = 2; // presses that make it natural again
constexpr std::array<std::u16string_view, 3> kOctaveCycle = {u"低", u"中", u"高"};

int cycleIndex(std::u16string_view octave) {
    for (size_t i = 0; i < kOctaveCycle.size(); ++i)
        if (kOctaveCycle[i] == octave)
            return static_cast<int>(i);
    return -1;
}

bool hasSharp(std::u16string_view pitch) {
    return melody::semitoneOf(pitch, u"#").has_value();
}

// Dotted lengths are the note and the rest one length shorter; tuplets become the nearest
// lengths the key counts reach.
UnitPlan planUnits(const Note& note) {
    UnitPlan plan = singleUnit(note);
    const char16_t code = plan.workingCode;
    if (melody::isPlainNoteCode(code) || melody::isPlainRestCode(code)) {
        // The rest of the same length; its code plus one is the rest one length shorter.
        const char16_t rest = melody::isRestCode(code) ? code : melody::restCodeOf(code);
        if (plan.dotted && rest != u'J')
            plan = UnitPlan{2, code, false, static_cast<char16_t>(rest + 1)};
        plan.dotted = false; // a dotted sixteenth has nothing shorter to split into
        return plan;
    }
    switch (code) {
    case u'2': plan = UnitPlan{2, u'D', false, u'J'}; break;
    case u'\\': plan = UnitPlan{2, u'I', false, u'J'}; break;
    case u'3':
    case u'5':
    case u'6': plan = UnitPlan{1, u'E', false, u'J'}; break;
    case u']':
    case u'_':
    case u'`': plan = UnitPlan{1, u'J', false, u'J'}; break;
    default: break;
    }
    return plan;
}

void appendKey(KeyConversion& conversion, std::u16string_view key, int presses) {
    appendAfterCursorIfRepeated(conversion, key, pressGroup(key, presses));
}

void emitUnit(KeyConversion& conversion) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const bool rest = melody::isPlainRestCode(code);
    const size_t number = kLengths.find(rest ? melody::noteCodeOf(code) : code);
    if (number == std::u16string_view::npos)
        return; // a code with no key count: the unit counts but types nothing
    const int presses = static_cast<int>(number) + 1;
    if (rest) {
        appendKey(conversion, u"０", presses);
        return;
    }
    const std::u16string_view key = digitKeyOf(note.pitch);
    const int octave = cycleIndex(note.octave);
    if (key.empty() || octave < 0)
        return;
    appendKey(conversion, key, presses);

    const size_t name = static_cast<size_t>(key[0] - u'１');
    const bool sharp = note.sharp == u"#" && hasSharp(note.pitch);
    if (sharp != conversion.sharpState[name]) {
        appendKey(conversion, kSharpKey, sharp ? kSharpOn : kSharpOff);
        conversion.sharpState[name] = sharp;
    }
    const int from = cycleIndex(conversion.octaveState);
    const int steps = (octave - (from < 0 ? 1 : from) + 3) % 3;
    if (steps > 0)
        appendKey(conversion, kOctaveKey, steps);
    conversion.octaveState = note.octave;
}

void convertNote(KeyConversion& conversion) {
    emitUnits(conversion, planUnits(conversion.state.currentNote), emitUnit);
}

void readCell(KeyReading& reading) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    if (group.key == kSharpKey || group.key == kOctaveKey) {
        reading.conversionError(); // a sharp or octave key with no note before it
        return;
    }
    Note& note = reading.note;
    if (group.count >= 1 && group.count <= static_cast<int>(kLengths.size()))
        note.length = std::u16string(1, kLengths[static_cast<size_t>(group.count - 1)]);
    if (group.key == u"０") {
        reading.appendToken(std::u16string(1, melody::restCodeOf(note.length[0])));
        return;
    }
    note.pitch = pitchNameOfDigitKey(group.key);
    if (note.pitch.empty()) {
        reading.appendNote();
        return;
    }
    // The phone keeps a sharp per name and the octave of the last note until a key changes them.
    const size_t name = static_cast<size_t>(group.key[0] - u'１');
    bool sharp = reading.sharpState[name];
    std::u16string_view octave = reading.octaveState;
    int consumed = 0;
    PressGroup next = pressGroupOf(reading.lookahead[0]);
    if (next.key == kSharpKey) {
        if (next.count == kSharpOn || next.count == kSharpOff)
            sharp = next.count == kSharpOn;
        next = pressGroupOf(reading.lookahead[++consumed]);
    }
    if (next.key == kOctaveKey) {
        const int from = cycleIndex(octave);
        octave = kOctaveCycle[static_cast<size_t>(((from < 0 ? 1 : from) + next.count) % 3)];
        ++consumed;
    }
    reading.skipCells(consumed);
    note.octave = octave;
    note.sharp = sharp && hasSharp(note.pitch) ? u"#" : u"";
    reading.sharpState[name] = sharp;
    reading.octaveState = note.octave;
    reading.appendNote();
}

} // namespace

const PhoneTypeRules& typeACRules() {
    static const PhoneTypeRules rules{
        .index = 30,
        .limit = 256,
        .limitRule = LimitRule::StopAfterLimit,
        .limitCounts = LimitCount::Units,
        .convertNote = convertNote,
        .readerDefault = Note{.length = u"E", .octave = u"中"},
        .readCell = readCell,
    };
    return rules;
}

} // namespace sarvo::keyguide
