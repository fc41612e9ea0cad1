#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAC = 30;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAC, melody);
}

TEST(TypeACConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"the note key pressed once per length step", u"E中ミ D中ミ C中ミ B中ミ A中ミ ",
         cells({u"３", u"→", u"３×２", u"→", u"３×３", u"→", u"３×４", u"→", u"３×５"})},
        {"rests count the same way", u"J I H G F ",
         cells({u"０", u"→", u"０×２", u"→", u"０×３", u"→", u"０×４", u"→", u"０×５"})},
        {"dotted notes are the note and the rest one length shorter",
         u"A.中ド B.中レ C.中ミ D.中フ ",
         cells({u"１×５", u"０×４", u"２×４", u"０×３", u"３×３", u"０×２", u"４×２", u"０"})},
        {"dotted rests likewise", u"G. I. ",
         cells({u"０×４", u"→", u"０×３", u"→", u"０×２", u"→", u"０"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ", cells({u"１", u"０"})},
        {"quarter-note triplets are an eighth and a sixteenth rest", u"2中ド \\ ",
         cells({u"１×２", u"０", u"→", u"０×２", u"→", u"０"})},
        {"shorter tuplets are sixteenths", u"3中レ ] 5中ミ _ 6中フ ` ",
         cells({u"２", u"０", u"３", u"０", u"４", u"０"})},
        {"a sharp is typed once and kept for the name", u"D中ソ# D中ソ# D中ソ D中ソ ",
         cells({u"５×２", u"８", u"５×２", u"→", u"５×２", u"８×２", u"５×２"})},
        {"the sharp is kept per name", u"D中ド# D中レ D中ド# D中レ# D中ド ",
         cells({u"１×２", u"８", u"２×２", u"１×２", u"２×２", u"８", u"１×２", u"８×２"})},
        {"a sharp on ミ is not typed", u"D中ミ# D中シ ", cells({u"３×２", u"７×２"})},
        {"the octave key steps round from the last note", u"D中ド D高レ D低ミ D中フ D低ソ D高ラ ",
         cells({u"１×２", u"２×２", u"９", u"３×２", u"９", u"４×２", u"９", u"５×２", u"９×２",
                u"６×２", u"９×２"})},
        {"rests leave the octave", u"D高ド I D高レ ", cells({u"１×２", u"９", u"０×２", u"２×２"})},
        {"the sharp key comes before the octave key", u"D高ソ# ", cells({u"５×２", u"８", u"９"})},
        {"a rest between equal notes", u"C中ド H C中ド ", cells({u"１×３", u"０×３", u"１×３"})},
        {"a sharp key between equal notes", u"C中ド# C中ド# ", cells({u"１×３", u"８", u"１×３"})},
        {"an octave key between equal notes", u"C中ド C高ド ",
         cells({u"１×３", u"→", u"１×３", u"９"})},
        {"a tie continues as a rest of the note's length", u"C中ド ^ ",
         cells({u"１×３", u"０×３"})},
        {"a tied dotted note repeats both parts as rests", u"C.中ド ^ ",
         cells({u"１×３", u"０×２", u"→", u"０×３", u"→", u"０×２"})},
        {"ties with no note before them type nothing", u"^ D中ド ", cells({u"１×２"})},
    };
    expectKeyTexts(kTypeAC, cases);
}

TEST(TypeACConverter, StopsOnceMoreThan256UnitsAreTyped) {
    std::u16string melody;
    for (int i = 0; i < 256; ++i)
        melody += i % 2 ? u"C中ド " : u"C中レ ";
    // At 256 units the limit is not yet exceeded: the dotted quarter is typed as a quarter and
    // an eighth rest, and nothing after it.
    const std::u16string keys = toKeys(melody + u"C.中ミ C中フ ");
    EXPECT_EQ(keys.size(), (256 + 2) * kCellWidth);
    EXPECT_EQ(keys.substr(256 * kCellWidth), cells({u"３×３", u"０×２"}));
    // At 257 units the next note is dropped.
    EXPECT_EQ(toKeys(melody + u"C中ミ C中フ ").size(), 257 * kCellWidth);
}

TEST(TypeACConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAC, u"C低ド 3中ド K中ド ");
}

TEST(TypeACReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"the count is the length", cells({u"３", u"３×２", u"３×３", u"３×４", u"３×５"}),
         u"E中ミ D中ミ C中ミ B中ミ A中ミ "},
        {"rests", cells({u"０", u"０×３", u"０×５"}), u"J H F "},
        {"a count past the whole note is a sixteenth", cells({u"３×６", u"０×９"}), u"E中ミ J "},
        {"a sharp stays with its name", cells({u"５", u"８", u"５", u"２", u"５", u"８×２", u"５"}),
         u"E中ソ# E中ソ# E中レ E中ソ E中ソ "},
        {"other counts of the sharp key change nothing", cells({u"５", u"８×３", u"５"}),
         u"E中ソ E中ソ "},
        {"ミ takes no sharp", cells({u"３", u"８", u"３"}), u"E中ミ E中ミ "},
        {"the octave key steps round", cells({u"１", u"９", u"１", u"９×２", u"１", u"９×３"}),
         u"E高ド E中ド E中ド "},
        {"rests leave the octave", cells({u"１×２", u"９×２", u"０", u"２"}), u"D低ド J E低レ "},
        {"sharp key, then octave key", cells({u"６×３", u"８", u"９"}), u"C高ラ# "},
        {"cursor keys are skipped", cells({u"１", u"→", u"１"}), u"E中ド E中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"２×２"}), u"J D中レ "},
        {"a sharp key with no note before it", cells({u"１", u"０", u"８", u"２"}), u"E中ド J ",
         true},
        {"a second octave key", cells({u"１", u"９", u"９"}), u"E高ド ", 1},
    };
    expectReaderCases(kTypeAC, cases);
}

TEST(TypeACProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Read back, every unit is a plain length: dotted lengths come back as the note and the
    // rest one length shorter.
    expectUnitRoundTrips(
        {kTypeAC, 256, {u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J"}}, 30001);
}

TEST(TypeACProperty, LengthsTheKeysExpressSurviveExactly) {
    const std::u16string melody = u"A.低ド# ^ B.高シ C.中ミ D.高ラ# E中フ F. G. H. I. J ";
    EXPECT_EQ(soundingOf(fromKeys(kTypeAC, toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
