#pragma once
// How the onsets of a played line sit on the beats: the offset of the playing from the beat (a
// constant delay, or one that drifts slowly) and the grid each quarter-note beat is read on.
//
// Times are melody ticks, 48 to a quarter note. A beat is read on sixteenths (12 ticks), eighth
// triplets (16) or eighth sextuplets (8). Reading a beat on a grid costs the squared distances of
// its onsets from the grid's points, much more when two onsets meet on one point (a note would be
// lost). A tuplet grid costs a little more than the plain one, and a beat read on another grid
// than the beat before it costs more again: straight rhythms played a little unevenly stay
// straight, a beat becomes triplets when its onsets are clearly triplets, and a beat whose
// onsets fit every grid (a note on the beat) takes the grid of its neighbours.

#include <map>
#include <vector>

namespace sarvo::sound {

inline constexpr int kBeatTicks = 48;

struct BeatGrid {
    int step = 12;
    bool undecided = true; // a tuplet grid fits the beat's onsets as well as the plain one
};

// The beat a time falls in. A time a little short of a beat's start (a note played early, a
// time computed from MIDI ticks) belongs to that beat.
int beatOf(double t);

// The grid point nearest t in the beat that starts at beatStart.
int snap(double t, int beatStart, int step);

// For each onset (in time order), the offset of the playing there, up to 8 ticks either way:
// the offsets of all beats that put the onsets best on their grids, where the offset may move by
// half a tick from one beat to the next at a small cost. Subtracting it removes a constant
// delay, or one that drifts slowly (a file played a little slower or faster than its tempo).
std::vector<double> playingOffsets(const std::vector<double>& onsets);

// The grid of each beat that holds onsets (onsets in time order).
std::map<int, BeatGrid> beatGrids(const std::vector<double>& onsets);

} // namespace sarvo::sound
