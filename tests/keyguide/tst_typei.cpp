#include "countednoteroundtrip.h"
#include "keyguidetesting.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeI = 10;

TEST(TypeIConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a quarter needs no length presses", u"C中ド ", cells({u"１", u"→"})},
        {"the key pressed twice is high, four times low", u"C高レ C低ミ ",
         cells({u"２×２", u"→", u"３×４", u"→"})},
        {"a sharp is played as its natural", u"C中ド# C高ソ# ",
         cells({u"１", u"→", u"５×２", u"→"})},
        {"every length of the list", u"D中ド E中ド B中ド A中ド C.中ド D.中ド B.中ド ",
         cells({u"１",    u"０", u"→",     u"１",    u"０×２", u"→",     u"１",
                u"０×３", u"→",  u"１",    u"０×４", u"→",     u"１",    u"０×５",
                u"→",     u"１", u"０×６", u"→",     u"１",    u"０×７", u"→"})},
        {"rests are their length presses and →", u"H I G. ",
         cells({u"→", u"０", u"→", u"０×７", u"→"})},
        {"a dotted whole is a whole and a half rest", u"A.中ド ",
         cells({u"１", u"０×４", u"→", u"０×３", u"→"})},
        {"dotted sixteenths and tuplets", u"E.中ド 2中ド 3中ド \\ ] ",
         cells({u"１", u"０×２", u"→", u"１", u"０×６", u"→", u"１", u"０×２", u"→", u"０×６", u"→",
                u"０×２", u"→"})},
        {"a tie goes on as a rest of the note's length", u"C中ド ^ ", cells({u"１", u"→", u"→"})},
        {"→ enters each note, so the same key needs nothing more", u"C中ド C中ド ",
         cells({u"１", u"→", u"１", u"→"})},
    };
    expectKeyTexts(kTypeI, cases);
}

TEST(TypeIConverter, StopsOnceNinetySixEntriesAreTypedAndMergesRepeats) {
    EXPECT_EQ(toKeys(kTypeI, repeated(u"C中ド ", 100)).size(), 96 * 2 * kCellWidth);
    // Each length typed is an entry: the dotted whole that fills the phone keeps its whole note.
    const std::u16string keys = toKeys(kTypeI, repeated(u"H ", 95) + u"A.中レ ^ D中ミ ");
    EXPECT_EQ(keys, repeated(cells({u"→"}), 95) + cells({u"２", u"０×４", u"→"}));

    melody::ParserState state;
    RecordingInteractive ui;
    convertToKeys(kTypeI, u"D中ド ", state, ui);
    EXPECT_TRUE(state.mergeRepeats);
}

TEST(TypeIReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"octave presses; three goes back to middle",
         cells({u"２×２", u"０", u"→", u"３×４", u"０×２", u"→", u"５×３", u"→"}),
         u"D高レ E低ミ C中ソ "},
        {"rests", cells({u"→", u"０×７", u"→"}), u"H G. "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"１", u"→"}),
         u"H C中ド "},
        {"a note not entered with →: stop, keeping what was read",
         cells({u"１", u"→", u"２", u"０", u"３"}), u"C中ド ", 1},
        {"a rest not entered with →", cells({u"０", u"１", u"→"}), u" ", 1},
    };
    expectReaderCases(kTypeI, cases);
}

// Every plain and dotted length is kept (a dotted whole as a whole and a half rest, a tie as a
// rest of the note's length); a dotted sixteenth becomes a sixteenth, a quarter-note triplet a
// dotted eighth, the shorter tuplets a sixteenth (rests likewise). Every octave comes back, a
// sharp as its natural.
TEST(TypeIProperty, KeyTextIsAFixedPointAndKeepsNaturalsAndLengths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeI,
        .limit = 96,
        .played =
            [](int midi) {
                return std::optional<int>(melody::sharpMarkOf(midi % 12).empty() ? midi : midi - 1);
            },
        .ticks =
            [](const melody::Note& note) {
                return sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                       melody::kTicksPerSixteenth;
            },
    };
    expectCountedNoteRoundTrips(type, 20270110);
}

} // namespace
} // namespace sarvo::keyguide
