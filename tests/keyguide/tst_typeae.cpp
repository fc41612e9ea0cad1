#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAE = 32;

TEST(TypeAEConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter", u"C中ド ", cells({u"１", u"↓×５"})},
        {"a sharp is the note key pressed three times", u"D中ド# D中ソ# ",
         cells({u"１×３", u"↓×７", u"５×３", u"↓×７"})},
        {"↑ steps the octave as on Type-U", u"B高ミ B.低シ ",
         cells({u"↑", u"３", u"↓×３", u"↑", u"７", u"↓×２"})},
        {"nine is the rest key", u"H G. ", cells({u"９", u"↓×５", u"９", u"↓×２"})},
        {"a tied whole note", u"A中ラ ^ ", cells({u"６", u"↓", u"９", u"↓"})},
        {"tuplets", u"2高ド 6中レ# ", cells({u"↑", u"１", u"↓×６", u"↑×２", u"２×３", u"↓×８"})},
    };
    expectKeyTexts(kTypeAE, cases);
}

TEST(TypeAEConverter, StopsOnceMoreThan128EntriesAreTyped) {
    EXPECT_EQ(toKeys(kTypeAE, repeated(u"I ", 128) + u"C中ド ^ C中レ ").size(),
              (128 * 2 + 2) * kCellWidth);
}

TEST(TypeAEReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"three presses are the sharp", cells({u"２×３", u"↓×５"}), u"C中レ# "},
        {"two presses are the flat, written as the sharp below",
         cells({u"３×２", u"↓×５", u"↑", u"７×２", u"↓×５"}), u"C中レ# C高ラ# "},
        {"a flat ド is the シ below", cells({u"１×２", u"↓×７"}), u"D低シ "},
        {"a flat below the lowest note is a rest", cells({u"↑×２", u"１×２", u"↓×７"}), u"I "},
        {"nine is a rest", cells({u"９", u"↓×８"}), u"J "},
        {"zero is not a key of this phone", cells({u"０", u"１", u"↓×７"}), u"H D中ド "},
        {"a note without its length key", cells({u"１", u"↓×７", u"２", u"９", u"↓"}), u"D中ド ",
         true},
    };
    expectReaderCases(kTypeAE, cases);
}

TEST(TypeAEProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // All three octaves and every sharp: each pitch comes back as it was.
    expectCursorKeyRoundTrips({kTypeAE, 128}, 32001);
}

} // namespace
} // namespace sarvo::keyguide
