#include "countednoteroundtrip.h"
#include "keyguidetesting.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeF = 7;

TEST(TypeFConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"pitch, then length", u"C中ド ", cells({u"１", u"４"})},
        {"presses step through middle sharp, high and high sharp",
         u"D中ド# D高レ D高フ# D高ミ D高シ ",
         cells({u"１×２", u"２", u"２×３", u"２", u"４×４", u"２", u"３×２", u"２", u"７×２",
                u"２"})},
        {"every length key", u"E中ラ D中ラ D.中ラ C中ラ C.中ラ B中ラ B.中ラ ",
         cells({u"６", u"１", u"６", u"２", u"６", u"３", u"６", u"４", u"６", u"５", u"６", u"６",
                u"６", u"７"})},
        {"a whole note holds the half twice, a dotted whole three times", u"A中ソ A.中ソ ",
         cells({u"５", u"６×２", u"５", u"６×３"})},
        {"dotted sixteenths and tuplets", u"E.中ド 2中ド 3中ド 5中ド 6中ド ",
         cells({u"１", u"１", u"１", u"３", u"１", u"１", u"１", u"１", u"１", u"１"})},
        {"rests are the ド key pressed past its pitches", u"H F. \\ ` ",
         cells({u"１×５", u"４", u"１×５", u"６×３", u"１×５", u"３", u"１×５", u"１"})},
        {"a tie holds the length again", u"C中ド ^ ^ B.中レ ^ ",
         cells({u"１", u"４×３", u"２", u"７×２"})},
        {"the same key again needs nothing between", u"D中ド D中ド ",
         cells({u"１", u"２", u"１", u"２"})},
        {"a low note becomes a rest of its length, ties held", u"C低ミ D低ド ^ D中ド ",
         cells({u"１×５", u"４", u"１×５", u"２×２", u"１", u"２"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１", u"２"})},
    };
    expectKeyTexts(kTypeF, cases);
}

TEST(TypeFConverter, StopsOnce128NotesAreTyped) {
    EXPECT_EQ(toKeys(kTypeF, repeated(u"D中ド ", 130)).size(), 2 * 128 * kCellWidth);
    // The 128th note is typed with its tie; the note after it is dropped.
    const std::u16string keys = toKeys(kTypeF, repeated(u"I ", 127) + u"A中レ ^ D中ミ ");
    EXPECT_EQ(keys.size(), 2 * 128 * kCellWidth);
    EXPECT_EQ(keys.substr(2 * 127 * kCellWidth), cells({u"２", u"６×４"}));
}

TEST(TypeFReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"pitch counts",
         cells({u"１", u"４", u"１×２", u"４", u"１×３", u"４", u"１×４", u"４", u"３×２", u"４"}),
         u"C中ド C中ド# C高ド C高ド# C高ミ "},
        {"every length key",
         cells({u"６", u"１", u"６", u"２", u"６", u"３", u"６", u"４", u"６", u"５", u"６", u"６",
                u"６", u"７"}),
         u"E中ラ D中ラ D.中ラ C中ラ C.中ラ B中ラ B.中ラ "},
        {"a held half is a whole note, three halves a dotted whole",
         cells({u"５", u"６×２", u"５", u"６×３", u"１×５", u"６×２"}), u"A中ソ A.中ソ F "},
        {"other held lengths are ties, on rests too", cells({u"２", u"４×３", u"１×５", u"２×２"}),
         u"C中レ ^ ^ I ^ "},
        {"the cursor key is skipped", cells({u"１", u"２", u"→", u"１", u"２"}), u"D中ド D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"９", u"１", u"２"}),
         u"H D中ド "},
        {"a pitch without a length key: stop, keeping what was read",
         cells({u"１", u"２", u"３", u"→", u"４", u"４"}), u"D中ド ", 1},
        {"a pitch cut off before its length", cells({u"１", u"２", u"３"}), u"D中ド ", 1},
    };
    expectReaderCases(kTypeF, cases);
}

// Every plain and dotted length is kept and ties hold the note; a dotted sixteenth becomes a
// sixteenth, a quarter-note triplet a dotted eighth, the shorter tuplets a sixteenth (their rests
// likewise). A low note becomes a rest of its length; every other pitch, sharps included, comes
// back. One note is typed as one pair of groups and reads back as one note, so within the
// limit the key text is a fixed point at once.
TEST(TypeFProperty, KeyTextIsAFixedPointAndKeepsPitchesAndSixteenths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeF,
        .limit = 128,
        .played = [](int midi) { return midi < 72 ? std::nullopt : std::optional<int>(midi); },
        .ticks =
            [](const melody::Note& note) {
                return sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                       melody::kTicksPerSixteenth;
            },
    };
    expectCountedNoteRoundTrips(type, 20270107);
}

} // namespace
} // namespace sarvo::keyguide
