#pragma once
// Random melody texts for round-trip tests: plain and dotted notes, ties, rests and complete
// tuplet groups (a group of three or six fills its beat, as written music has them), over the
// whole range 低ド to 高シ.

#include "melody/notecodes.h"
#include "melody/noteparser.h"

#include <random>
#include <string>
#include <vector>

namespace sarvo::sound::testing {

struct MelodyShape {
    bool ties = true;
    bool tuplets = true;
    bool dots = true;
    bool rests = true;
};

inline std::u16string randomPitch(std::mt19937& random) {
    const int key = static_cast<int>(random() % 36);
    return std::u16string(melody::octaveMark(key / 12)) +
           std::u16string(melody::pitchNameOf(key % 12)) +
           std::u16string(melody::sharpMarkOf(key % 12));
}

inline std::u16string randomMelody(std::mt19937& random, int groups, MelodyShape shape = {}) {
    std::u16string text;
    const auto chance = [&](int percent) {
        return static_cast<int>(random() % 100) < percent;
    };
    for (int g = 0; g < groups; ++g) {
        if (shape.tuplets && chance(15)) {
            const char16_t code = u"2356"[random() % 4];
            const int size = melody::tupletGroupSize(code);
            for (int i = 0; i < size; ++i) {
                if (shape.rests && chance(15))
                    text += std::u16string(1, melody::restCodeOf(code)) + u" ";
                else
                    text += code + randomPitch(random) + u" ";
            }
            continue;
        }
        const char16_t code = static_cast<char16_t>(u'A' + random() % 5);
        const std::u16string dot = shape.dots && chance(20) ? u"." : u"";
        if (shape.rests && chance(15)) {
            text += std::u16string(1, melody::restCodeOf(code)) + dot + u" ";
            continue;
        }
        text += code + dot + randomPitch(random) + u" ";
        if (shape.ties)
            for (int t = static_cast<int>(random() % 4); t == 1; t = static_cast<int>(random() % 4))
                text += u"^ ";
    }
    return text;
}

// A melody as its sounding notes: start and length in melody ticks and the MIDI key.
struct SoundingNote {
    int start;
    int ticks;
    int key;
    bool operator==(const SoundingNote&) const = default;
};

inline std::vector<SoundingNote> soundingNotes(const std::u16string& text) {
    std::vector<SoundingNote> notes;
    melody::ParserState state;
    int at = 0;
    for (state.currentNote.clearText(); melody::readNextNote(state, text);
         state.currentNote.clearText()) {
        const melody::Note& n = state.currentNote;
        const int ticks = melody::lengthTicks(n.length[0], n.dot == u".") * (n.tieCount + 1);
        if (auto key = melody::midiNoteNumber(n.octave, n.pitch, n.sharp);
            key && melody::isNoteCode(n.length[0]))
            notes.push_back({at, ticks, *key});
        at += ticks;
    }
    return notes;
}

} // namespace sarvo::sound::testing
