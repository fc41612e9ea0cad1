#pragma once
// What the phones that type lengths in whole sixteenths (Type-B, Type-C, Type-E) make of a
// melody's lengths, for their property tests. Every plain length is kept; a dotted sixteenth
// becomes a sixteenth; a quarter-note triplet (and its rest) becomes three sixteenths, a dotted
// eighth; the other triplets and the sextuplets become one sixteenth.

#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::keyguide {

inline int sixteenthsOnGrid(char16_t code, bool dotted) {
    switch (melody::isRestCode(code) ? melody::noteCodeOf(code) : code) {
    case u'E': return 1;
    case u'2': return 3;
    case u'3':
    case u'5':
    case u'6': return 1;
    default: return melody::lengthTicks(code, dotted) / melody::kTicksPerSixteenth;
    }
}

// The ticks the first maxTokens tokens of a melody (ties included) last on such a phone.
inline int ticksOnGrid(std::u16string_view melodyText,
                       size_t maxTokens = std::numeric_limits<size_t>::max()) {
    melody::ParserState state;
    int ticks = 0;
    size_t tokens = 0;
    for (state.readPos = 1; tokens < maxTokens && melody::readNextNote(state, melodyText);
         ++tokens) {
        const melody::Note& note = state.currentNote;
        ticks += sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                 melody::kTicksPerSixteenth;
    }
    return ticks;
}

// The blank-separated token texts of a melody.
inline std::vector<std::u16string> tokenTextsOf(std::u16string_view melodyText) {
    std::vector<std::u16string> tokens;
    for (size_t start = 0, end; (end = melodyText.find(u' ', start)) != melodyText.npos;
         start = end + 1)
        if (end > start)
            tokens.emplace_back(melodyText.substr(start, end - start));
    return tokens;
}

// The round trip of the phones that type a melody unit by unit on the sixteenth grid and stop
// after the note that reaches their unit limit (Type-C, Type-E).
struct SixteenthUnitRoundTrip {
    int typeIndex = 0;
    int unitLimit = 0;
    int longMelody = 0; // the tokens of the long melodies, which reach the limit now and then
    // Whether a token read back is one unit the phone types.
    std::function<bool(const std::u16string& token)> isUnit;
};

inline void expectSixteenthUnitRoundTrip(const SixteenthUnitRoundTrip& type,
                                         const std::u16string& melody) {
    SCOPED_TRACE(toUtf8(melody));
    const std::u16string keys = toKeys(type.typeIndex, melody);
    ASSERT_EQ(keys.size() % kCellWidth, 0u);
    RecordingInteractive ui;
    const std::u16string readBack = fromKeys(type.typeIndex, keys, &ui);
    ASSERT_TRUE(ui.messages().empty());

    // One token per unit, each a length the phone types as one unit.
    const std::vector<std::u16string> tokens = tokenTextsOf(readBack);
    for (const std::u16string& token : tokens)
        ASSERT_TRUE(type.isUnit(token)) << toUtf8(token);

    // Converting again gives the key text back; where the last note carried it past the
    // limit, the part up to the limit, which is then a fixed point.
    const std::u16string again = toKeys(type.typeIndex, readBack);
    ASSERT_EQ(keys.substr(0, again.size()), again);
    ASSERT_EQ(toKeys(type.typeIndex, fromKeys(type.typeIndex, again)), again);
    const bool complete = tokens.size() < static_cast<size_t>(type.unitLimit);
    if (complete) {
        ASSERT_EQ(again, keys);
    }

    // The phone plays every pitch: they all come back in order (a prefix when the limit cut
    // the melody), and the lengths come back on the sixteenth grid.
    const std::vector<int> pitches = soundingOf(melody).pitches();
    const std::vector<int> backPitches = soundingOf(readBack).pitches();
    ASSERT_LE(backPitches.size(), pitches.size());
    ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), pitches.begin()));
    if (complete) {
        ASSERT_EQ(backPitches.size(), pitches.size());
        ASSERT_EQ(soundingOf(readBack).ticks, ticksOnGrid(melody));
    }
}

// Every fourth melody is a long one; the others are short.
inline void expectSixteenthUnitRoundTrips(const SixteenthUnitRoundTrip& type, unsigned seed) {
    std::mt19937 rng(seed);
    for (int round = 0; round < 2500 && !::testing::Test::HasFatalFailure(); ++round)
        expectSixteenthUnitRoundTrip(type,
                                     randomMelody(rng, round % 4 == 0 ? type.longMelody : 40));
}

} // namespace sarvo::keyguide
