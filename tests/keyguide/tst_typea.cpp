#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeA = 2;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeA, melody);
}
std::u16string fromKeys(std::u16string_view keys) {
    return keyguide::fromKeys(kTypeA, keys);
}

TEST(TypeAConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"quarters take two units", u"C中ミ C中ミ ", cells({u"３", u"０", u"３", u"０"})},
        {"same key again is ended by the cursor key", u"D中ミ D中ミ ", cells({u"３", u"→", u"３"})},
        {"sharp and high presses", u"D中ソ# D高ソ D高ソ# D高ミ D高シ ",
         cells({u"５×２", u"→", u"５×３", u"→", u"５×４", u"３×２", u"７×２"})},
        {"sixteenths and tuplets are one eighth each", u"E中ド 3中レ 6中ミ 2中フ 5中ソ ",
         cells({u"１", u"２", u"３", u"４", u"５"})},
        {"dotted lengths", u"C.中ド B.中レ ",
         cells({u"１", u"０", u"０", u"２", u"０", u"０", u"０", u"０", u"０"})},
        {"a tie doubles the units, as rests", u"C中ド ^ D中レ ",
         cells({u"１", u"０", u"０", u"０", u"２"})},
        {"two ties", u"D中ド ^ ^ ", cells({u"１", u"０", u"０"})},
        {"low notes become rests", u"D低ド C低ミ ", cells({u"０", u"０", u"０"})},
        {"rests of every length", u"F I. J ] ` H. ",
         cells({u"０", u"０", u"０", u"０", u"０", u"０", u"０", u"０", u"０", u"０", u"０", u"０",
                u"０", u"０", u"０"})},
        {"a rest between equal notes needs no cursor key", u"D中ラ I D中ラ ",
         cells({u"６", u"０", u"６"})},
        {"the previous note is compared by name, not by octave", u"D中レ D高レ ",
         cells({u"２", u"→", u"２×３"})},
        {"a low note between equal notes breaks the run", u"D中ド D低ド D中ド ",
         cells({u"１", u"０", u"１"})},
        {"ties with no note before them type nothing", u"^ ^ D中ド ", cells({u"１"})},
        {"a tied rest continues as rests", u"H ^ ", cells({u"０", u"０", u"０", u"０"})},
    };
    expectKeyTexts(kTypeA, cases);
}

TEST(TypeAConverter, StopsAfterTheNoteThatReachesThirtyUnits) {
    // 29 eighths, then a whole note: the limit is tested before each note, so the whole note
    // still emits all its 8 units and the note after it is dropped.
    std::u16string melody;
    for (int i = 0; i < 29; ++i)
        melody += i % 2 ? u"D中ド " : u"D中レ ";
    melody += u"A中ミ D中フ ";
    const std::u16string keys = toKeys(melody);
    EXPECT_EQ(keys.size(), (29 + 8) * kCellWidth);
    EXPECT_EQ(keys.substr(29 * kCellWidth),
              cells({u"３", u"０", u"０", u"０", u"０", u"０", u"０", u"０"}));

    // Exactly 30 units: nothing more is converted.
    std::u16string thirty = repeated(u"I ", 31);
    EXPECT_EQ(toKeys(thirty).size(), 30 * kCellWidth);
}

TEST(TypeAConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeA, u"C低ド K中ド ");
}

TEST(TypeAReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"ミ pressed twice is high", u"D高ミ ", cells({u"３×２"})},
        {"three presses do not apply to ミ", u"D中ミ ", cells({u"３×３"})},
        {"presses of ソ", u"D中ソ# D高ソ D高ソ# D中ソ ",
         cells({u"５×２", u"５×３", u"５×４", u"５×５"})},
        {"a rest with a count", u"I I I I I ", cells({u"０×５"})},
        {"a bad count is one rest", u"I ", cells({u"０×Ｘ"})},
        {"cursor keys are skipped", u"D中ド D中ド ", cells({u"１", u"→", u"１"})},
        {"an unknown key gives a rest of the note's length", u"I D中レ ", cells({u"＃", u"２"})},
        {"a short last cell", u"D中ラ ", u"６"},
    };
    expectMelodiesRead(kTypeA, cases);
}

// The pitches the phone plays: middle and high notes.
std::vector<int> playablePitches(const Sounding& sounding) {
    std::vector<int> out;
    for (int midi : sounding.pitches())
        if (midi >= 72)
            out.push_back(midi);
    return out;
}

TEST(TypeAProperty, KeyTextIsAFixedPointAndKeepsPitchesAndEighths) {
    std::mt19937 rng(20261205);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string melody = randomMelody(rng);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(keys);
        const std::u16string again = toKeys(readBack);
        // The read-back melody holds one token per unit; where the last note carried the key
        // text past the limit, converting it again stops at the limit: a prefix of the first.
        ASSERT_EQ(keys.substr(0, again.size()), again);
        // After that one normalisation the guide is a fixed point.
        ASSERT_EQ(toKeys(fromKeys(again)), again);

        // Every read-back token is an eighth note or rest.
        const Sounding original = soundingOf(melody);
        const Sounding back = soundingOf(readBack);
        const int units = back.ticks / (2 * melody::kTicksPerSixteenth);
        ASSERT_EQ(back.ticks % (2 * melody::kTicksPerSixteenth), 0);
        // Pitches the phone plays (middle and high) come back in order, while within the limit.
        const std::vector<int> played = playablePitches(original);
        const std::vector<int> backPitches = back.pitches();
        ASSERT_LE(backPitches.size(), played.size());
        for (size_t i = 0; i < backPitches.size(); ++i)
            ASSERT_EQ(backPitches[i], played[i]);
        if (units < 30) {
            ASSERT_EQ(backPitches.size(), played.size());
        }
    }
}

TEST(TypeAProperty, DurationsInWholeEighthsSurvive) {
    // Melodies of lengths the phone can express (eighths and longer, dotted quarters and
    // longer) keep their total duration exactly.
    const std::u16string melody = u"C中ド ^ D中レ I B.高ソ# C.中ラ H. A中シ ";
    EXPECT_EQ(soundingOf(fromKeys(toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
