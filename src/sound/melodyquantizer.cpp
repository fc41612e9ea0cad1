#include "sound/melodyquantizer.h"

#include "formats/tokenlengths.h"
#include "melody/notecodes.h"
#include "sound/beatgrids.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace sarvo::sound {
namespace {

constexpr int kLongest = 192;
constexpr int kPlainStep = BeatGrid{}.step;
constexpr int kSmallestStep = 8; // eighth sextuplets
// How far from where it was played a note may move to keep its own onset (a 64th note played
// before the beat moves to the sextuplet before it).
constexpr double kFarthestMove = 6;
constexpr double kChordSpread = 3; // onsets closer than a 64th note are one chord

using formats::kTokenLengths;
using formats::TokenLength;

// The first rest the decoder takes from a gap (the whole gap when it is a length), or nullopt
// when the decoder would not keep the gap's time.
std::optional<int> firstRest(int gap) {
    if (formats::exactTokenLength(gap))
        return gap;
    const TokenLength* rest = formats::gapRestLength(gap);
    return rest ? std::optional<int>(rest->ticks) : std::nullopt;
}

// True when the decoder fills the gap with rests that keep its time.
bool restsKeepTime(int gap) {
    for (; gap > 0;) {
        const std::optional<int> rest = firstRest(gap);
        if (!rest)
            return false;
        gap -= *rest;
    }
    return true;
}

bool restsKeep(int room, int ticks) {
    return room == 0 || (ticks <= room && restsKeepTime(room - ticks));
}

// True when a note and rests can fill the time up to the next onset.
bool roomTakesANote(int room) {
    return std::any_of(kTokenLengths.begin(), kTokenLengths.end(),
                       [&](const TokenLength& length) { return restsKeep(room, length.ticks); });
}

// The length of a note that sounds `sounding` ticks (`wanted` on the grid) with `room` ticks up
// to the next onset (0: no next onset). In a beat of tuplets, or one whose onsets fit a tuplet
// grid as well as the plain one, a note that sounds a tuplet length (give or take 1.5 ticks) is
// that tuplet. Otherwise the nearest length whose remainder the rests can keep, lengths that are
// whole steps of the beat's grid first, so a note on the plain grid is no tuplet and a triplet
// no dotted note.
std::optional<int> noteLength(double sounding, int wanted, int room, const BeatGrid& grid) {
    if (grid.undecided || grid.step != kPlainStep)
        for (const TokenLength& length : kTokenLengths)
            if (length.ticks % kPlainStep != 0 && std::abs(sounding - length.ticks) <= 1.5 &&
                restsKeep(room, length.ticks))
                return length.ticks;
    for (bool onGrid : {true, false}) {
        std::optional<int> best;
        for (const TokenLength& length : kTokenLengths) {
            if ((onGrid && length.ticks % grid.step != 0) || !restsKeep(room, length.ticks))
                continue;
            if (!best || std::abs(length.ticks - wanted) < std::abs(*best - wanted))
                best = length.ticks;
        }
        if (best)
            return best;
    }
    return std::nullopt;
}

std::vector<double> onsetsOf(const std::vector<TimedNote>& notes) {
    std::vector<double> onsets;
    onsets.reserve(notes.size());
    for (const TimedNote& note : notes)
        onsets.push_back(note.start);
    return onsets;
}

void appendToken(std::u16string& text, const TokenLength& length, std::optional<int> key) {
    if (!key) {
        text += melody::restCodeOf(length.code);
    } else {
        text += length.code;
    }
    if (length.dotted)
        text += u'.';
    if (key) {
        text += melody::octaveMark((*key - 60) / 12);
        text += melody::pitchNameOf(*key % 12);
        text += melody::sharpMarkOf(*key % 12);
    }
    text += u' ';
}

} // namespace

void closeLongSilences(std::vector<TimedNote>& notes) {
    constexpr double kLongestSilence = 2 * kLongest;
    double removed = 0;
    double soundEnd = 0; // where the previous note stops sounding, before the shift
    for (size_t i = 0; i < notes.size(); ++i) {
        TimedNote& note = notes[i];
        const double silence = note.start - soundEnd;
        const double kept = i == 0 ? 0 : kLongestSilence;
        if (silence > kept)
            removed += std::floor((silence - kept) / kLongest) * kLongest;
        soundEnd = std::max(soundEnd, note.start + std::min(note.end - note.start, 1.0 * kLongest));
        note.start -= removed;
        note.end -= removed;
    }
}

void removePlayingOffset(std::vector<TimedNote>& notes) {
    const std::vector<double> offsets = playingOffsets(onsetsOf(notes));
    for (size_t i = 0; i < notes.size(); ++i) {
        notes[i].start -= offsets[i];
        notes[i].end -= offsets[i];
    }
    // A note played early may now start before time 0. A little before, it still snaps to 0;
    // further before (a note before the first beat), the melody moves by whole notes.
    double earliest = 0;
    for (const TimedNote& note : notes)
        earliest = std::min(earliest, note.start);
    const double whole =
        earliest < -kSmallestStep / 2 ? kLongest * std::ceil(-earliest / kLongest) : 0;
    for (TimedNote& note : notes) {
        note.start += whole;
        note.end += whole;
    }
}

std::vector<QuantizedNote> quantizeNotes(const std::vector<TimedNote>& notes) {
    const std::map<int, BeatGrid> grids = beatGrids(onsetsOf(notes));
    const auto gridAt = [&](double t) {
        const auto found = grids.find(beatOf(t));
        return found == grids.end() ? BeatGrid{} : found->second;
    };
    struct Snapped {
        int start;
        int end;
        int key;
        double sounding; // ticks the note sounds before snapping
        BeatGrid grid;   // the grid of the onset's beat
        double at;       // the onset before snapping
    };
    std::vector<Snapped> snapped;
    for (const TimedNote& note : notes) {
        const BeatGrid grid = gridAt(note.start);
        // No length is longer than a whole note: what a note sounds beyond that does not count.
        const double end = std::min(note.end, note.start + 2 * kLongest);
        const Snapped next{snap(note.start, beatOf(note.start) * kBeatTicks, grid.step),
                           snap(end, beatOf(end) * kBeatTicks, gridAt(end).step), note.key,
                           end - note.start, grid, note.start};
        if (!snapped.empty() && snapped.back().start == next.start) {
            // Two onsets met on one grid point. Of two notes played a 64th or more apart (a
            // grace note, a fast run), the earlier moves back to the sextuplet point before when
            // that point is free and near where it was played, taking its time from the note
            // before; otherwise the higher note stays, as in a chord. (Moving the later note on
            // instead pushes a fast run off its onsets without keeping more of its notes.)
            Snapped& last = snapped.back();
            const int earlier =
                (last.start + kSmallestStep - 1) / kSmallestStep * kSmallestStep - kSmallestStep;
            const int before = snapped.size() > 1 ? snapped[snapped.size() - 2].start : -1;
            const bool free = earlier > before && earlier >= 0 &&
                              (before < 0 || roomTakesANote(earlier - before));
            if (free && next.at - last.at >= kChordSpread &&
                std::abs(last.at - earlier) <= kFarthestMove) {
                last.start = earlier;
                snapped.push_back(next);
            } else if (next.key > last.key) {
                last = next;
            }
            continue;
        }
        snapped.push_back(next);
    }

    std::vector<QuantizedNote> out;
    for (size_t i = 0; i < snapped.size(); ++i) {
        const Snapped& note = snapped[i];
        const int room = i + 1 < snapped.size() ? snapped[i + 1].start - note.start : 0;
        const int wanted = std::min(kLongest, note.end - note.start);
        if (const std::optional<int> ticks = noteLength(note.sounding, wanted, room, note.grid))
            out.push_back({note.start, *ticks, note.key});
    }
    return out;
}

void fitIntoRange(std::vector<QuantizedNote>& notes) {
    constexpr int kLow = 60, kHigh = 95;
    int bestShift = 0, bestInside = -1;
    for (int shift : {0, -12, 12, -24, 24, -36, 36, -48, 48, -60, 60}) {
        const auto inside = std::count_if(notes.begin(), notes.end(), [&](const QuantizedNote& n) {
            return n.key + shift >= kLow && n.key + shift <= kHigh;
        });
        if (inside > bestInside) {
            bestInside = static_cast<int>(inside);
            bestShift = shift;
        }
    }
    for (QuantizedNote& note : notes) {
        note.key += bestShift;
        while (note.key < kLow)
            note.key += 12;
        while (note.key > kHigh)
            note.key -= 12;
    }
}

std::u16string melodyTextOf(const std::vector<QuantizedNote>& notes) {
    std::u16string text;
    int at = 0;
    for (const QuantizedNote& note : notes) {
        if (restsKeepTime(note.start - at))
            for (int gap = note.start - at; gap > 0;) {
                const int rest = *firstRest(gap);
                appendToken(text, *formats::exactTokenLength(rest), std::nullopt);
                gap -= rest;
            }
        appendToken(text, *formats::exactTokenLength(note.ticks), note.key);
        at = note.start + note.ticks;
    }
    return text;
}

} // namespace sarvo::sound
