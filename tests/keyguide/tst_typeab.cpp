#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAB = 29;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAB, melody);
}

TEST(TypeABConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"every length of the list", u"C中ド D.中レ D中ミ E中フ A中ソ B.中ラ B中シ C.中ド ",
         cells({u"１", u"２", u"＊", u"３", u"＊×２", u"４", u"＊×３", u"５", u"＊×４", u"６",
                u"＊×５", u"７", u"＊×６", u"１", u"＊×７"})},
        {"presses step through sharp, high and low", u"D中ド# D高レ D高フ# D低ソ D低ラ# ",
         cells({u"１×２", u"＊×２", u"２×３", u"＊×２", u"４×４", u"＊×２", u"５×５", u"＊×２",
                u"６×６", u"＊×２"})},
        {"ミ and シ have no sharp", u"C高ミ C低シ ", cells({u"３×２", u"７×３"})},
        {"the same key again is ended by the cursor key", u"C中ソ C低ソ# ",
         cells({u"５", u"→", u"５×６"})},
        {"a length key between does not separate the keys", u"E中ラ E高ラ ",
         cells({u"６", u"＊×３", u"→", u"６×３", u"＊×３"})},
        {"rests repeat the zero key", u"H G. ", cells({u"０", u"→", u"０", u"＊×５"})},
        {"a rest between equal notes", u"C中ド H C中ド ", cells({u"１", u"０", u"１"})},
        {"a dotted whole note is a whole note and a half rest", u"A.高ミ F. ",
         cells(
             {u"３×２", u"＊×４", u"０", u"＊×６", u"→", u"０", u"＊×４", u"→", u"０", u"＊×６"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ",
         cells({u"１", u"＊×３", u"０", u"＊×３"})},
        {"tuplets become a dotted eighth or a sixteenth", u"2中ド 3中レ 5中ミ 6中フ \\ ] ",
         cells({u"１", u"＊", u"２", u"＊×３", u"３", u"＊×３", u"４", u"＊×３", u"０", u"＊", u"→",
                u"０", u"＊×３"})},
        {"a tie continues as a rest of the note's length", u"B.中ド ^ ^ ",
         cells({u"１", u"＊×５", u"０", u"＊×５", u"→", u"０", u"＊×５"})},
    };
    expectKeyTexts(kTypeAB, cases);
}

TEST(TypeABConverter, StopsOnceMoreThan127UnitsAreTyped) {
    std::u16string melody;
    for (int i = 0; i < 127; ++i)
        melody += i % 2 ? u"C中ド " : u"C中レ ";
    // At 127 units the limit is not yet exceeded: the tied quarter is typed with its rest.
    const std::u16string keys = toKeys(melody + u"C中ミ ^ C中フ ");
    EXPECT_EQ(keys.size(), (127 + 2) * kCellWidth);
    EXPECT_EQ(keys.substr(127 * kCellWidth), cells({u"３", u"０"}));
    // At 128 units the next note is dropped.
    EXPECT_EQ(toKeys(melody + u"C中ミ C中フ ").size(), 128 * kCellWidth);
}

TEST(TypeABConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAB, u"C低ド 3中ド K中ド ");
}

TEST(TypeABReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every length of the list",
         cells({u"１", u"１", u"＊", u"１", u"＊×２", u"１", u"＊×３", u"１", u"＊×４", u"１",
                u"＊×５", u"１", u"＊×６", u"１", u"＊×７"}),
         u"C中ド D.中ド D中ド E中ド A中ド B.中ド B中ド C.中ド "},
        {"press counts", cells({u"２×２", u"２×５", u"２×８", u"７×２", u"７×３", u"７×４"}),
         u"C中レ# C低レ C中レ# C高シ C低シ C中シ "},
        {"rests take the length of their cell", cells({u"０", u"０", u"＊×７", u"０", u"＊×４"}),
         u"H H. F "},
        {"a number the list lacks keeps the quarter", cells({u"１", u"＊×８"}), u"C中ド "},
        {"cursor keys are skipped", cells({u"→", u"１", u"→", u"１"}), u"C中ド C中ド "},
        {"nine is not a key of this phone", cells({u"１", u"９×２"}), u"C中ド H "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"＊×２"}), u"I "},
        {"a length key where a note belongs", cells({u"３", u"＊", u"＊×３", u"２"}), u"D.中ミ ",
         true},
    };
    expectReaderCases(kTypeAB, cases);
}

TEST(TypeABProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Read back, every unit is one of the eight lengths of the list.
    expectUnitRoundTrips({kTypeAB,
                          127,
                          {u"A", u"B", u"C", u"D", u"E", u"B.", u"C.", u"D.", u"F", u"G", u"H",
                           u"I", u"J", u"G.", u"H.", u"I."}},
                         29001);
}

TEST(TypeABProperty, LengthsTheKeysExpressSurviveExactly) {
    const std::u16string melody = u"A.低ド# ^ B.高シ C.中ミ D.高ラ# E中フ F. G. H. I. J ";
    EXPECT_EQ(soundingOf(fromKeys(kTypeAB, toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
