#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAD = 31;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAD, melody);
}

TEST(TypeADConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"an eighth needs no length key", u"D中ド ", cells({u"１"})},
        {"lengths of the eight list come first at each number", u"D.中ド C中レ C.中ミ B中フ ",
         cells({u"１", u"８", u"２", u"８×２", u"３", u"８×３", u"４", u"８×４"})},
        {"lengths only the nine list holds", u"E中ソ A中ラ B.中シ ",
         cells({u"５", u"９", u"６", u"９×２", u"７", u"９×３"})},
        {"presses for the octave", u"D中ド D高レ D低ミ D低シ ",
         cells({u"１", u"２×２", u"３×３", u"７×３"})},
        {"the character key after a sharp note", u"D中ド# C高ソ# ",
         cells({u"１", u"文字", u"５×２", u"文字", u"８×２"})},
        {"a sharp on ミ is not typed", u"D中ミ# ", cells({u"３"})},
        {"the same key right after an eighth", u"D中ド D中ド D高ド ",
         cells({u"１", u"→", u"１", u"→", u"１×２"})},
        {"a length key separates the presses", u"C中ド C中ド ",
         cells({u"１", u"８×２", u"１", u"８×２"})},
        {"the character key separates the presses", u"D中ド# D中ド ",
         cells({u"１", u"文字", u"１"})},
        {"only the previous unit's last key counts", u"D中ド C中ド D中ド ",
         cells({u"１", u"→", u"１", u"８×２", u"１"})},
        {"rests after an eighth rest", u"I I H ",
         cells({u"０", u"→", u"０", u"→", u"０", u"８×２"})},
        {"rests after a longer rest", u"H H ", cells({u"０", u"８×２", u"０", u"８×２"})},
        {"a note after a rest", u"I D中ド I ", cells({u"０", u"１", u"０"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド ",
         cells({u"１", u"９×２", u"０", u"８×４"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ", cells({u"１", u"９", u"０", u"９"})},
        {"tuplets become a dotted eighth or a sixteenth", u"2中ド \\ 3中レ ] 5中ミ _ 6中フ ` ",
         cells({u"１", u"８", u"０", u"８", u"２", u"９", u"０", u"９", u"３", u"９", u"０", u"９",
                u"４", u"９", u"０", u"９"})},
        {"a tie continues as a rest of the note's length", u"D中ド ^ ^ ",
         cells({u"１", u"０", u"→", u"０"})},
        {"a tied sharp quarter", u"C中レ# ^ ", cells({u"２", u"文字", u"８×２", u"０", u"８×２"})},
    };
    expectKeyTexts(kTypeAD, cases);
}

TEST(TypeADConverter, StopsOnceMoreThan256UnitsAreTyped) {
    std::u16string melody;
    for (int i = 0; i < 256; ++i)
        melody += i % 2 ? u"D中ド " : u"D中レ ";
    // At 256 units the limit is not yet exceeded: the tied eighth is typed with its rest, and
    // nothing after it.
    const std::u16string keys = toKeys(melody + u"D中ミ ^ D中フ ");
    EXPECT_EQ(keys.size(), (256 + 2) * kCellWidth);
    EXPECT_EQ(keys.substr(256 * kCellWidth), cells({u"３", u"０"}));
    // At 257 units the next note is dropped.
    EXPECT_EQ(toKeys(melody + u"D中ミ D中フ ").size(), 257 * kCellWidth);
}

TEST(TypeADConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAD, u"C低ド 3中ド K中ド ");
}

TEST(TypeADReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"presses for the octave, and round again", cells({u"１", u"１×２", u"１×３", u"１×４"}),
         u"D中ド D高ド D低ド D中ド "},
        {"lengths from both lists",
         cells({u"１", u"８", u"１", u"８×３", u"１", u"８×４", u"１", u"９", u"１", u"９×２",
                u"１", u"９×４"}),
         u"D.中ド C.中ド B中ド E中ド A中ド B中ド "},
        {"a number the lists lack keeps the eighth", cells({u"１", u"８×５"}), u"D中ド "},
        {"a sharp note", cells({u"５×２", u"文字", u"８×２"}), u"C高ソ# "},
        {"ミ takes no sharp", cells({u"３", u"文字"}), u"D中ミ "},
        {"rests", cells({u"０", u"０", u"９×２", u"０", u"８"}), u"I F I. "},
        {"cursor keys are skipped", cells({u"１", u"→", u"１"}), u"D中ド D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"文字", u"８×２"}),
         u"H "},
        {"the character key after a rest", cells({u"０", u"文字", u"１"}), u"I ", 1},
        {"a length key where a note belongs", cells({u"１", u"８", u"９"}), u"D.中ド ", 1},
        {"the character key first", cells({u"文字"}), u" ", 1},
    };
    expectReaderCases(kTypeAD, cases);
}

TEST(TypeADProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Read back, every unit is one of the lengths the two length keys give.
    expectUnitRoundTrips({kTypeAD,
                          256,
                          {u"A", u"B", u"C", u"D", u"E", u"B.", u"C.", u"D.", u"F", u"G", u"H",
                           u"I", u"J", u"G.", u"H.", u"I."}},
                         31001);
}

TEST(TypeADProperty, LengthsTheKeysExpressSurviveExactly) {
    const std::u16string melody = u"A.低ド# ^ B.高シ C.中ミ D.高ラ# E中フ F. G. H. I. J ";
    EXPECT_EQ(soundingOf(fromKeys(kTypeAD, toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
