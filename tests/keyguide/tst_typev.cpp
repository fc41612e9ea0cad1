#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeV = 23;

TEST(TypeVConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and ▼ five times", u"C中ド ", cells({u"１", u"▼×５"})},
        {"every length, whole note first", u"A中ミ B.中ミ B中ミ C.中ミ D.中ミ D中ミ E中ミ ",
         cells({u"３", u"▼", u"３", u"▼×２", u"３", u"▼×３", u"３", u"▼×４", u"３", u"▼×６", u"３",
                u"▼×７", u"３", u"▼×８"})},
        {"a sharp is the note key pressed three times", u"D中フ# ", cells({u"４×３", u"▼×７"})},
        {"▲ steps the octave up, high wrapping round to low", u"D高ド D低レ D中ミ D低フ ",
         cells({u"▲", u"１", u"▼×７", u"▲", u"２", u"▼×７", u"▲", u"３", u"▼×７", u"▲×２", u"４",
                u"▼×７"})},
        {"nine is the rest key; rests leave the octave", u"D高ド I. D高ド ",
         cells({u"▲", u"１", u"▼×７", u"９", u"▼×６", u"１", u"▼×７"})},
        {"a dotted whole rest is a whole and a half rest", u"F. ",
         cells({u"９", u"▼", u"９", u"▼×３"})},
        {"tuplets and their rests", u"2中ド 5中レ \\ ` ",
         cells({u"１", u"▼×６", u"２", u"▼×８", u"９", u"▼×６", u"９", u"▼×８"})},
        {"a tie continues the note as rests of its length", u"B中ソ# ^ ",
         cells({u"５×３", u"▼×３", u"９", u"▼×３"})},
    };
    expectKeyTexts(kTypeV, cases);
}

TEST(TypeVConverter, StopsOnceMoreThan128EntriesAreTyped) {
    // The tied note is entries 128 and 129, and nothing after that.
    const std::u16string keys = toKeys(kTypeV, repeated(u"E中ド ", 127) + u"C中レ ^ C中ミ ");
    EXPECT_EQ(keys.substr(127 * 2 * kCellWidth), cells({u"２", u"▼×５", u"９", u"▼×５"}));
}

TEST(TypeVReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"notes, sharps and flats",
         cells({u"５×３", u"▼×５", u"６×２", u"▼×５", u"３×３", u"▼×５"}), u"C中ソ# C中ソ# C中フ "},
        {"▲ moves the octave for the notes after it",
         cells({u"▲×２", u"１", u"▼×８", u"２", u"▼", u"▲", u"３", u"▼×４"}),
         u"E低ド A低レ C.中ミ "},
        {"rests", cells({u"９", u"▼×２", u"９", u"▼×７"}), u"G. I "},
        {"cursor keys are skipped", cells({u"→", u"７", u"▼×５"}), u"C中シ "},
        {"an unknown first key is a rest of a quarter", cells({u"↑", u"７", u"▼×５"}), u"H C中シ "},
        {"a length key first stops the reading", cells({u"▼×２", u"１", u"▼"}), u" ", 1},
        {"a note without its length key stops the reading",
         cells({u"７", u"▼×５", u"７", u"▲", u"７", u"▼"}), u"C中シ ", 1},
    };
    expectReaderCases(kTypeV, cases);
}

TEST(TypeVProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // All three octaves and every sharp: each pitch comes back as it was.
    expectCursorKeyRoundTrips({kTypeV, 128}, 23001);
}

} // namespace
} // namespace sarvo::keyguide
