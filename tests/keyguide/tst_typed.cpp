#include "countednoteroundtrip.h"
#include "eighthgrid.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeD = 5;

TEST(TypeDConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"one press is shown as ×１", u"D中ド ", cells({u"１×１"})},
        {"presses step through middle sharp, high and high sharp",
         u"D中ド# D高ド D高ド# D中ラ# D高ラ ",
         cells({u"１×２", u"１×３", u"１×４", u"６×２", u"６×３"})},
        {"ミ and シ go straight to high", u"D中ミ D高ミ D中シ D高シ ",
         cells({u"３×１", u"３×２", u"７×１", u"７×２"})},
        {"a quarter is the note and an eighth rest", u"C中ド ", cells({u"１×１", u"＃×１"})},
        {"a whole note goes on as seven eighth rests, four to a group", u"A中レ ",
         cells({u"２×１", u"＃×４", u"＃×３"})},
        {"dotted half and dotted quarter", u"B.中ミ C.中フ ",
         cells({u"３×１", u"＃×４", u"＃×１", u"４×１", u"＃×２"})},
        {"sixteenths, dotted eighths and tuplets are one eighth",
         u"E中ド E.中レ D.中ミ 2中フ 3中ソ 5中ラ 6中シ ",
         cells({u"１×１", u"２×１", u"３×１", u"４×１", u"５×１", u"６×１", u"７×１"})},
        {"rests in a row share a group", u"I H G ", cells({u"＃×４", u"＃×３"})},
        {"tuplet rests are eighth rests", u"\\ ] _ ` J ", cells({u"＃×４", u"＃×１"})},
        {"the same key again needs nothing between", u"D中ド D中ド D中ド# ",
         cells({u"１×１", u"１×１", u"１×２"})},
        {"a low note becomes a rest", u"D低ソ C低ラ# D中ド ", cells({u"＃×３", u"１×１"})},
        {"a tie goes on as rests of the note's length", u"C中ド ^ ^ D中レ ",
         cells({u"１×１", u"＃×４", u"＃×１", u"２×１"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１×１"})},
    };
    expectKeyTexts(kTypeD, cases);
}

TEST(TypeDConverter, StopsOnceThePhoneHoldsThirtyTwoEntries) {
    // A group of rests is one entry: ten whole notes take thirty.
    EXPECT_EQ(toKeys(kTypeD, repeated(u"A中ド ", 10) + repeated(u"D中ミ ", 5)),
              repeated(cells({u"１×１", u"＃×４", u"＃×３"}), 10) + cells({u"３×１", u"３×１"}));
    // The note that fills the phone is cut: its rests and the tie after it are left out.
    EXPECT_EQ(toKeys(kTypeD, repeated(u"D中ド ", 31) + u"A中レ ^ D中ミ "),
              repeated(cells({u"１×１"}), 31) + cells({u"２×１"}));
}

TEST(TypeDReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"counts", u"D中ド D中ド# D高ド D高ド# D高ミ D高シ ",
         cells({u"１×１", u"１×２", u"１×３", u"１×４", u"３×２", u"７×２"})},
        {"a key without a count is one press", u"D中ソ ", cells({u"５"})},
        {"a rest group is one rest of its eighths", u"H. D中レ I G I ",
         cells({u"＃×３", u"２×１", u"＃", u"＃×５"})},
        {"a count the key does not have leaves the middle natural", u"D中ミ D中ラ ",
         cells({u"３×４", u"６×５"})},
        {"cursor keys are skipped", u"D中ド D中ド ", cells({u"１×１", u"→", u"１×１"})},
        {"an unknown key gives a rest of the note's length", u"I D中レ ", cells({u"９", u"２×１"})},
    };
    expectMelodiesRead(kTypeD, cases);
}

// Every length becomes whole eighths (the note and eighth rests; shorter notes an eighth); low
// notes become rests; every other pitch, sharps included, comes back.
TEST(TypeDProperty, KeyTextIsAFixedPointAndKeepsPitchesAndEighths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeD,
        .limit = 32,
        .played = [](int midi) { return midi < 72 ? std::nullopt : std::optional<int>(midi); },
        .ticks = ticksInEighths,
    };
    expectCountedNoteRoundTrips(type, 20270105);
}

} // namespace
} // namespace sarvo::keyguide
