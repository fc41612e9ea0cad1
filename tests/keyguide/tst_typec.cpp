#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeC = 4;
constexpr int kUnitLimit = 200;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeC, melody);
}
std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeC, keys, ui);
}

std::u16string repeated(std::u16string_view text, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct ConversionCase {
    const char* name;
    std::u16string melody;
    std::u16string keys;
};

TEST(TypeCConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"length key presses", u"B中ド C.中レ C中ミ D.中フ D中ソ E中ラ ",
         cells({u"１", u"０×４", u"＃", u"２", u"０×３", u"＃", u"３", u"０×２", u"＃", u"４",
                u"０", u"＃", u"５", u"＃", u"６", u"０×５", u"＃"})},
        {"a dotted sixteenth is typed as a sixteenth", u"E.中シ ", cells({u"７", u"０×５", u"＃"})},
        {"a whole note is a half note and a half rest", u"A中ド ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃"})},
        {"a dotted whole note is a half note and two half rests", u"A.中ド ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"})},
        {"a dotted half note is a half note and a quarter rest", u"B.中ド ",
         cells({u"１", u"０×４", u"＃", u"０×２", u"＃"})},
        {"rests of every length", u"F. F G. G H. H I. I J. J ",
         cells({u"０×４", u"＃",    u"０×４", u"＃",    u"０×４", u"＃",    u"０×４",
                u"＃",    u"０×４", u"＃",    u"０×４", u"＃",    u"０×２", u"＃",
                u"０×４", u"＃",    u"０×３", u"＃",    u"０×２", u"＃",    u"０",
                u"＃",    u"＃",    u"０×５", u"＃",    u"０×５", u"＃"})},
        {"a sharp is the key ８ after the note", u"D中ド# D中ミ ",
         cells({u"１", u"８", u"＃", u"３", u"＃"})},
        {"one octave up is ９ once", u"D中ド D高レ ", cells({u"１", u"＃", u"２", u"９", u"＃"})},
        {"two octaves down wraps round: ９ once", u"D高ド D低ド ",
         cells({u"１", u"９", u"＃", u"１", u"９", u"＃"})},
        {"one octave down is ９ twice", u"D中ド D低ド ",
         cells({u"１", u"＃", u"１", u"９×２", u"＃"})},
        {"sharp, octave and length keys in that order", u"C.高ソ# ",
         cells({u"５", u"８", u"９", u"０×３", u"＃"})},
        {"rests leave the octave where the last note put it", u"D高ド I D高レ ",
         cells({u"１", u"９", u"＃", u"＃", u"２", u"＃"})},
        {"tuplets take a dotted eighth or a sixteenth", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"０", u"＃", u"２", u"０×５", u"＃", u"３", u"０×５", u"＃", u"４",
                u"０×５", u"＃"})},
        {"tuplet rests likewise", u"\\ ] _ ` ",
         cells({u"０", u"＃", u"０×５", u"＃", u"０×５", u"＃", u"０×５", u"＃"})},
        {"a tied note goes on as a rest of its length", u"C中ド ^ ",
         cells({u"１", u"０×２", u"＃", u"０×２", u"＃"})},
        {"a tied whole note", u"A中ド ^ ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"})},
        {"ties and unknown codes type nothing", u"^ K中ド D中ド ", cells({u"１", u"＃"})},
    };
    for (const ConversionCase& c : cases)
        EXPECT_EQ(toKeys(c.melody), c.keys) << c.name;
}

TEST(TypeCConverter, StopsAfterTheNoteThatReachesTwoHundredUnits) {
    // 199 eighths and a dotted whole note of three units: the limit is tested before each
    // note, so the whole note is typed in full and the note after it is left out.
    const std::u16string melody = repeated(u"D中ド ", 199) + u"A.中レ D中ミ ";
    EXPECT_EQ(toKeys(melody),
              repeated(cells({u"１", u"＃"}), 199) +
                  cells({u"２", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"}));
    EXPECT_EQ(toKeys(repeated(u"I ", 201)), repeated(cells({u"＃"}), 200));
}

TEST(TypeCConverter, ClearsMergeRepeatsAndReportsNothing) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingInteractive ui;
    convertToKeys(kTypeC, u"C低ド K中ド 6高シ ", state, ui);
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeCReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"every part of a note", u"C.低ソ# ", cells({u"５", u"８", u"９×２", u"０×３", u"＃"})},
        {"lengths by presses of ０", u"D中ド D.中ド C中ド C.中ド B中ド E中ド ",
         cells({u"１", u"＃", u"１", u"０", u"＃", u"１", u"０×２", u"＃", u"１", u"０×３", u"＃",
                u"１", u"０×４", u"＃", u"１", u"０×５", u"＃"})},
        {"rests by presses of ０", u"I I. H H. G J ",
         cells({u"＃", u"０", u"＃", u"０×２", u"＃", u"０×３", u"＃", u"０×４", u"＃", u"０×５",
                u"＃"})},
        {"the octave key steps on from the last note", u"D高ド D高レ D低ミ D低フ D中ソ ",
         cells({u"１", u"９", u"＃", u"２", u"＃", u"３", u"９", u"＃", u"４", u"＃", u"５", u"９",
                u"＃"})},
        {"three presses of ９ come round to the same octave", u"D中ラ ",
         cells({u"６", u"９×３", u"＃"})},
        {"rests keep the octave", u"D高ド I D高レ ",
         cells({u"１", u"９", u"＃", u"＃", u"２", u"＃"})},
        {"cursor keys are skipped", u"D中ド D中ド ", cells({u"１", u"＃", u"→", u"１", u"＃"})},
        {"an unknown first key gives a rest of the note's length", u"I D中レ ",
         cells({u"Ｘ", u"２", u"＃"})},
    };
    for (const ConversionCase& c : cases)
        EXPECT_EQ(fromKeys(c.keys), c.melody) << c.name;
}

TEST(TypeCReader, AMissingEnterKeyStopsReading) {
    struct ErrorCase {
        const char* name;
        std::u16string keys;
        std::u16string kept;
    };
    const std::vector<ErrorCase> cases = {
        {"a note runs into the next note", cells({u"１", u"＃", u"２", u"０×２", u"３", u"＃"}),
         u"D中ド "},
        {"the key text ends inside a note", cells({u"１", u"８", u"９"}), u" "},
        {"a rest without ＃", cells({u"０×２", u"５", u"＃"}), u" "},
        {"a length key pressed more often than the phone has lengths",
         cells({u"１", u"＃", u"２", u"０×６", u"＃", u"３", u"＃"}), u"D中ド "},
    };
    for (const ErrorCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(c.keys, &ui), c.kept) << c.name;
        EXPECT_EQ(ui.messages(), std::vector<std::u16string>{std::u16string(kConversionError)})
            << c.name;
    }
}

// Every token the reader gives is a length the phone types in one unit.
bool isOneUnitLength(const std::u16string& token) {
    static const std::set<std::u16string> lengths = {u"B", u"C.", u"C", u"D.", u"D", u"E",
                                                     u"G", u"H.", u"H", u"I.", u"I", u"J"};
    const size_t end = token.size() > 1 && token[1] == u'.' ? 2 : 1;
    return lengths.contains(token.substr(0, end));
}

std::vector<std::u16string> tokensOf(std::u16string_view melody) {
    std::vector<std::u16string> tokens;
    for (size_t start = 0, end; (end = melody.find(u' ', start)) != melody.npos; start = end + 1)
        if (end > start)
            tokens.emplace_back(melody.substr(start, end - start));
    return tokens;
}

TEST(TypeCProperty, KeyTextIsAFixedPointAndKeepsPitchesAndDurations) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 2500; ++round) {
        // Every fourth melody is long enough to reach the limit now and then.
        const std::u16string melody = randomMelody(rng, round % 4 == 0 ? 220 : 40);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        RecordingInteractive ui;
        const std::u16string readBack = fromKeys(keys, &ui);
        ASSERT_TRUE(ui.messages().empty());

        // One token per unit, each a length with a key of its own.
        const std::vector<std::u16string> tokens = tokensOf(readBack);
        for (const std::u16string& token : tokens)
            ASSERT_TRUE(isOneUnitLength(token)) << toUtf8(token);

        // Converting again gives the key text back; where the last note carried it past the
        // limit, the part up to the limit, which is then a fixed point.
        const std::u16string again = toKeys(readBack);
        ASSERT_EQ(keys.substr(0, again.size()), again);
        ASSERT_EQ(toKeys(fromKeys(again)), again);
        const bool complete = tokens.size() < static_cast<size_t>(kUnitLimit);
        if (complete) {
            ASSERT_EQ(again, keys);
        }

        // The phone plays every pitch: they all come back in order (a prefix when the limit
        // cut the melody). Lengths come back on the sixteenth grid: a quarter-note triplet as
        // a dotted eighth, the other tuplets and a dotted sixteenth as a sixteenth.
        const std::vector<int> pitches = soundingOf(melody).pitches();
        const std::vector<int> backPitches = soundingOf(readBack).pitches();
        ASSERT_LE(backPitches.size(), pitches.size());
        ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), pitches.begin()));
        if (complete) {
            ASSERT_EQ(backPitches.size(), pitches.size());
            ASSERT_EQ(soundingOf(readBack).ticks, ticksOnGrid(melody));
        }
    }
}

} // namespace
} // namespace sarvo::keyguide
