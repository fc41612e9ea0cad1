#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAF = 33;

TEST(TypeAFConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and クリア", u"C中ソ ", cells({u"５", u"クリア"})},
        {"each length is its number of ３ presses",
         u"D中ラ E中ラ B中ラ A中ラ B.中ラ C.中ラ D.中ラ ",
         cells({u"６", u"３", u"クリア", u"６", u"３", u"３",     u"クリア", u"６", u"３",
                u"３", u"３", u"クリア", u"６", u"３", u"３",     u"３",     u"３", u"クリア",
                u"６", u"３", u"３",     u"３", u"３", u"３",     u"クリア", u"６", u"３",
                u"３", u"３", u"３",     u"３", u"３", u"クリア", u"６",     u"３", u"３",
                u"３", u"３", u"３",     u"３", u"３", u"クリア"})},
        {"１ steps sharp, high, high sharp, low, low sharp", u"C中ソ# C高ソ C高ソ# C低ソ C低ソ# ",
         cells({u"５", u"１", u"クリア", u"５", u"１", u"１", u"クリア", u"５", u"１",
                u"１", u"１", u"クリア", u"５", u"１", u"１", u"１",     u"１", u"クリア",
                u"５", u"１", u"１",     u"１", u"１", u"１", u"クリア"})},
        {"ミ and シ step high, then low; their sharp is dropped", u"C高ミ C低シ C中ミ# ",
         cells({u"３", u"１", u"クリア", u"７", u"１", u"１", u"クリア", u"３", u"クリア"})},
        {"ド and ミ keys, their pitch and length presses in order", u"D高ド D低ミ ",
         cells({u"１", u"１", u"１", u"３", u"クリア", u"３", u"１", u"１", u"３", u"クリア"})},
        {"the same note again: クリア has closed the first", u"C中ド C中ド ",
         cells({u"１", u"クリア", u"１", u"クリア"})},
        {"a rest is クリア, its length presses and クリア", u"H I. ",
         cells({u"クリア", u"クリア", u"クリア", u"３", u"３", u"３", u"３", u"３", u"３", u"３",
                u"クリア"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド ",
         cells({u"１", u"３", u"３", u"３", u"３", u"クリア", u"クリア", u"３", u"３", u"３",
                u"クリア"})},
        {"a dotted sixteenth loses its dot", u"E.中ド ", cells({u"１", u"３", u"３", u"クリア"})},
        {"a quarter-note triplet is a dotted eighth, shorter tuplets sixteenths", u"2中レ 5中レ ` ",
         cells({u"２", u"３", u"３", u"３", u"３", u"３", u"３", u"３", u"クリア", u"２", u"３",
                u"３", u"クリア", u"クリア", u"３", u"３", u"クリア"})},
        {"a tie continues the note as rests of its length", u"D中ソ ^ ",
         cells({u"５", u"３", u"クリア", u"クリア", u"３", u"クリア"})},
    };
    expectKeyTexts(kTypeAF, cases);
}

TEST(TypeAFConverter, StopsOnceMoreThan256EntriesAreTyped) {
    // The 257th entry is the note; the rest its tie adds is cut.
    const std::u16string keys = toKeys(kTypeAF, repeated(u"C中ド ", 256) + u"C中ミ ^ C中フ ");
    EXPECT_EQ(keys.substr(256 * 2 * kCellWidth), cells({u"３", u"クリア"}));
}

TEST(TypeAFReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"the first key is the note, then pitch and length presses",
         cells({u"１", u"１", u"３", u"クリア", u"３", u"３", u"クリア", u"３", u"クリア"}),
         u"D中ド# D中ミ C中ミ "},
        {"pitch steps of a note with a sharp",
         cells(
             {u"４", u"１", u"１", u"クリア", u"４", u"１", u"１", u"１", u"１", u"１", u"クリア"}),
         u"C高フ C低フ# "},
        {"pitch steps of ミ and シ",
         cells({u"７", u"１", u"クリア", u"３", u"１", u"１", u"クリア"}), u"C高シ C低ミ "},
        {"presses past the last step go round again",
         cells({u"３", u"１", u"１", u"１", u"クリア", u"５", u"３", u"３", u"３", u"３", u"３",
                u"３", u"３", u"３", u"３", u"クリア"}),
         u"C中ミ D中ソ "},
        {"rests", cells({u"クリア", u"クリア", u"クリア", u"３", u"３", u"３", u"３", u"クリア"}),
         u"H F "},
        {"a press count is that many presses", cells({u"２", u"１×２", u"３×６", u"クリア"}),
         u"C.高レ "},
        {"cursor keys are skipped", cells({u"→", u"６", u"クリア"}), u"C中ラ "},
        {"an unknown first key is a quarter rest", cells({u"９", u"６", u"クリア"}), u"H C中ラ "},
        {"a length press before a pitch press stops the reading",
         cells({u"６", u"クリア", u"６", u"３", u"１", u"クリア"}), u"C中ラ ", 1},
        {"a pitch press after a rest stops the reading",
         cells({u"２", u"クリア", u"クリア", u"１", u"クリア"}), u"C中レ ", 1},
        {"a note not closed by クリア stops the reading",
         cells({u"２", u"クリア", u"５", u"３", u"６", u"クリア"}), u"C中レ ", 1},
        {"an entry left open at the end stops the reading", cells({u"２", u"クリア", u"５", u"１"}),
         u"C中レ ", 1},
    };
    expectReaderCases(kTypeAF, cases);
}

TEST(TypeAFProperty, KeyTextIsAFixedPointAndKeepsEveryPitch) {
    // Every octave and sharp is typed, so all pitches come back in order. Lengths: plain and
    // dotted ones are kept, a dotted whole becomes a whole and a half rest, a dotted sixteenth
    // a sixteenth, a quarter-note triplet a dotted eighth and the shorter tuplets sixteenths.
    expectCursorKeyRoundTrips({kTypeAF, 256}, 33001);
}

} // namespace
} // namespace sarvo::keyguide
