#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeX = 25;

TEST(TypeXConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and ＃ five times", u"C中ド ", cells({u"１", u"＃×５"})},
        {"every length, whole note first", u"A中ミ B.中ミ B中ミ C.中ミ D.中ミ D中ミ E中ミ ",
         cells({u"３", u"＃", u"３", u"＃×２", u"３", u"＃×３", u"３", u"＃×４", u"３", u"＃×６",
                u"３", u"＃×７", u"３", u"＃×８"})},
        {"five presses reach the high octave; ＊ is the sharp", u"D高ド D高ラ# D中ラ# ",
         cells({u"１×５", u"＃×７", u"６×５", u"＊", u"＃×７", u"６", u"＊", u"＃×７"})},
        {"the same key again needs nothing between", u"E中ミ E中ミ ",
         cells({u"３", u"＃×８", u"３", u"＃×８"})},
        {"low notes become rests of their length", u"C低ド D.低ソ# ^ ",
         cells({u"０", u"＃×５", u"０", u"＃×６", u"０", u"＃×６"})},
        {"zero is the rest key", u"G. J ", cells({u"０", u"＃×２", u"０", u"＃×８"})},
        {"a dotted whole note is a whole note and a half rest", u"A.高シ ",
         cells({u"７×５", u"＃", u"０", u"＃×３"})},
        {"tuplets", u"2中ド 6中レ \\ ", cells({u"１", u"＃×６", u"２", u"＃×８", u"０", u"＃×６"})},
        {"a tie continues the note as rests of its length", u"C中ソ ^ ",
         cells({u"５", u"＃×５", u"０", u"＃×５"})},
    };
    expectKeyTexts(kTypeX, cases);
}

TEST(TypeXConverter, StopsOnceMoreThan256EntriesAreTyped) {
    // Low notes, typed as rests, are entries too; the dotted whole after them keeps its whole.
    const std::u16string keys = toKeys(kTypeX, repeated(u"C低ド ", 256) + u"A.中ミ C中フ ");
    EXPECT_EQ(keys.substr(256 * 2 * kCellWidth), cells({u"３", u"＃"}));
}

TEST(TypeXReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"middle and high notes, sharps",
         cells({u"４", u"＃×５", u"４×５", u"＊", u"＃×７", u"４", u"＊", u"＃×８"}),
         u"C中フ D高フ# E中フ# "},
        {"a count the key does not have is one press", cells({u"５×６", u"＃×５"}), u"C中ソ "},
        {"rests", cells({u"０", u"＃×４", u"０", u"＃×３"}), u"H. G "},
        {"cursor keys are skipped", cells({u"→", u"１", u"＃×５"}), u"C中ド "},
        {"an unknown first key is a rest of a quarter", cells({u"９", u"１", u"＃×５"}),
         u"H C中ド "},
        {"a length key first stops the reading", cells({u"＃×２", u"１", u"＃"}), u" ", 1},
        {"a sharp without its length key stops the reading",
         cells({u"１", u"＃×５", u"２", u"＊", u"３", u"＃"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeX, cases);
}

TEST(TypeXProperty, KeyTextIsAFixedPointAndTurnsLowNotesIntoRests) {
    // The middle and high pitches come back in order; the low ones (below MIDI 72) are typed as
    // rests of their length, so the duration is kept all the same.
    expectCursorKeyRoundTrips({kTypeX, 256,
                               [](int midi) {
                                   return midi < 72 ? std::nullopt : std::optional<int>(midi);
                               }},
                              25001);
}

} // namespace
} // namespace sarvo::keyguide
