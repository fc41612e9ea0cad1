#pragma once
// A note's pitch as the number of steps a key is pressed past its middle natural: middle,
// middle sharp, high, high sharp, low, low sharp; ミ and シ, which have no sharp, step through
// middle, high and low. The phones that count such steps on another key than the note's own
// (Type-AG on "＊", Type-AI on the note key written out, Type-AJ on "＊") share this order with
// the digit keys of Type-AA.

#include "keyguide/types/steppedpitchkeys.h"
#include "melody/note.h"

#include <optional>

namespace sarvo::keyguide {

// Steps past the middle natural; nullopt for an octave the phone does not know.
inline std::optional<int> pitchStepOf(const melody::Note& note) {
    const int octave = octavePressIndex(note.octave);
    if (octave < 0)
        return std::nullopt;
    const bool hasSharp = pitchHasSharp(note.pitch);
    const int sharp = hasSharp && note.sharp == u"#" ? 1 : 0;
    return octave * (hasSharp ? 2 : 1) + sharp;
}

// Sets the octave and sharp of a read-back note from its steps; a count past the last pitch
// goes round again, as the key does.
inline void setPitchStep(melody::Note& note, int steps) {
    const int perOctave = pitchHasSharp(note.pitch) ? 2 : 1;
    const int step = ((steps % (3 * perOctave)) + 3 * perOctave) % (3 * perOctave);
    note.octave = octaveAtPressIndex(step / perOctave);
    note.sharp = step % perOctave ? u"#" : u"";
}

} // namespace sarvo::keyguide
