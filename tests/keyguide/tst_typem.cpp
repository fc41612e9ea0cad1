#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeM = 14;

TEST(TypeMConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"every length digit", u"A中ド E中レ D中ミ D.中フ C中ソ C.中ラ B中シ B.中ド ",
         cells({u"１０", u"２１", u"３２", u"４３", u"５４", u"６５", u"７６", u"１７"})},
        {"rests are ０ and the length digit", u"F J I I. H H. G G. ",
         cells({u"００", u"０１", u"０２", u"０３", u"０４", u"０５", u"０６", u"０７"})},
        {"low and high notes are typed in the middle octave", u"C低ミ C高ミ ",
         cells({u"３４", u"３４"})},
        {"a sharp is typed as the natural", u"C中フ# D高ド# ", cells({u"４４", u"１２"})},
        {"the same note twice needs nothing between", u"D中ド D中ド ", cells({u"１２", u"１２"})},
        {"a dotted whole is a whole and a half rest", u"A.中ド F. ",
         cells({u"１０", u"０６", u"００", u"０６"})},
        {"a dotted sixteenth loses its dot", u"E.中ド J. ", cells({u"１１", u"０１"})},
        {"tuplets: a dotted eighth or a sixteenth", u"2中ド \\ 3中ド ] 5中ド _ 6中ド ` ",
         cells({u"１３", u"０３", u"１１", u"０１", u"１１", u"０１", u"１１", u"０１"})},
        {"a tie continues as rests of the note's length", u"C中ド ^ ^ ",
         cells({u"１４", u"０４", u"０４"})},
        {"codes without a length type nothing", u"K中ド C中ド ", cells({u"１４"})},
    };
    expectKeyTexts(kTypeM, cases);
}

TEST(TypeMConverter, StopsOnceSixtyFourEntriesAreTyped) {
    // The tied quarter that fills the phone loses the rest of its tie.
    const std::u16string keys = toKeys(kTypeM, repeated(u"I ", 63) + u"C中ド ^ D中レ ");
    EXPECT_EQ(keys, repeated(cells({u"０２"}), 63) + cells({u"１４"}));
}

TEST(TypeMConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeM, u"C低ド 3中ド K中ド ");
}

TEST(TypeMReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"notes in the middle octave", cells({u"１０", u"７１", u"５３", u"２７"}),
         u"A中ド E中シ D.中ソ B.中レ "},
        {"rests", cells({u"００", u"０４", u"０５"}), u"F H H. "},
        {"cursor keys are skipped", cells({u"→", u"１４", u"→"}), u"C中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＊４", u"１４"}),
         u"H C中ド "},
        {"８ is no length digit", cells({u"１４", u"２８", u"３４"}), u"C中ド ", 1},
        {"a pitch key without its length digit", cells({u"１４", u"２"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeM, cases);
}

TEST(TypeMProperty, KeyTextIsAFixedPointAndKeepsNamesAndLengths) {
    // Every note sounds in the middle octave without its sharp; every length lasts its time on
    // the sixteenth grid (a dotted sixteenth becomes a sixteenth, a quarter triplet a dotted
    // eighth, the shorter tuplets a sixteenth).
    auto middleNatural = [](int midi) {
        int semitone = midi % 12;
        if (semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10)
            --semitone;
        return std::optional<int>(72 + semitone);
    };
    expectNoteLimitRoundTrips({kTypeM, 64, middleNatural, ticksOnSixteenthGrid}, 14014);
}

} // namespace
} // namespace sarvo::keyguide
