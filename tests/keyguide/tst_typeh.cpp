#include "countednoteroundtrip.h"
#include "keyguidetesting.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeH = 9;

TEST(TypeHConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"one press per sixteenth", u"C中ド ", cells({u"１×４"})},
        {"every length in sixteenths", u"A.中レ B中ミ D.中フ E.中ソ 2中ラ 3中シ 5中ド 6中レ ",
         cells({u"２×２４", u"３×８", u"４×３", u"５", u"６×３", u"７", u"１", u"２"})},
        {"rests", u"H I. ` ", cells({u"０×４", u"０×３", u"０"})},
        {"８ steps the octave from where the last note left it", u"D高ド D低レ D中ミ D低ド ",
         cells({u"８", u"１×２", u"８", u"２×２", u"８", u"３×２", u"８×２", u"１×２"})},
        {"a rest leaves the octave", u"D高ド I D高レ ",
         cells({u"８", u"１×２", u"０×２", u"２×２"})},
        {"sharps are dropped", u"D中ド# C高フ# ", cells({u"１×２", u"８", u"４×４"})},
        {"the same key again: a full round of ８ between", u"D中ミ D中ミ E中ミ C中ミ ",
         cells({u"３×２", u"８×３", u"３×２", u"８×３", u"３", u"８×３", u"３×４"})},
        {"sixteenths of one key run together", u"E中ソ E中ソ# E中ソ ", cells({u"５×３"})},
        {"a rest between needs nothing", u"D中ソ I D中ソ ", cells({u"５×２", u"０×２", u"５×２"})},
        {"a tie holds the key longer", u"C中ド ^ ^ D中レ ", cells({u"１×１２", u"２×２"})},
        {"rests in a row keep their own groups", u"I H ", cells({u"０×２", u"０×４"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１×２"})},
    };
    expectKeyTexts(kTypeH, cases);
}

TEST(TypeHConverter, StopsOnceThirtyNotesAreTypedAndMergesRepeats) {
    EXPECT_EQ(toKeys(kTypeH, repeated(u"D中ド I ", 20)).size(), 30 * kCellWidth);
    const std::u16string keys = toKeys(kTypeH, repeated(u"I ", 29) + u"A中レ ^ D中ミ ");
    EXPECT_EQ(keys, repeated(cells({u"０×２"}), 29) + cells({u"２×３２"}));

    melody::ParserState state;
    RecordingInteractive ui;
    convertToKeys(kTypeH, u"D中ド ", state, ui);
    EXPECT_TRUE(state.mergeRepeats);
}

TEST(TypeHReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"presses are sixteenths", cells({u"５×４", u"８×３", u"５×６", u"８×３", u"５"}),
         u"C中ソ C.中ソ E中ソ "},
        {"the longest length the presses are a whole number of, with ties",
         cells({u"１×５", u"０", u"２×１０", u"０", u"３×２４"}),
         u"E中ド ^ ^ ^ ^ J D中レ ^ ^ ^ ^ J A.中ミ "},
        {"rests", cells({u"０×３", u"０×８"}), u"I. G "},
        {"８ steps the octave round", cells({u"８", u"１", u"８×２", u"１", u"８×３", u"１"}),
         u"E高ド E中ド E中ド "},
        {"cursor keys are skipped", cells({u"１", u"→", u"０"}), u"E中ド J "},
        {"an unknown key gives a sixteenth rest", cells({u"９", u"２×２"}), u"J D中レ "},
    };
    for (const ReaderCase& c : cases)
        EXPECT_EQ(fromKeys(kTypeH, c.keys), c.melody) << c.name;
}

// Every plain and dotted length is kept, ties held; a dotted sixteenth becomes a sixteenth, a
// quarter-note triplet three sixteenths, the shorter tuplets one sixteenth (rests likewise).
// Every octave comes back, a sharp as its natural; sixteenths of one key in a row come back as
// one longer note.
TEST(TypeHProperty, KeyTextIsAFixedPointAndKeepsNaturalsAndSixteenths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeH,
        .limit = 30,
        .played =
            [](int midi) {
                return std::optional<int>(melody::sharpMarkOf(midi % 12).empty() ? midi : midi - 1);
            },
        .ticks =
            [](const melody::Note& note) {
                return sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                       melody::kTicksPerSixteenth;
            },
        .repeatsMayJoin = true,
    };
    expectCountedNoteRoundTrips(type, 20270109);
}

} // namespace
} // namespace sarvo::keyguide
