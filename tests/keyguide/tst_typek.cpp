#include "countednoteroundtrip.h"
#include "keyguidetesting.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeK = 12;

TEST(TypeKConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"an eighth needs no length presses", u"D中ド ", cells({u"１", u"＃"})},
        {"８ presses for sharp, high, high sharp, low and low sharp",
         u"C中ド# C高レ C高レ# C低ミ C低ソ# ",
         cells({u"１",    u"８", u"０×２", u"＃",    u"２",    u"８×２", u"０×２",
                u"＃",    u"２", u"８×３", u"０×２", u"＃",    u"３",    u"８×４",
                u"０×２", u"＃", u"５",    u"８×５", u"０×２", u"＃"})},
        {"length presses", u"D.中ド C.中ド B中ド E中ド ",
         cells({u"１", u"０", u"＃", u"１", u"０×３", u"＃", u"１", u"０×４", u"＃", u"１",
                u"０×５", u"＃"})},
        {"rests", u"I H J ", cells({u"＃", u"０×２", u"＃", u"０×５", u"＃"})},
        {"a whole note is a half and a half rest", u"A中ド ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃"})},
        {"a dotted half is a half and a quarter rest", u"B.中ド ",
         cells({u"１", u"０×４", u"＃", u"０×２", u"＃"})},
        {"tuplets and dotted sixteenths", u"2中ド 3中ド E.中ド ",
         cells({u"１", u"０", u"＃", u"１", u"０×５", u"＃", u"１", u"０×５", u"＃"})},
        {"a tie goes on as a rest of the note's length", u"D中ド ^ ", cells({u"１", u"＃", u"＃"})},
        {"＃ enters each note, so the same key needs nothing more", u"D中ド D中ド ",
         cells({u"１", u"＃", u"１", u"＃"})},
    };
    expectKeyTexts(kTypeK, cases);
}

TEST(TypeKConverter, StopsOnceSixtyFourEntriesAreTyped) {
    EXPECT_EQ(toKeys(kTypeK, repeated(u"D中ド ", 70)).size(), 64 * 2 * kCellWidth);
    // The whole note that fills the phone keeps its first half, not the half rest after it.
    const std::u16string keys = toKeys(kTypeK, repeated(u"I ", 63) + u"A中レ ^ D中ミ ");
    EXPECT_EQ(keys, repeated(cells({u"＃"}), 63) + cells({u"２", u"０×４", u"＃"}));
}

TEST(TypeKReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"note, ８ presses, length presses",
         cells({u"１", u"＃", u"１", u"８", u"０×２", u"＃", u"５", u"８×５", u"０×５", u"＃"}),
         u"D中ド C中ド# E低ソ# "},
        {"ミ has no sharp; six presses of ８ come round to the middle",
         cells({u"３", u"８", u"＃", u"２", u"８×６", u"＃"}), u"D中ミ D中レ "},
        {"rests", cells({u"＃", u"０×３", u"＃"}), u"I H. "},
        {"cursor keys are skipped", cells({u"→", u"１", u"＃"}), u"D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"９", u"１", u"＃"}),
         u"I D中ド "},
        {"a note not entered with ＃: stop, keeping what was read",
         cells({u"１", u"＃", u"２", u"０", u"３"}), u"D中ド ", 1},
        {"six length presses are no length", cells({u"１", u"０×６", u"＃"}), u" ", 1},
    };
    expectReaderCases(kTypeK, cases);
}

// Every plain and dotted length is kept (a whole or a dotted half as a half and rests, a tie as a
// rest of the note's length); a dotted sixteenth becomes a sixteenth, a quarter-note triplet a
// dotted eighth, the shorter tuplets a sixteenth (rests likewise). Every pitch comes back.
TEST(TypeKProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeK,
        .limit = 64,
        .played = [](int midi) { return std::optional<int>(midi); },
        .ticks =
            [](const melody::Note& note) {
                return sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                       melody::kTicksPerSixteenth;
            },
    };
    expectCountedNoteRoundTrips(type, 20270112);
}

} // namespace
} // namespace sarvo::keyguide
