#pragma once
// Compiles the MML text of the parts (see mmlwriter.h) into a format 1 MIDI file: a conductor
// track with the tempo, then one track per part letter with its name, program changes and
// notes on the part's channel.
//
// The language, per line: a part letter "A" to "Z" first (a letter seen before continues that
// part), then in any order, blanks between them optional:
//   C n   channel 1-26      @ n  program 1-128      t n  tempo 4-999 quarter notes per minute
//   v n   velocity 1-127    o n  octave 0-9 (o5 c is MIDI note 72)    < >  octave down, up
//   c d e f g a b [+] [length] [.] {& length [.]}   a note; "&" ties further lengths on
//   r [length] [.] {& length [.]}                    a rest
// A length is a number 1-24 (a 1/n note, 4 when left out); a dot adds half.
//
// The first part's tempo is the file's tempo. Every other part keeps its own tempo: its events
// are placed at the times its own tempo gives them, so songs of different tempi still play at
// their own speed together.
//
// MIDI has 16 channels and channel 10 is for drums, so channel numbers go round the 15 melodic
// channels: C1-C9 are MIDI channels 1-9, C10-C15 are 11-16, C16 starts again at 1.

#include "sound/midievent.h"

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::sound {

inline constexpr int kMmlTicksPerQuarter = 480;

struct MmlError {
    int line = 0;   // 1-based
    int column = 0; // 1-based, in characters
    std::string message;

    // "line 3, column 7: unknown letter 'x'"
    std::string text() const;
};

struct MmlCompileResult {
    std::optional<SmfFile> file;
    MmlError error; // meaningful when file is empty
};

MmlCompileResult compileMml(std::u16string_view text);

// The MIDI channel (0-15) of an MML channel number 1-26.
uint8_t midiChannelOf(int mmlChannel);

} // namespace sarvo::sound
