#pragma once
// The MML text of up to 26 songs played together, one line per song (a part):
//
//   A C1 @1 t120 v127 o5 c4 >e8. r8
//
// The header names the part letter, the channel (the part number), the program counted from 1,
// the tempo, the volume and the starting octave (o5 is the middle octave 中). Every note is an
// optional octave change ("<" or ">" once per octave), the note letter, "+" for a sharp and the
// length number with an optional dot; a rest is "r" and its length. A note whose time no single
// length number holds (a tied note, or a merged run of repeated notes) continues with "&" and
// further lengths, so that every part keeps the time of its melody.

#include "common/interaction.h"

#include <string>
#include <vector>

namespace sarvo::sound {

inline constexpr int kMaxMmlParts = 26;

struct MmlPart {
    std::u16string melody; // the melody text
    int tempo = 100;       // quarter notes per minute, as the song stores it
    int program = 0;       // General MIDI program 0-127, written counted from 1
};

struct MmlOptions {
    // Runs of the same note are written as one note of the run's whole length, as phones that
    // merge repeated notes sound them.
    bool mergeRepeats = false;
};

// The MML line of one part (part index 0 is "A"), without line end.
std::string mmlPartLine(const MmlPart& part, int index, MmlOptions options = {});

// The parts a chord can play: all of them when there are 26 or fewer; otherwise the user is asked
// "和音の試聴は26パートまでです。" / "上から26曲を試聴しますか？" and Yes keeps the first 26, No none.
std::vector<MmlPart> partsToPlay(std::vector<MmlPart> parts, IInteractive& ui);

// The lines of the first 26 parts, each ended by CR LF.
std::string writeMml(const std::vector<MmlPart>& parts, MmlOptions options = {});

} // namespace sarvo::sound
