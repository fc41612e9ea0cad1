#pragma once
// The round trip of the phone types whose limit counts the melody's notes and stops once it has
// been reached (Type-D, Type-F to Type-K). Over seeded random melodies: the key text is a whole
// number of cells; it types the first `limit` notes of the melody, so reading it back gives
// the pitches the phone plays for them, in order, and the time the phone gives them; converting
// the read-back melody again gives the key text again, or a prefix of it where the read-back
// melody holds more notes than the limit (a note split into units reads back as several), and
// that prefix is a fixed point.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace sarvo::keyguide {

struct CountedNoteRoundTrip {
    int typeIndex = 0;
    int limit = 0;
    // The pitch the phone plays for a melody pitch; nullopt where the note becomes a rest.
    std::function<std::optional<int>(int midi)> played;
    // The ticks the phone gives a note or rest of the melody, its ties included.
    std::function<int(const melody::Note&)> ticks;
    // Notes of one pitch in a row may come back as one longer note.
    bool repeatsMayJoin = false;
};

inline size_t noteCountOf(std::u16string_view melodyText) {
    melody::ParserState state;
    size_t count = 0;
    for (state.readPos = 1; melody::readNextNote(state, melodyText); state.currentNote.clearText())
        if (state.currentNote.length != u" ")
            ++count;
    return count;
}

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

    const std::u16string again = toKeys(type.typeIndex, readBack);
    ASSERT_EQ(keys.substr(0, again.size()), again);
    if (noteCountOf(readBack) <= static_cast<size_t>(type.limit)) {
        ASSERT_EQ(again, keys);
    }
    ASSERT_EQ(toKeys(type.typeIndex, fromKeys(type.typeIndex, again)), again);

    // What the phone makes of the first `limit` notes of the melody.
    melody::ParserState state;
    int expectedTicks = 0;
    std::vector<int> expectedPitches;
    int notes = 0;
    for (state.readPos = 1; notes < type.limit && melody::readNextNote(state, melodyText);
         state.currentNote.clearText(), ++notes) {
        const melody::Note& note = state.currentNote;
        expectedTicks += type.ticks(note);
        if (melody::isNoteCode(note.length[0]))
            if (const std::optional<int> midi =
                    melody::midiNoteNumber(note.octave, note.pitch, note.sharp))
                if (const std::optional<int> pitch = type.played(*midi))
                    expectedPitches.push_back(*pitch);
    }
    const Sounding back = soundingOf(readBack == u" " ? u"" : readBack);
    ASSERT_EQ(back.ticks, expectedTicks);
    if (type.repeatsMayJoin) {
        ASSERT_EQ(joinedRuns(back.pitches()), joinedRuns(expectedPitches));
    } else {
        ASSERT_EQ(back.pitches(), expectedPitches);
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
