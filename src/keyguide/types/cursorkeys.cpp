#include "keyguide/types/cursorkeys.h"

#include "keyguide/types/lengthlists.h"
#include "keyguide/types/pressgroups.h"
#include "keyguide/types/typerules.h"
#include "melody/notecodes.h"

#include <array>
#include <optional>

namespace sarvo::keyguide {
namespace {

using melody::Note;

// The phone's lengths, whole note first; the list is numbered from 1, so the length key is
// pressed at least once and closes every note.
constexpr std::array<std::u16string_view, 9> kLengths = {u"",  u"A",  u"B.", u"B", u"C.",
                                                         u"C", u"D.", u"D",  u"E"};
constexpr int kLowestMidi = 60;
constexpr int kHighestMidi = 95;

std::array<KeyedLengthList, 1> lengthKeysOf(const CursorKeyPhone& phone) {
    return {KeyedLengthList{phone.lengthKey, kLengths}};
}

// The pitch the phone types for a MIDI note, or nullopt where it types a rest instead.
std::optional<int> playablePitch(const CursorKeyPhone& phone, int midi) {
    if (midi >= phone.lowestMidi && midi <= phone.highestMidi)
        return midi;
    if (phone.outOfRange == OutOfRange::Rest)
        return std::nullopt;
    while (midi < phone.lowestMidi)
        midi += 12;
    while (midi > phone.highestMidi)
        midi -= 12;
    return midi;
}

void emitUnit(KeyConversion& conversion, const CursorKeyPhone& phone) {
    const Note& note = conversion.state.currentNote;
    const char16_t code = note.length[0];
    const std::optional<std::u16string> length =
        lengthCellOf(lengthKeysOf(phone), lengthNameOf(note));
    if (!length)
        return; // a code with no length on this phone: the unit counts but types nothing
    std::optional<int> midi;
    if (melody::isNoteCode(code)) {
        const std::optional<int> written =
            melody::midiNoteNumber(note.octave, note.pitch, note.sharp);
        if (!written)
            return; // no pitch this phone knows
        midi = playablePitch(phone, *written);
    } else if (!melody::isRestCode(code)) {
        return;
    }
    if (!midi) {
        conversion.appendCell(phone.restKey);
        conversion.appendCell(*length);
        return;
    }
    const int octave = (*midi - kLowestMidi) / 12;
    const int semitone = (*midi - kLowestMidi) % 12;
    const bool sharp = melody::sharpMarkOf(semitone) == u"#";
    int presses = 1;
    if (!phone.octaveKey.empty()) {
        const int from = melody::octaveIndex(conversion.octaveState).value_or(1);
        if (const int steps = (octave - from + 3) % 3; steps > 0)
            conversion.appendCell(pressGroup(phone.octaveKey, steps));
        conversion.octaveState = melody::octaveMark(octave);
    } else if (octave == 2) {
        presses = phone.highPresses;
    }
    if (sharp && phone.sharpKey.empty())
        presses = phone.sharpPresses;
    conversion.appendCell(pressGroup(digitKeyOf(melody::pitchNameOf(semitone)), presses));
    if (sharp && !phone.sharpKey.empty())
        conversion.appendCell(phone.sharpKey);
    conversion.appendCell(*length);
}

// The semitones a note key's presses add to its natural, and the octave they reach.
struct KeyPresses {
    int semitones = 0;
    bool high = false;
};

KeyPresses keyPressesOf(const CursorKeyPhone& phone, int count) {
    if (phone.sharpPresses > 1 && count == phone.sharpPresses)
        return {1, false};
    if (phone.flatPresses > 1 && count == phone.flatPresses)
        return {-1, false};
    if (phone.highPresses > 1 && count == phone.highPresses)
        return {0, true};
    return {}; // one press, or a count the key does not have
}

} // namespace

void convertCursorKeyNote(KeyConversion& conversion, const CursorKeyPhone& phone) {
    emitUnits(conversion, listLengthUnits(conversion.state.currentNote),
              [&phone](KeyConversion& c) { emitUnit(c, phone); });
}

void readCursorKeyCell(KeyReading& reading, const CursorKeyPhone& phone) {
    if (reading.keys[0] == u"→")
        return;
    const PressGroup group = currentPressGroup(reading);
    std::u16string& octaveState = reading.octaveState;
    if (!phone.octaveKey.empty() && group.key == phone.octaveKey) {
        const int from = melody::octaveIndex(octaveState).value_or(1);
        octaveState = melody::octaveMark((from + group.count) % 3);
        return;
    }
    if (group.key == phone.lengthKey) { // a length with no note before it
        reading.conversionError();
        return;
    }
    const bool rest = group.key == phone.restKey;
    const std::u16string_view name = rest ? std::u16string_view() : pitchNameOfDigitKey(group.key);
    const bool known = rest || !name.empty();

    std::optional<int> midi;
    size_t next = 0;
    if (!name.empty()) {
        const KeyPresses presses = keyPressesOf(phone, group.count);
        std::u16string_view octave = octaveState;
        if (phone.octaveKey.empty())
            octave = presses.high ? u"高" : u"中";
        midi = *melody::midiNoteNumber(octave, name, u"") + presses.semitones;
        if (!phone.sharpKey.empty() && pressGroupOf(reading.lookahead[0]).key == phone.sharpKey) {
            ++*midi;
            ++next;
        }
    }
    const auto lengthKeys = lengthKeysOf(phone);
    const PressGroup lengthGroup = pressGroupOf(reading.lookahead[next]);
    Note& note = reading.note;
    if (lengthGroup.key == phone.lengthKey) {
        setLength(note, lengthOfPresses(lengthKeys[0], lengthGroup), false);
        ++next;
    } else if (known) { // every note and rest is closed by its length
        reading.conversionError();
        return;
    }
    reading.skipCells(static_cast<int>(next));
    if (midi && *midi >= kLowestMidi && *midi <= kHighestMidi) {
        const int semitone = (*midi - kLowestMidi) % 12;
        note.octave = melody::octaveMark((*midi - kLowestMidi) / 12);
        note.pitch = melody::pitchNameOf(semitone);
        note.sharp = melody::sharpMarkOf(semitone);
    }
    reading.appendNote(); // without a pitch, the rest of the length read
}

} // namespace sarvo::keyguide
