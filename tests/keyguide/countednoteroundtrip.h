#pragma once
// The round trip of Type-D and Type-F to Type-K. Over seeded random melodies: the key text is a
// whole number of cells; converting its read-back gives it again; reading it back gives the
// pitches the phone plays, in order, and for a melody typed in full the time the phone gives
// it; a guide cut where the phone is full gives the first of those pitches.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace sarvo::keyguide {

struct CountedNoteRoundTrip {
    int typeIndex = 0;
    int limit = 0; // entries, for the length of the long melodies
    // The pitch the phone plays for a melody pitch; nullopt where the note becomes a rest.
    std::function<std::optional<int>(int midi)> played;
    // The ticks the phone gives a note or rest of the melody, its ties included.
    std::function<int(const melody::Note&)> ticks;
    // Notes of one pitch in a row may come back as one longer note.
    bool repeatsMayJoin = false;
};

inline std::vector<int> joinedRuns(const std::vector<int>& pitches) {
    std::vector<int> runs;
    for (int pitch : pitches)
        if (runs.empty() || runs.back() != pitch)
            runs.push_back(pitch);
    return runs;
}

inline void expectCountedNoteRoundTrip(const CountedNoteRoundTrip& type,
                                       const std::u16string& melodyText) {
    SCOPED_TRACE(toUtf8(melodyText));
    const std::u16string keys = toKeys(type.typeIndex, melodyText);
    ASSERT_EQ(keys.size() % kCellWidth, 0u);
    const std::u16string readBack = fromKeys(type.typeIndex, keys);

    ASSERT_EQ(toKeys(type.typeIndex, readBack), keys);

    // What the phone makes of the melody.
    melody::ParserState state;
    int expectedTicks = 0;
    std::vector<int> expectedPitches;
    for (state.readPos = 1; melody::readNextNote(state, melodyText);
         state.currentNote.clearText()) {
        const melody::Note& note = state.currentNote;
        expectedTicks += type.ticks(note);
        if (melody::isNoteCode(note.length[0]))
            if (const std::optional<int> midi =
                    melody::midiNoteNumber(note.octave, note.pitch, note.sharp))
                if (const std::optional<int> pitch = type.played(*midi))
                    expectedPitches.push_back(*pitch);
    }
    const Sounding back = soundingOf(readBack == u" " ? u"" : readBack);
    std::vector<int> backPitches = back.pitches();
    if (type.repeatsMayJoin) {
        backPitches = joinedRuns(backPitches);
        expectedPitches = joinedRuns(expectedPitches);
    }
    if (typedInFull(type.typeIndex, melodyText)) {
        ASSERT_EQ(back.ticks, expectedTicks);
        ASSERT_EQ(backPitches, expectedPitches);
    } else {
        ASSERT_LE(backPitches.size(), expectedPitches.size());
        ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), expectedPitches.begin()));
    }
}

// Short melodies, mostly within the limit, and long ones, which run past it.
inline void expectCountedNoteRoundTrips(const CountedNoteRoundTrip& type, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2000 && !::testing::Test::HasFatalFailure(); ++round)
        expectCountedNoteRoundTrip(type, randomMelody(rng));
    for (int round = 0; round < 300 && !::testing::Test::HasFatalFailure(); ++round)
        expectCountedNoteRoundTrip(type, randomMelody(rng, 2 * type.limit));
}

} // namespace sarvo::keyguide
