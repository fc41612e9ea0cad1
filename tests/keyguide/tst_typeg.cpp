#include "countednoteroundtrip.h"
#include "eighthgrid.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeG = 8;

TEST(TypeGConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"an eighth is the key pressed once", u"D中ド ", cells({u"１"})},
        {"presses step through middle sharp, high and high sharp", u"D中ド# D高レ D高フ# ",
         cells({u"１×２", u"２×３", u"４×４"})},
        {"ミ and シ go straight to high", u"D高ミ D中シ D高シ ",
         cells({u"３×２", u"７", u"→", u"７×２"})},
        {"a long note goes on as eighth rests", u"C中ド B中レ ",
         cells({u"１", u"９", u"２", u"９", u"９", u"９"})},
        {"dotted lengths", u"C.中ミ B.中フ ",
         cells({u"３", u"９", u"９", u"４", u"９", u"９", u"９", u"９", u"９"})},
        {"a whole note is eight eighths", u"A中ソ ", cells({u"５"}) + repeated(cells({u"９"}), 7)},
        {"sixteenths, dotted eighths and tuplets are one eighth",
         u"E中ド E.中レ D.中ミ 2中フ 3中ソ 5中ラ 6中シ ",
         cells({u"１", u"２", u"３", u"４", u"５", u"６", u"７"})},
        {"rests are eighth rests, one press each", u"I H \\ ] J ",
         cells({u"９", u"９", u"９", u"９", u"９", u"９"})},
        {"→ ends a note when the next is on the same key", u"D中ド D中ド# D高ミ D中ミ ",
         cells({u"１", u"→", u"１×２", u"３×２", u"→", u"３"})},
        {"a rest between needs no →", u"D中ド I D中ド ", cells({u"１", u"９", u"１"})},
        {"a low note is played an octave up", u"D低ソ D低ラ# D中ラ# ",
         cells({u"５", u"６×２", u"→", u"６×２"})},
        {"a tie goes on as rests of the note's length", u"C中ド ^ D中ド ",
         cells({u"１", u"９", u"９", u"９", u"１"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１"})},
    };
    expectKeyTexts(kTypeG, cases);
}

TEST(TypeGConverter, StopsOnceThePhoneHoldsThirtyTwoEntries) {
    EXPECT_EQ(toKeys(kTypeG, repeated(u"D中ド I ", 20)).size(), 32 * kCellWidth);
    // Every eighth is an entry: three dotted whole notes would be 36, so the third is cut after
    // its seventh rest.
    EXPECT_EQ(toKeys(kTypeG, u"A.中ド A.中ド A.中ド "),
              repeated(cells({u"１"}) + repeated(cells({u"９"}), 11), 2) + cells({u"１"}) +
                  repeated(cells({u"９"}), 7));
}

TEST(TypeGReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"counts", u"D中ド D中ド# D高ド D高ド# D高ミ D高シ D中シ ",
         cells({u"１", u"１×２", u"１×３", u"１×４", u"３×２", u"７×２", u"７"})},
        {"nine is an eighth rest, once per press", u"I H D中レ I ",
         cells({u"９", u"９×２", u"２", u"９"})},
        {"the cursor key is skipped", u"D中ド D中ド ", cells({u"１", u"→", u"１"})},
        {"a count the key does not have leaves the middle natural", u"D中ミ D中ラ ",
         cells({u"３×３", u"６×６"})},
        {"an unknown key gives a rest of the note's length", u"I D中レ ", cells({u"０", u"２"})},
    };
    expectMelodiesRead(kTypeG, cases);
}

// Every length becomes whole eighths (the note and eighth rests; shorter notes an eighth); a low
// note comes back an octave up; every other pitch, sharps included, comes back as it was.
TEST(TypeGProperty, KeyTextIsAFixedPointAndKeepsPitchesAndEighths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeG,
        .limit = 32,
        .played = [](int midi) { return std::optional<int>(midi < 72 ? midi + 12 : midi); },
        .ticks = ticksInEighths,
    };
    expectCountedNoteRoundTrips(type, 20270108);
}

} // namespace
} // namespace sarvo::keyguide
