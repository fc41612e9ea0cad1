#pragma once
// The round trip of the phone types whose reader gives one token per entry typed: over seeded
// random melodies the key text is a whole number of cells, reading it back and converting again
// gives it again, the pitches come back in order as the phone makes them, and a melody typed in
// full lasts what the phone makes of its lengths.

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

struct NoteLimitRoundTrip {
    int typeIndex = 0;
    int limit = 0; // entries, for the length of the long melodies
    // The pitch the phone plays for a melody pitch; nullopt where it plays a rest.
    std::function<std::optional<int>(int midi)> pitchOnPhone;
    // The ticks the phone makes of one melody note or rest, its ties included.
    std::function<int(const melody::Note&)> ticksOnPhone;
    // The phone merges a pitch repeated right after itself into one note, so the pitches are
    // compared with such runs taken as one.
    bool mergesRepeats = false;
};

inline std::vector<int> withoutRepeats(std::vector<int> pitches) {
    pitches.erase(std::unique(pitches.begin(), pitches.end()), pitches.end());
    return pitches;
}

inline void expectNoteLimitRoundTrip(const NoteLimitRoundTrip& type, const std::u16string& melody) {
    SCOPED_TRACE(toUtf8(melody));
    const std::u16string keys = toKeys(type.typeIndex, melody);
    ASSERT_EQ(keys.size() % kCellWidth, 0u);
    const std::u16string readBack = fromKeys(type.typeIndex, keys);
    ASSERT_EQ(toKeys(type.typeIndex, readBack), keys);

    // The pitches the phone plays, in order; where the guide stopped early, a prefix of them.
    std::vector<int> expected;
    int expectedTicks = 0;
    melody::ParserState state;
    for (state.readPos = 1; melody::readNextNote(state, melody); state.currentNote.clearText()) {
        const melody::Note& note = state.currentNote;
        expectedTicks += type.ticksOnPhone(note);
        if (!melody::isNoteCode(note.length[0]))
            continue;
        const std::optional<int> midi = melody::midiNoteNumber(note.octave, note.pitch, note.sharp);
        if (!midi)
            continue;
        if (const std::optional<int> played = type.pitchOnPhone(*midi))
            expected.push_back(*played);
    }
    const Sounding back = soundingOf(readBack);
    std::vector<int> backPitches = back.pitches();
    if (type.mergesRepeats) {
        expected = withoutRepeats(expected);
        backPitches = withoutRepeats(backPitches);
    }
    if (typedInFull(type.typeIndex, melody)) {
        ASSERT_EQ(backPitches, expected);
        ASSERT_EQ(back.ticks, expectedTicks);
    } else {
        ASSERT_LE(backPitches.size(), expected.size());
        ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), expected.begin()));
    }
}

// Short melodies, which mostly stay within the limit, and long ones, which run past it.
inline void expectNoteLimitRoundTrips(const NoteLimitRoundTrip& type, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2000 && !::testing::Test::HasFatalFailure(); ++round)
        expectNoteLimitRoundTrip(type, randomMelody(rng));
    const int longMelody = type.limit < 1000 ? 3 * type.limit / 2 : 120;
    for (int round = 0; round < 300 && !::testing::Test::HasFatalFailure(); ++round)
        expectNoteLimitRoundTrip(type, randomMelody(rng, longMelody));
}

// The sixteenth grid of the phones that type whole sixteenths: every plain and dotted length is
// kept, a dotted sixteenth becomes a sixteenth, a quarter-note triplet a dotted eighth and the
// shorter tuplets a sixteenth.
inline int ticksOnSixteenthGrid(const melody::Note& note) {
    const char16_t code = note.length[0];
    const char16_t asNote = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    int sixteenths = 0;
    switch (asNote) {
    case u'E':
    case u'3':
    case u'5':
    case u'6': sixteenths = 1; break;
    case u'2': sixteenths = 3; break;
    default: sixteenths = melody::lengthTicks(code, note.dot == u".") / melody::kTicksPerSixteenth;
    }
    return sixteenths * melody::kTicksPerSixteenth * (note.tieCount + 1);
}

} // namespace sarvo::keyguide
