#pragma once
// Turns a single line of timed notes into melody text: onsets and lengths are fitted to the
// length codes the i-melody format carries, notes are moved into the melody's range.
//
// Time is counted in melody ticks, 48 to a quarter note. Every quarter-note beat is read on one
// grid, sixteenths, eighth triplets or eighth sextuplets (beatgrids.h), so a triplet comes out as
// triplet notes and never as odd dotted lengths. A note gets the length code nearest its sounding
// time that leaves the time up to the next onset to rests; a note longer than a whole note is a
// whole note and rests.

#include <string>
#include <vector>

namespace sarvo::sound {

struct TimedNote {
    double start = 0; // melody ticks
    double end = 0;
    int key = 60; // MIDI note number
};

struct QuantizedNote {
    int start = 0; // melody ticks on the grid
    int ticks = 0; // one of the lengths of the i-melody format
    int key = 60;
    bool operator==(const QuantizedNote&) const = default;
};

// Moves the notes back by the offset of the playing from the beat (a constant or slowly drifting
// delay, at most a 32nd note), so that late or early playing is read on the beats it means. A
// melody that would then start before time 0 moves by whole notes.
void removePlayingOffset(std::vector<TimedNote>& notes);

// Shortens silences a ringtone has no use for, by whole notes so that the beats stay where they
// were: the silence before the first note goes, silences between notes keep at most two whole
// notes. A note that sounds longer than a whole note counts as silent after its first whole
// note, as it will be cut there.
void closeLongSilences(std::vector<TimedNote>& notes);

// Notes in start order, one at a time (a note ends before the next starts).
std::vector<QuantizedNote> quantizeNotes(const std::vector<TimedNote>& notes);

// Moves the keys into 低ド to 高シ (MIDI 60 to 95): the whole melody by the octave shift that
// leaves the most notes inside (the smallest such shift), then each note still outside by
// octaves of its own.
void fitIntoRange(std::vector<QuantizedNote>& notes);

// The melody text: notes and the rests between them, each a token and a space. Rests are split
// the way the i-melody decoder splits a gap, so decoding the encoded melody gives this text.
std::u16string melodyTextOf(const std::vector<QuantizedNote>& notes);

} // namespace sarvo::sound
