#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeN = 15;

TEST(TypeNConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"every length", u"A中ド B中レ C中ミ D中フ E中ソ ",
         cells({u"１", u"０×２", u"２", u"０×３", u"３", u"０×４", u"４", u"０×５", u"５",
                u"０×６"})},
        {"９ after a sharp note", u"C中ド# D中ラ# C中ミ# ",
         cells({u"１", u"９", u"０×４", u"６", u"９", u"０×５", u"３", u"０×４"})},
        {"low and high notes in the middle octave", u"C低ソ# C高シ ",
         cells({u"５", u"９", u"０×４", u"７", u"０×４"})},
        {"rests are their length alone", u"F G H I J ",
         cells({u"０×２", u"０×３", u"０×４", u"０×５", u"０×６"})},
        {"dotted lengths: the length and the rest one shorter", u"A.中ド B.中ド C.中ド D.中ド ",
         cells({u"１", u"０×２", u"０×３", u"１", u"０×３", u"０×４", u"１", u"０×４", u"０×５",
                u"１", u"０×５", u"０×６"})},
        {"dotted rests likewise", u"H. E.中ド J. ",
         cells({u"０×４", u"０×５", u"１", u"０×６", u"０×６"})},
        {"tuplets: an eighth and a sixteenth rest, or a sixteenth",
         u"2中ド \\ 3中ド ] 5中ド _ 6中ド ` ",
         cells({u"１", u"０×５", u"０×６", u"０×５", u"０×６", u"１", u"０×６", u"０×６", u"１",
                u"０×６", u"０×６", u"１", u"０×６", u"０×６"})},
        {"a tie continues as rests of the note's length", u"D中ド ^ ^ ",
         cells({u"１", u"０×５", u"０×５", u"０×５"})},
        {"codes without a length type nothing", u"K中ド C中ド ", cells({u"１", u"０×４"})},
    };
    expectKeyTexts(kTypeN, cases);
}

TEST(TypeNConverter, HasNoLimit) {
    std::u16string melody = repeated(u"D中ド ", 1000);
    EXPECT_EQ(toKeys(kTypeN, melody).size(), 2000 * kCellWidth);
}

TEST(TypeNConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeN, u"C低ド 3中ド K中ド ");
}

TEST(TypeNReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"notes and their lengths",
         cells({u"１", u"０×２", u"７", u"０×６", u"５", u"９", u"０×３"}), u"A中ド E中シ B中ソ# "},
        {"ミ takes no sharp", cells({u"３", u"９", u"０×４"}), u"C中ミ "},
        {"rests", cells({u"０×２", u"０×５"}), u"F I "},
        {"cursor keys are skipped", cells({u"→", u"１", u"０×４", u"→"}), u"C中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"１", u"０×４"}),
         u"H C中ド "},
        {"a note must be closed by its length", cells({u"１", u"０×４", u"２", u"３", u"０×４"}),
         u"C中ド ", 1},
        {"one press of ０ is no length", cells({u"１", u"０×４", u"０"}), u"C中ド ", 1},
        {"seven presses are no length", cells({u"１", u"０×７"}), u" ", 1},
        {"a sharp with no note before it", cells({u"１", u"０×４", u"９", u"０×４"}), u"C中ド ",
         true},
    };
    expectReaderCases(kTypeN, cases);
}

TEST(TypeNProperty, KeyTextIsAFixedPointAndKeepsNamesSharpsAndLengths) {
    // Every note sounds in the middle octave with its sharp; every length lasts its time on the
    // sixteenth grid (a dotted sixteenth becomes a sixteenth, a quarter triplet a dotted eighth,
    // the shorter tuplets a sixteenth). With no limit, the whole melody is always typed.
    auto middleOctave = [](int midi) {
        return std::optional<int>(72 + midi % 12);
    };
    expectNoteLimitRoundTrips({kTypeN, 1 << 30, middleOctave, ticksOnSixteenthGrid}, 15015);
}

} // namespace
} // namespace sarvo::keyguide
