#pragma once
// The round trip of Type-AI and Type-AJ, which type every note as one eighth: over seeded
// random melodies the key text is a whole number of cells; every token read back is an eighth
// note or an eighth rest; converting it again gives the key text again; the pitches come back in
// order; and a melody typed in full lasts its eighths: a note or rest of n eighths stays n eighths
// (a dotted quarter three, a dotted half six, a dotted whole twelve), and a sixteenth, a dotted
// eighth and every tuplet become one eighth.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo::keyguide {

inline int eighthsOnPhone(const melody::Note& note) {
    const char16_t code = note.length[0];
    const bool dotted = note.dot == u".";
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'A': return dotted ? 12 : 8;
    case u'B': return dotted ? 6 : 4;
    case u'C': return dotted ? 3 : 2;
    case u'D':
    case u'E':
    case u'2':
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return 0;
    }
}

inline void expectEighthEntryRoundTrips(int typeIndex, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2300 && !::testing::Test::HasFatalFailure(); ++round) {
        const std::u16string melody = randomMelody(rng, round < 2000 ? 40 : 100);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(typeIndex, melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(typeIndex, keys);
        const std::vector<melody::Note> units = tokensOf(readBack);
        for (const melody::Note& unit : units)
            ASSERT_TRUE(unit.length == u"D" || unit.length == u"I") << toUtf8(unit.token());

        ASSERT_EQ(toKeys(typeIndex, readBack), keys);

        const std::vector<int> played = soundingOf(melody).pitches();
        const std::vector<int> back = soundingOf(readBack).pitches();
        ASSERT_LE(back.size(), played.size());
        ASSERT_TRUE(std::equal(back.begin(), back.end(), played.begin()));
        if (typedInFull(typeIndex, melody)) {
            ASSERT_EQ(back, played);
            int eighths = 0;
            for (const melody::Note& note : tokensOf(melody))
                eighths += eighthsOnPhone(note) * (note.tieCount + 1);
            ASSERT_EQ(soundingOf(readBack).ticks, eighths * 2 * melody::kTicksPerSixteenth);
        }
    }
}

} // namespace sarvo::keyguide
