#pragma once
// The round trip of the phone types that count units and read every unit back as one token
// (Type-AA, Type-AB, Type-AC, Type-AD): over seeded random melodies the key text is a whole
// number of cells, reading it back and converting again gives it again (a prefix where the
// last note carried it past the limit, and a fixed point from there), every pitch comes back in
// order, and the read-back melody lasts what the phone makes of the melody's lengths.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace sarvo::keyguide {

struct UnitRoundTrip {
    int typeIndex = 0;
    int limit = 0;                    // units, tested with "after": the counter must exceed it
    std::set<std::u16string> lengths; // length code and dot of every token read back
};

// The tokens of a melody; the lone blank of an empty read-back melody holds none.
inline std::vector<melody::Note> tokensOf(std::u16string_view melodyText) {
    melody::ParserState state;
    std::vector<melody::Note> tokens;
    for (state.readPos = 1; melody::readNextNote(state, melodyText); state.currentNote.clearText())
        if (state.currentNote.length != u" ")
            tokens.push_back(state.currentNote);
    return tokens;
}

inline void expectUnitRoundTrip(const UnitRoundTrip& type, const std::u16string& melody) {
    SCOPED_TRACE(toUtf8(melody));
    const std::u16string keys = toKeys(type.typeIndex, melody);
    ASSERT_EQ(keys.size() % kCellWidth, 0u);
    const std::u16string readBack = fromKeys(type.typeIndex, keys);
    const std::vector<melody::Note> units = tokensOf(readBack);
    for (const melody::Note& unit : units) {
        ASSERT_EQ(unit.tieCount, 0);
        ASSERT_TRUE(type.lengths.contains(unit.length + unit.dot)) << toUtf8(unit.token());
    }

    // Each read-back token is one unit, so converting it again stops once it has typed
    // limit + 1 units: the whole key text when it holds no more, otherwise a prefix of it.
    const std::u16string again = toKeys(type.typeIndex, readBack);
    const int total = static_cast<int>(units.size());
    if (total <= type.limit + 1) {
        ASSERT_EQ(again, keys);
    } else {
        ASSERT_EQ(keys.substr(0, again.size()), again);
        ASSERT_EQ(tokensOf(fromKeys(type.typeIndex, again)).size(),
                  static_cast<size_t>(type.limit + 1));
    }
    ASSERT_EQ(toKeys(type.typeIndex, fromKeys(type.typeIndex, again)), again);

    // The phone plays every octave and every sharp: the pitches come back in order. Within the
    // limit the whole melody is typed and lasts what the phone makes of its lengths: every
    // plain and dotted length is kept, a dotted sixteenth becomes a sixteenth, a quarter-note
    // triplet three sixteenths and the shorter tuplets one sixteenth each.
    const Sounding original = soundingOf(melody);
    const Sounding back = soundingOf(readBack);
    const std::vector<int> played = original.pitches();
    const std::vector<int> backPitches = back.pitches();
    ASSERT_LE(backPitches.size(), played.size());
    ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), played.begin()));
    if (total <= type.limit) {
        ASSERT_EQ(backPitches.size(), played.size());
        ASSERT_EQ(back.ticks, ticksOnGrid(melody));
    } else {
        ASSERT_LE(back.ticks, ticksOnGrid(melody));
    }
}

// Short melodies, which stay within the limit, and long ones, which run past it.
inline void expectUnitRoundTrips(const UnitRoundTrip& type, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2000 && !::testing::Test::HasFatalFailure(); ++round)
        expectUnitRoundTrip(type, randomMelody(rng));
    for (int round = 0; round < 300 && !::testing::Test::HasFatalFailure(); ++round)
        expectUnitRoundTrip(type, randomMelody(rng, 8 * type.limit / 5));
}

} // namespace sarvo::keyguide
