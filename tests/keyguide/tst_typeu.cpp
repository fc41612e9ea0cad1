#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeU = 22;

TEST(TypeUConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and the length key five times", u"C中ド ",
         cells({u"１", u"↓×５"})},
        {"every length of the list, whole note first",
         u"A中レ B.中レ B中レ C.中レ D.中レ D中レ E中レ ",
         cells({u"２", u"↓", u"２", u"↓×２", u"２", u"↓×３", u"２", u"↓×４", u"２", u"↓×６", u"２",
                u"↓×７", u"２", u"↓×８"})},
        {"a sharp is the note key pressed twice", u"D中ド# D中ラ# ",
         cells({u"１×２", u"↓×７", u"６×２", u"↓×７"})},
        {"↑ steps the octave up from the last note, high wrapping round to low",
         u"D高ド D低レ D中ミ D低フ ",
         cells({u"↑", u"１", u"↓×７", u"↑", u"２", u"↓×７", u"↑", u"３", u"↓×７", u"↑×２", u"４",
                u"↓×７"})},
        {"rests leave the octave where the last note left it", u"D高ド I D高ソ# ",
         cells({u"↑", u"１", u"↓×７", u"０", u"↓×７", u"５×２", u"↓×７"})},
        {"the length key closes each note, so a repeated key needs no cursor", u"E中ミ E中ミ ",
         cells({u"３", u"↓×８", u"３", u"↓×８"})},
        {"rests of every length", u"F G. G H. H I. I J ",
         cells({u"０", u"↓", u"０", u"↓×２", u"０", u"↓×３", u"０", u"↓×４", u"０", u"↓×５", u"０",
                u"↓×６", u"０", u"↓×７", u"０", u"↓×８"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド F. ",
         cells({u"１", u"↓", u"０", u"↓×３", u"０", u"↓", u"０", u"↓×３"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ",
         cells({u"１", u"↓×８", u"０", u"↓×８"})},
        {"a quarter triplet is a dotted eighth, shorter tuplets sixteenths",
         u"2中ド 3中レ 5中ミ 6中フ \\ ] _ ` ",
         cells({u"１", u"↓×６", u"２", u"↓×８", u"３", u"↓×８", u"４", u"↓×８", u"０", u"↓×６",
                u"０", u"↓×８", u"０", u"↓×８", u"０", u"↓×８"})},
        {"a tie continues the note as rests of its length", u"C.中ソ ^ ^ ",
         cells({u"５", u"↓×４", u"０", u"↓×４", u"０", u"↓×４"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１", u"↓×７"})},
    };
    expectKeyTexts(kTypeU, cases);
}

TEST(TypeUConverter, StopsOnceMoreThan96EntriesAreTyped) {
    // Each length typed is an entry: the tied note is the 96th and 97th, and its second tie
    // is cut.
    const std::u16string keys = toKeys(kTypeU, repeated(u"C中ド ", 95) + u"C中レ ^ ^ A.中ミ ");
    EXPECT_EQ(keys.substr(95 * 2 * kCellWidth), cells({u"２", u"↓×５", u"０", u"↓×５"}));

    EXPECT_EQ(toKeys(kTypeU, repeated(u"D中ド ", 120)).size(), 97 * 2 * kCellWidth);
}

TEST(TypeUConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeU, u"C低ド 3中ド K中ド A.高シ ");
}

TEST(TypeUReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every length number",
         cells({u"１", u"↓", u"１", u"↓×２", u"１", u"↓×３", u"１", u"↓×４", u"１", u"↓×５", u"１",
                u"↓×６", u"１", u"↓×７", u"１", u"↓×８"}),
         u"A中ド B.中ド B中ド C.中ド C中ド D.中ド D中ド E中ド "},
        {"two presses are the sharp", cells({u"４×２", u"↓×７", u"７", u"↓×７"}), u"D中フ# D中シ "},
        {"a count the key does not have is one press", cells({u"２×３", u"↓×７"}), u"D中レ "},
        {"↑ steps the octave round, and the octave stays for the notes after it",
         cells(
             {u"↑", u"１", u"↓×５", u"２", u"↓×５", u"↑", u"３", u"↓×５", u"↑×４", u"４", u"↓×５"}),
         u"C高ド C高レ C低ミ C中フ "},
        {"rests", cells({u"０", u"↓", u"０", u"↓×４", u"０", u"↓×８"}), u"F H. J "},
        {"cursor keys are skipped", cells({u"→", u"１", u"↓×７", u"→"}), u"D中ド "},
        {"an unknown first key is a rest of a quarter", cells({u"＊", u"２", u"↓×７"}),
         u"H D中レ "},
        {"an unknown key before a length is a rest of that length", cells({u"＃", u"↓×７"}), u"I "},
        {"a length number the list lacks keeps the quarter", cells({u"１", u"↓×９"}), u"C中ド "},
        {"a length key where a note belongs stops the reading",
         cells({u"１", u"↓×７", u"↓", u"２", u"↓"}), u"D中ド ", 1},
        {"a note without its length key stops the reading",
         cells({u"１", u"↓×７", u"２", u"３", u"↓"}), u"D中ド ", 1},
        {"a rest cut off before its length", cells({u"１", u"↓×７", u"０"}), u"D中ド ", 1},
    };
    expectReaderCases(kTypeU, cases);
}

TEST(TypeUProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // All three octaves and every sharp: each pitch comes back as it was.
    expectCursorKeyRoundTrips({kTypeU, 96}, 22001);
}

} // namespace
} // namespace sarvo::keyguide
