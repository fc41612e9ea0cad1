#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeL = 13;

TEST(TypeLConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a quarter needs no length presses", u"C中ド ", cells({u"１", u"＃"})},
        {"every length of the list", u"D中レ E中レ B中レ A中レ C.中レ ",
         cells({u"２", u"０", u"＃", u"２", u"０×２", u"＃", u"２", u"０×３", u"＃", u"２",
                u"０×４", u"＃", u"２", u"０×５", u"＃"})},
        {"８ steps through sharp, high and low", u"C中ソ# C高ソ C高ソ# C低ソ C低ソ# ",
         cells({u"５", u"８", u"＃", u"５", u"８×２", u"＃", u"５", u"８×３", u"＃", u"５",
                u"８×４", u"＃", u"５", u"８×５", u"＃"})},
        {"ミ and シ have no sharp step", u"C高ミ C低シ C中ミ# ",
         cells({u"３", u"８", u"＃", u"７", u"８×２", u"＃", u"３", u"＃"})},
        {"rests: the length presses and ＃", u"H I J G F H. ",
         cells({u"＃", u"０", u"＃", u"０×２", u"＃", u"０×３", u"＃", u"０×４", u"＃", u"０×５",
                u"＃"})},
        {"the same note twice needs nothing between", u"C中ド C中ド ",
         cells({u"１", u"＃", u"１", u"＃"})},
        {"other dotted lengths: the listed length and a rest for the rest",
         u"D.中ド B.中ド A.中ド E.中ド ",
         cells({u"１", u"０", u"＃", u"０×２", u"＃", u"１", u"０×３", u"＃", u"＃", u"１",
                u"０×４", u"＃", u"０×３", u"＃", u"１", u"０×２", u"＃"})},
        {"tuplets: a dotted eighth or a sixteenth", u"2中ド \\ 3中ド ] 5中ド _ 6中ド ` ",
         cells({u"１", u"０",    u"＃",    u"０×２", u"＃",    u"０", u"＃",    u"０×２",
                u"＃", u"１",    u"０×２", u"＃",    u"０×２", u"＃", u"１",    u"０×２",
                u"＃", u"０×２", u"＃",    u"１",    u"０×２", u"＃", u"０×２", u"＃"})},
        {"a tie continues as rests of the note's length", u"D中ド ^ ^ ",
         cells({u"１", u"０", u"＃", u"０", u"＃", u"０", u"＃"})},
        {"codes the phone has no length for type nothing", u"K中ド C中ド ", cells({u"１", u"＃"})},
    };
    expectKeyTexts(kTypeL, cases);
}

TEST(TypeLConverter, StopsOnceSixtyFourEntriesAreTyped) {
    // The 64th entry is the whole note of the dotted whole; its half rest and tie are cut.
    const std::u16string keys = toKeys(kTypeL, repeated(u"I ", 63) + u"A.中ド ^ C中レ ");
    EXPECT_EQ(keys.substr(63 * 2 * kCellWidth), cells({u"１", u"０×４", u"＃"}));
    EXPECT_EQ(toKeys(kTypeL, repeated(u"C中ド ", 70)).size(), 64 * 2 * kCellWidth);
}

TEST(TypeLConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeL, u"C低ド 3中ド K中ド ");
}

TEST(TypeLReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a note without presses is a middle quarter", cells({u"１", u"＃"}), u"C中ド "},
        {"８ presses, and round again",
         cells({u"２", u"８", u"＃", u"２", u"８×３", u"＃", u"２", u"８×５", u"＃", u"２",
                u"８×６", u"＃", u"３", u"８×２", u"＃"}),
         u"C中レ# C高レ# C低レ# C中レ C低ミ "},
        {"length presses", cells({u"４", u"０×５", u"＃", u"４", u"８×２", u"０×４", u"＃"}),
         u"C.中フ A高フ "},
        {"rests", cells({u"＃", u"０", u"＃", u"０×３", u"＃"}), u"H I G "},
        {"cursor keys are skipped", cells({u"→", u"１", u"＃", u"→"}), u"C中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"１", u"＃"}),
         u"H C中ド "},
        {"a note must be entered with ＃", cells({u"１", u"＃", u"２", u"３", u"＃"}), u"C中ド ",
         true},
        {"six length presses are no length", cells({u"１", u"０×６", u"＃"}), u" ", 1},
        {"a rest must be entered with ＃", cells({u"０", u"１", u"＃"}), u" ", 1},
        {"８ with no note before it", cells({u"１", u"＃", u"８", u"＃"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeL, cases);
}

TEST(TypeLProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Every pitch is played; every length lasts its time on the sixteenth grid (a dotted
    // sixteenth becomes a sixteenth, a quarter triplet a dotted eighth, the shorter tuplets a
    // sixteenth).
    expectNoteLimitRoundTrips(
        {kTypeL, 64, [](int midi) { return std::optional<int>(midi); }, ticksOnSixteenthGrid},
        13013);
}

} // namespace
} // namespace sarvo::keyguide
