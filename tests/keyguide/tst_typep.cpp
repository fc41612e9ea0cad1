#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeP = 17;

TEST(TypePConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"the three lengths", u"E中ド D中レ C中ミ ",
         cells({u"１", u"０", u"２", u"０×２", u"３", u"０×３"})},
        {"presses for the octave", u"C低ソ C高ド C低ド C低シ ",
         cells({u"５×３", u"０×３", u"１×２", u"０×３", u"１×３", u"０×３", u"７×３", u"０×３"})},
        {"notes above the high ド an octave lower", u"C高レ C高シ ",
         cells({u"２", u"０×３", u"７", u"０×３"})},
        {"sharps are dropped", u"C中ド# C高ド# C低ラ# ",
         cells({u"１", u"０×３", u"１×２", u"０×３", u"６×３", u"０×３"})},
        {"rests are their length alone", u"H I J ", cells({u"０×３", u"０×２", u"０"})},
        {"longer notes go on as quarter rests", u"B中ド A中ド ",
         cells({u"１", u"０×３", u"０×３", u"１", u"０×３", u"０×３", u"０×３", u"０×３"})},
        {"dotted lengths", u"B.中ド C.中ド D.中ド E.中ド ",
         cells({u"１", u"０×３", u"０×３", u"０×３", u"１", u"０×３", u"０×２", u"１", u"０×２",
                u"０", u"１", u"０"})},
        {"rests longer than a quarter", u"G F. ",
         cells({u"０×３", u"０×３", u"０×３", u"０×３", u"０×３", u"０×３", u"０×３", u"０×３"})},
        {"tuplets: an eighth and a sixteenth rest, or a sixteenth", u"2中ド \\ 3中ド ] ",
         cells({u"１", u"０×２", u"０", u"０×２", u"０", u"１", u"０", u"０"})},
        {"a tie continues as rests of the note's length", u"D中ド ^ ",
         cells({u"１", u"０×２", u"０×２"})},
    };
    expectKeyTexts(kTypeP, cases);
}

TEST(TypePConverter, HasNoLimit) {
    std::u16string melody = repeated(u"C中ド ", 1000);
    EXPECT_EQ(toKeys(kTypeP, melody).size(), 2000 * kCellWidth);
}

TEST(TypePReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"presses for the octave, and round again",
         cells({u"１", u"０", u"１×２", u"０×２", u"１×３", u"０×３", u"１×４", u"０×３"}),
         u"E中ド D高ド C低ド C中ド "},
        {"rests", cells({u"０", u"０×３"}), u"J H "},
        {"cursor keys are skipped", cells({u"→", u"１", u"０×３", u"→"}), u"C中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"１", u"０×３"}),
         u"H C中ド "},
        {"a note must be closed by its length", cells({u"１", u"０×３", u"２", u"３", u"０×３"}),
         u"C中ド ", 1},
        {"four presses are no length", cells({u"１", u"０×４"}), u" ", 1},
    };
    expectReaderCases(kTypeP, cases);
}

TEST(TypePProperty, KeyTextIsAFixedPointAndKeepsTheRangeAndLengths) {
    // Sharps are dropped; notes above the high ド sound an octave lower; every length lasts its
    // time on the sixteenth grid (a dotted sixteenth becomes a sixteenth, a quarter triplet a
    // dotted eighth, the shorter tuplets a sixteenth).
    auto inRange = [](int midi) {
        int semitone = midi % 12;
        if (semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10)
            --midi;
        return std::optional<int>(midi > 84 ? midi - 12 : midi);
    };
    expectNoteLimitRoundTrips({kTypeP, 1 << 30, inRange, ticksOnSixteenthGrid}, 17017);
}

} // namespace
} // namespace sarvo::keyguide
