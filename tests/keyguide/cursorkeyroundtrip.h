#pragma once
// The round trip of the phones that close every note with a length key (Type-U, Type-V, Type-W,
// Type-X, Type-Z, Type-AE): over seeded random melodies the key text is whole cells; reading it
// back and converting again gives it again; the pitches the phone plays come back in order; and
// a melody typed whole lasts what the phone makes of its lengths.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace sarvo::keyguide {

struct CursorKeyRoundTrip {
    int typeIndex = 0;
    std::optional<int> limit; // entries, for the length of the long melodies; nullopt for none
    // The pitch the phone types for a pitch of the melody; nullopt where it types a rest.
    std::optional<int> (*played)(int midi) = [](int midi) {
        return std::optional<int>(midi);
    };
};

// Every length the length key gives, and the rests of those lengths.
inline const std::set<std::u16string>& cursorKeyLengths() {
    static const std::set<std::u16string> lengths = {u"A", u"B.", u"B", u"C.", u"C", u"D.",
                                                     u"D", u"E",  u"F", u"G.", u"G", u"H.",
                                                     u"H", u"I.", u"I", u"J"};
    return lengths;
}

inline void expectCursorKeyRoundTrip(const CursorKeyRoundTrip& type, const std::u16string& melody) {
    SCOPED_TRACE(toUtf8(melody));
    const std::u16string keys = toKeys(type.typeIndex, melody);
    ASSERT_EQ(keys.size() % kCellWidth, 0u);
    RecordingInteractive ui;
    const std::u16string readBack = fromKeys(type.typeIndex, keys, &ui);
    ASSERT_TRUE(ui.messages().empty());
    const std::vector<melody::Note> units = tokensOf(readBack);
    for (const melody::Note& unit : units)
        ASSERT_TRUE(cursorKeyLengths().contains(unit.length + unit.dot)) << toUtf8(unit.token());

    ASSERT_EQ(toKeys(type.typeIndex, readBack), keys);

    std::vector<int> expected;
    for (int midi : soundingOf(melody).pitches())
        if (const std::optional<int> typed = type.played(midi))
            expected.push_back(*typed);
    const Sounding back = soundingOf(readBack);
    const std::vector<int> backPitches = back.pitches();
    ASSERT_LE(backPitches.size(), expected.size());
    ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), expected.begin()));
    // A melody typed whole: every pitch comes back, and it lasts what the phone makes of its
    // lengths — plain and dotted lengths kept, a dotted whole as a whole and a half rest, a
    // dotted sixteenth as a sixteenth, a quarter-note triplet as a dotted eighth and the shorter
    // tuplets as sixteenths.
    if (typedInFull(type.typeIndex, melody)) {
        ASSERT_EQ(backPitches, expected);
        ASSERT_EQ(back.ticks, ticksOnGrid(melody));
    } else {
        ASSERT_LE(back.ticks, ticksOnGrid(melody));
    }
}

// Short melodies, which stay within the limit, and long ones, which run past it.
inline void expectCursorKeyRoundTrips(const CursorKeyRoundTrip& type, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2000 && !::testing::Test::HasFatalFailure(); ++round)
        expectCursorKeyRoundTrip(type, randomMelody(rng));
    const int longMelody = type.limit ? 8 * *type.limit / 5 : 300;
    for (int round = 0; round < 200 && !::testing::Test::HasFatalFailure(); ++round)
        expectCursorKeyRoundTrip(type, randomMelody(rng, longMelody));
}

} // namespace sarvo::keyguide
