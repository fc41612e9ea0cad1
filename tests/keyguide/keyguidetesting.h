#pragma once
// Helpers shared by the tests of the phone types: converting and reading with a fresh walk
// state, building key texts from press groups, and measuring what a melody sounds like.

#include "common/interaction.h"
#include "keyguide/keycells.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::keyguide {

inline std::u16string cells(std::initializer_list<std::u16string_view> groups) {
    std::u16string text;
    for (std::u16string_view group : groups)
        text += makeCell(group);
    return text;
}

// The text repeated the given number of times.
inline std::u16string repeated(std::u16string_view text, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

inline std::u16string toKeys(int typeIndex, std::u16string_view melody,
                             IInteractive* ui = nullptr) {
    melody::ParserState state;
    RecordingInteractive quiet;
    return convertToKeys(typeIndex, melody, state, ui ? *ui : quiet);
}

inline std::u16string fromKeys(int typeIndex, std::u16string_view keys,
                               IInteractive* ui = nullptr) {
    melody::ParserState state;
    RecordingInteractive quiet;
    return readKeys(typeIndex, keys, state, ui ? *ui : quiet);
}

// Whether a melody's guide types all of it: a note more would still be typed.
inline bool typedInFull(int typeIndex, std::u16string_view melody) {
    return toKeys(typeIndex, std::u16string(melody) + u"D中ド ") != toKeys(typeIndex, melody);
}

// What a melody sounds like: its length in ticks, ties included, and its pitches in order.
struct Sounding {
    int ticks = 0;
    std::vector<int> pitches;
};

inline Sounding soundingOf(std::u16string_view melodyText) {
    melody::ParserState state;
    Sounding result;
    state.readPos = 1;
    for (state.currentNote.clearText(); melody::readNextNote(state, melodyText);
         state.currentNote.clearText()) {
        const melody::Note& note = state.currentNote;
        const char16_t code = note.length[0];
        result.ticks += melody::lengthTicks(code, note.dot == u".") * (note.tieCount + 1);
        if (melody::isNoteCode(code))
            result.pitches.push_back(*melody::midiNoteNumber(note.octave, note.pitch, note.sharp));
    }
    return result;
}

} // namespace sarvo::keyguide
