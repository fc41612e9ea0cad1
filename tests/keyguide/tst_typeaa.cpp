#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAA = 28;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAA, melody);
}

TEST(TypeAAConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a quarter needs no length key", u"C中ド ", cells({u"１"})},
        {"plain lengths press the star key", u"D中ド E中レ A中ミ B中フ ",
         cells({u"１", u"＊", u"２", u"＊×２", u"３", u"＊×３", u"４", u"＊×４"})},
        {"dotted lengths press nine", u"C.中ド D.中レ B.中ミ ",
         cells({u"１", u"９", u"２", u"９×２", u"３", u"９×３"})},
        {"presses step through sharp, high and low", u"C中ド# C高レ C高フ# C低ソ C低ラ# ",
         cells({u"１×２", u"２×３", u"４×４", u"５×５", u"６×６"})},
        {"ミ and シ have no sharp", u"C高ミ C低シ C中ミ C高シ ",
         cells({u"３×２", u"７×３", u"３", u"７×２"})},
        {"the same key again is ended by the cursor key", u"C中ド C高ド# ",
         cells({u"１", u"→", u"１×４"})},
        {"a length key between does not separate the keys", u"D中ド D中ド ",
         cells({u"１", u"＊", u"→", u"１", u"＊"})},
        {"rests repeat the zero key", u"H I ", cells({u"０", u"→", u"０", u"＊"})},
        {"a rest between equal notes", u"C中ド H C中ド ", cells({u"１", u"０", u"１"})},
        {"a note on the zero key's heels", u"H C中ド H ", cells({u"０", u"１", u"０"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド ",
         cells({u"１", u"＊×３", u"０", u"＊×４"})},
        {"a dotted whole rest", u"F. ", cells({u"０", u"＊×３", u"→", u"０", u"＊×４"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ",
         cells({u"１", u"＊×２", u"０", u"＊×２"})},
        {"tuplets become a dotted eighth or a sixteenth", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"９×２", u"２", u"＊×２", u"３", u"＊×２", u"４", u"＊×２"})},
        {"tuplet rests likewise", u"\\ ] _ ` ",
         cells({u"０", u"９×２", u"→", u"０", u"＊×２", u"→", u"０", u"＊×２", u"→", u"０",
                u"＊×２"})},
        {"a tie continues as a rest of the note's length", u"C中ド ^ D中レ ",
         cells({u"１", u"０", u"２", u"＊"})},
        {"a tied dotted note keeps its dot", u"C.中ド ^ ", cells({u"１", u"９", u"０", u"９"})},
        {"a tied dotted whole note repeats both parts as rests", u"A.中ド ^ ",
         cells({u"１", u"＊×３", u"０", u"＊×４", u"→", u"０", u"＊×３", u"→", u"０", u"＊×４"})},
        {"ties with no note before them type nothing", u"^ ^ D中ド ", cells({u"１", u"＊"})},
    };
    expectKeyTexts(kTypeAA, cases);
}

TEST(TypeAAConverter, StopsOnceMoreThan255UnitsAreTyped) {
    std::u16string melody;
    for (int i = 0; i < 255; ++i)
        melody += i % 2 ? u"C中ド " : u"C中レ ";
    // At 255 units the limit is not yet exceeded: the dotted whole note is typed with both its
    // units, and nothing after it.
    const std::u16string keys = toKeys(melody + u"A.中ミ C中フ ");
    EXPECT_EQ(keys.size(), (255 + 4) * kCellWidth);
    EXPECT_EQ(keys.substr(255 * kCellWidth), cells({u"３", u"＊×３", u"０", u"＊×４"}));
    // At 256 units the next note is dropped.
    EXPECT_EQ(toKeys(melody + u"C中ミ C中フ ").size(), 256 * kCellWidth);
}

TEST(TypeAAConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAA, u"C低ド 3中ド K中ド ");
}

TEST(TypeAAReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every press count of ド, and round again",
         cells({u"１", u"１×２", u"１×３", u"１×４", u"１×５", u"１×６", u"１×７"}),
         u"C中ド C中ド# C高ド C高ド# C低ド C低ド# C中ド "},
        {"press counts of ミ", cells({u"３×２", u"３×３", u"３×４"}), u"C高ミ C低ミ C中ミ "},
        {"plain length cells",
         cells({u"１", u"＊", u"２", u"＊×２", u"３", u"＊×３", u"４", u"＊×４"}),
         u"D中ド E中レ A中ミ B中フ "},
        {"dotted length cells", cells({u"５", u"９", u"６×２", u"９×２", u"７", u"９×３"}),
         u"C.中ソ D.中ラ# B.中シ "},
        {"rests take the length of their cell", cells({u"０", u"０", u"９", u"０", u"＊×４"}),
         u"H H. G "},
        {"a number the list lacks keeps the quarter", cells({u"１", u"＊×５", u"２", u"９×４"}),
         u"C中ド C中レ "},
        {"cursor keys are skipped", cells({u"１", u"→", u"１", u"＊"}), u"C中ド D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"＊", u"２"}),
         u"I C中レ "},
        {"a bad count is one press", cells({u"２×Ｘ"}), u"C中レ "},
        {"a length key where a note belongs", cells({u"１", u"＊", u"＊", u"２"}), u"D中ド ", 1},
        {"a length key first", cells({u"９×２", u"１"}), u" ", 1},
    };
    expectReaderCases(kTypeAA, cases);
}

TEST(TypeAAProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Read back, every unit is one of the lengths the length keys give.
    expectUnitRoundTrips({kTypeAA,
                          255,
                          {u"A", u"B", u"C", u"D", u"E", u"B.", u"C.", u"D.", u"F", u"G", u"H",
                           u"I", u"J", u"G.", u"H.", u"I."}},
                         28001);
}

TEST(TypeAAProperty, LengthsTheKeysExpressSurviveExactly) {
    const std::u16string melody = u"A.低ド# ^ B.高シ C.中ミ D.高ラ# E中フ F. G. H. I. J ";
    EXPECT_EQ(soundingOf(fromKeys(kTypeAA, toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
