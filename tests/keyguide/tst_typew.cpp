#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeW = 24;

TEST(TypeWConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and ▼ five times", u"C中ド ", cells({u"１", u"▼×５"})},
        {"every length, whole note first", u"A中ミ B.中ミ B中ミ C.中ミ D.中ミ D中ミ E中ミ ",
         cells({u"３", u"▼", u"３", u"▼×２", u"３", u"▼×３", u"３", u"▼×４", u"３", u"▼×６", u"３",
                u"▼×７", u"３", u"▼×８"})},
        {"▲ right after the note key is the sharp", u"D中フ# D中ド# ",
         cells({u"４", u"▲", u"▼×７", u"１", u"▲", u"▼×７"})},
        {"▲ before the note key steps the octave up", u"D高ド D低ソ D中ラ# ",
         cells({u"▲", u"１", u"▼×７", u"▲", u"５", u"▼×７", u"▲", u"６", u"▲", u"▼×７"})},
        {"the range ends at the low ファ and the high ド", u"D低フ D低シ D高ド ",
         cells({u"▲×２", u"４", u"▼×７", u"７", u"▼×７", u"▲×２", u"１", u"▼×７"})},
        {"below the low ファ a note is typed an octave higher", u"D低ド D低ミ D低レ# ",
         cells({u"１", u"▼×７", u"３", u"▼×７", u"２", u"▲", u"▼×７"})},
        {"above the high ド a note is typed an octave lower", u"D高ド# D高シ ",
         cells({u"１", u"▲", u"▼×７", u"７", u"▼×７"})},
        {"＃ is the rest key; rests leave the octave", u"D高ド H D高ド ",
         cells({u"▲", u"１", u"▼×７", u"＃", u"▼×５", u"１", u"▼×７"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド ",
         cells({u"１", u"▼", u"＃", u"▼×３"})},
        {"tuplets", u"2中ド 3中レ ] ", cells({u"１", u"▼×６", u"２", u"▼×８", u"＃", u"▼×８"})},
        {"a tie continues the note as rests of its length", u"C中ソ ^ ^ ",
         cells({u"５", u"▼×５", u"＃", u"▼×５", u"＃", u"▼×５"})},
    };
    expectKeyTexts(kTypeW, cases);
}

TEST(TypeWConverter, StopsOnceMoreThan256NotesAreTyped) {
    std::u16string melody = repeated(u"J ", 300);
    EXPECT_EQ(toKeys(kTypeW, melody).size(), 257 * 2 * kCellWidth);
}

TEST(TypeWReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a note with its sharp and length", cells({u"５", u"▲", u"▼×４"}), u"C.中ソ# "},
        {"▲ at the start of a note moves the octave, after the note key it is the sharp",
         cells({u"▲", u"６", u"▲", u"▼×７", u"▲", u"４", u"▼×８"}), u"D高ラ# E低フ "},
        {"rests", cells({u"＃", u"▼", u"＃", u"▼×８"}), u"F J "},
        {"cursor keys are skipped", cells({u"→", u"１", u"▼×５"}), u"C中ド "},
        {"an unknown first key is a rest of a quarter", cells({u"０", u"１", u"▼×５"}),
         u"H C中ド "},
        {"a length key first stops the reading", cells({u"▼", u"１", u"▼×５"}), u" ", 1},
        {"a sharp without its length key stops the reading",
         cells({u"１", u"▼×５", u"２", u"▲", u"３"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeW, cases);
}

TEST(TypeWProperty, KeyTextIsAFixedPointAndFoldsPitchesIntoItsRange) {
    // The pitches come back in order, those below the low ファ (MIDI 65) an octave higher and
    // those above the high ド (MIDI 84) an octave lower.
    expectCursorKeyRoundTrips(
        {kTypeW, 256,
         [](int midi) {
             return std::optional<int>(midi < 65 ? midi + 12 : midi > 84 ? midi - 12 : midi);
         }},
        24001);
}

} // namespace
} // namespace sarvo::keyguide
