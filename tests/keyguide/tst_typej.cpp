#include "countednoteroundtrip.h"
#include "keyguidetesting.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeJ = 11;

TEST(TypeJConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"one press per sixteenth", u"C中ド E.中レ 2中ミ ", cells({u"１×４", u"２", u"３×３"})},
        {"９ after the presses makes the note sharp", u"D中ド# C高フ# ",
         cells({u"１×２", u"９", u"８", u"４×４", u"９"})},
        {"octave steps", u"D低ラ D高ラ# ", cells({u"８×２", u"６×２", u"８×２", u"６×２", u"９"})},
        {"the sharp key keeps the same key apart", u"D中ド# D中ド ",
         cells({u"１×２", u"９", u"１×２"})},
        {"the same key again: a full round of ８ between", u"D中ド D中ド# ",
         cells({u"１×２", u"８×３", u"１×２", u"９"})},
        {"sixteenths of one pitch run together, a sharp one stands apart",
         u"E中ソ E中ソ E中ソ# E中ソ# ", cells({u"５×２", u"８×３", u"５", u"９", u"５", u"９"})},
        {"rests and ties", u"H C中ド ^ ", cells({u"０×４", u"１×８"})},
    };
    expectKeyTexts(kTypeJ, cases);
}

TEST(TypeJConverter, Stops256NotesIn) {
    EXPECT_EQ(toKeys(kTypeJ, repeated(u"D中ド I ", 130)).size(), 256 * kCellWidth);
    const std::u16string keys = toKeys(kTypeJ, repeated(u"I ", 255) + u"C中レ# ^ D中ミ ");
    EXPECT_EQ(keys, repeated(cells({u"０×２"}), 255) + cells({u"２×８", u"９"}));
}

TEST(TypeJReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a sharp after the presses", cells({u"５×４", u"９", u"８", u"３", u"９"}),
         u"C中ソ# E高ミ "},
        {"presses and octave", cells({u"８×２", u"６×６", u"０×２", u"８×３", u"６"}),
         u"C.低ラ I E低ラ "},
        {"an unknown key gives a sixteenth rest", cells({u"＊", u"２×２"}), u"J D中レ "},
        {"a sharp key where a note belongs: stop, keeping what was read",
         cells({u"１", u"９", u"９", u"２"}), u"E中ド# ", 1},
    };
    expectReaderCases(kTypeJ, cases);
}

// Every plain and dotted length is kept, ties held; a dotted sixteenth becomes a sixteenth, a
// quarter-note triplet three sixteenths, the shorter tuplets one sixteenth (rests likewise).
// Every pitch comes back; sixteenths of one pitch in a row come back as one longer note.
TEST(TypeJProperty, KeyTextIsAFixedPointAndKeepsPitchesAndSixteenths) {
    const CountedNoteRoundTrip type{
        .typeIndex = kTypeJ,
        .limit = 256,
        .played = [](int midi) { return std::optional<int>(midi); },
        .ticks =
            [](const melody::Note& note) {
                return sixteenthsOnGrid(note.length[0], note.dot == u".") * (note.tieCount + 1) *
                       melody::kTicksPerSixteenth;
            },
        .repeatsMayJoin = true,
    };
    expectCountedNoteRoundTrips(type, 20270111);
}

} // namespace
} // namespace sarvo::keyguide
