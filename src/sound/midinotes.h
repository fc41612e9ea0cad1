#pragma once
// The notes of a MIDI file as spans (note-on to its note-off), the voices they form (the notes of
// one track on one channel), and the choice of the voice that carries the melody.

#include "sound/midievent.h"

#include <optional>
#include <string>
#include <vector>

namespace sarvo::sound {

struct NoteSpan {
    int track = 0;   // index into SmfFile::tracks
    int channel = 0; // 0-15
    int key = 0;
    int velocity = 0;
    uint32_t start = 0; // ticks
    uint32_t end = 0;
};

// Every note of the file in start order. A note-off ends the earliest open note of its key on
// its channel and track; notes still open at the end of their track end there. Notes that end
// where they start are left out.
std::vector<NoteSpan> collectNotes(const SmfFile& file);

// The notes of one track on one channel.
struct Voice {
    int track = 0;
    int channel = 0;
    std::string name; // the track's name (bytes as the file holds them)
    int noteCount = 0;
    int lowest = 0;
    int highest = 0;
    int upperOnsets = 0; // start times of notes at middle C (MIDI 60) or above, chords once
    bool drums() const { return channel == kDrumChannel; }
};

std::vector<Voice> listVoices(const SmfFile& file, const std::vector<NoteSpan>& notes);

// Which notes form the melody: one track (all its channels), one channel (of all tracks), or by
// default the voice with the most notes in the upper register. The drum channel never counts.
struct MelodySource {
    std::optional<int> track;   // index into SmfFile::tracks
    std::optional<int> channel; // 0-15
};

struct ChosenNotes {
    std::vector<NoteSpan> notes;
    std::optional<Voice> voice; // the voice chosen by default
    std::string error;          // why no note was chosen
};

ChosenNotes chooseMelodyNotes(const SmfFile& file, const std::vector<NoteSpan>& notes,
                              MelodySource source);

// The top line: of notes that start together the highest stays; a lower note that starts while a
// higher one sounds is dropped; a note that sounds when a higher or equal one starts is cut there.
std::vector<NoteSpan> topLine(std::vector<NoteSpan> notes);

} // namespace sarvo::sound
