#pragma once
// The notes of a MIDI file as spans (note-on to its note-off), the voices they form (the notes of
// one track on one channel), and the choice of the voice that carries the melody.

#include "sound/midievent.h"
#include "sound/trackroles.h"

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
struct MidiVoice {
    int track = 0;
    int channel = 0;
    std::string name; // the track's name (bytes as the file holds them)
    int noteCount = 0;
    int lowest = 0;
    int highest = 0;
    int upperOnsets = 0; // start times of notes at middle C (MIDI 60) or above, chords once
    TrackRole role = TrackRole::Unknown; // what the track's name says
    bool drums() const { return channel == kDrumChannel; }
};

std::vector<MidiVoice> listVoices(const SmfFile& file, const std::vector<NoteSpan>& notes);

// Which notes form the melody: one track (all its channels), one channel (of all tracks), or by
// default the voice with the most notes in the upper register, where a track named as the melody
// counts its notes four times and one named as an accompaniment a quarter of them. The drum
// channel never counts.
struct MelodySource {
    std::optional<int> track;   // index into SmfFile::tracks
    std::optional<int> channel; // 0-15
};

struct ChosenNotes {
    std::vector<NoteSpan> notes;
    std::optional<MidiVoice> voice; // the voice chosen by default
    std::string error;              // why no note was chosen
};

ChosenNotes chooseMelodyNotes(const SmfFile& file, const std::vector<NoteSpan>& notes,
                              MelodySource source);

// The top line: of notes that start together the highest stays; a lower note that starts while a
// higher one sounds is dropped; a note that sounds when a higher or equal one starts is cut there.
// Given the ticks of a quarter note, notes that start less than a 64th note apart count as
// starting together (a chord played unevenly), and a lower note that starts when less than a
// 32nd note of the higher one is left cuts it there (a line played legato).
std::vector<NoteSpan> topLine(std::vector<NoteSpan> notes, uint32_t ticksPerQuarter = 0);

} // namespace sarvo::sound
