#include "keyguidetesting.h"
#include "unitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAG = 34;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAG, melody);
}

TEST(TypeAGConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"every length of the list, longest first",
         u"A中ド B.中レ B中ミ C.中フ C中ソ D.中ラ D中シ E中ド ",
         cells({u"１", u"０×１", u"２", u"０×２", u"３", u"０×３", u"４", u"０×４", u"５", u"０×５",
                u"６", u"０×６", u"７", u"０×７", u"１", u"０×８"})},
        {"star presses step through sharp, high and low", u"C中ド# C高レ C高フ# C低ソ C低ラ# ",
         cells({u"１", u"＊×１", u"０×５", u"２", u"＊×２", u"０×５", u"４", u"＊×３", u"０×５",
                u"５", u"＊×４", u"０×５", u"６", u"＊×５", u"０×５"})},
        {"ミ and シ have no sharp", u"C高ミ C低シ ",
         cells({u"３", u"＊×１", u"０×５", u"７", u"＊×２", u"０×５"})},
        {"a rest is eight and its length", u"H I. ", cells({u"８", u"０×５", u"８", u"０×６"})},
        {"the same key again needs nothing between", u"D中ド D中ド ",
         cells({u"１", u"０×７", u"１", u"０×７"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド F. ",
         cells({u"１", u"０×１", u"８", u"０×３", u"８", u"０×１", u"８", u"０×３"})},
        {"dotted sixteenths lose their dot", u"E.中ド J. ",
         cells({u"１", u"０×８", u"８", u"０×８"})},
        {"tuplets become a dotted eighth or a sixteenth", u"2中ド 3中レ 5中ミ 6中フ \\ ` ",
         cells({u"１", u"０×６", u"２", u"０×８", u"３", u"０×８", u"４", u"０×８", u"８", u"０×６",
                u"８", u"０×８"})},
        {"a tie continues as a rest of the note's length", u"C中ド ^ ^ ",
         cells({u"１", u"０×５", u"８", u"０×５", u"８", u"０×５"})},
    };
    expectKeyTexts(kTypeAG, cases);
}

TEST(TypeAGConverter, StopsOnceMoreThan128EntriesAreTyped) {
    // Each length typed is an entry: the dotted whole is the 128th and 129th (a whole and a
    // half rest), and its tie is cut.
    const std::u16string keys = toKeys(repeated(u"C中ド ", 127) + u"A.中ミ ^ C中フ ");
    EXPECT_EQ(keys.substr(127 * 2 * kCellWidth), cells({u"３", u"０×１", u"８", u"０×３"}));
}

TEST(TypeAGConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAG, u"C低ド 3中ド K中ド ");
}

TEST(TypeAGReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"every length count",
         cells({u"１", u"０×１", u"１", u"０×２", u"１", u"０×３", u"１", u"０×４", u"１", u"０×５",
                u"１", u"０×６", u"１", u"０×７", u"１", u"０×８"}),
         u"A中ド B.中ド B中ド C.中ド C中ド D.中ド D中ド E中ド "},
        {"star counts, and round again",
         cells({u"２", u"＊×１", u"０×５", u"２", u"＊×４", u"０×５", u"２", u"＊×６", u"０×５",
                u"３", u"＊×２", u"０×５", u"３", u"＊×３", u"０×５"}),
         u"C中レ# C低レ C中レ C低ミ C中ミ "},
        {"a bare key is one press", cells({u"５", u"＊", u"０"}), u"A中ソ# "},
        {"rests", cells({u"８", u"０×１", u"８", u"０×６"}), u"F I. "},
        {"cursor keys are skipped", cells({u"→", u"１", u"０×７"}), u"D中ド "},
        {"an unknown key gives a rest of the note's length", cells({u"＃", u"１", u"０×５"}),
         u"H C中ド "},
        {"a note without its length", cells({u"１", u"０×５", u"２", u"３", u"０×５"}), u"C中ド ",
         true},
        {"a length count the list lacks", cells({u"１", u"０×９"}), u" ", 1},
        {"a star after a rest", cells({u"８", u"＊×２", u"０×５"}), u" ", 1},
        {"a length key where a note belongs", cells({u"０×５", u"１", u"０×５"}), u" ", 1},
        {"a star key where a note belongs", cells({u"１", u"０×５", u"＊×２"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeAG, cases);
}

TEST(TypeAGProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // Every unit reads back as one token of the eight listed lengths (or their rests); those
    // tokens count one note each, so the round trip's limit is the note limit. A dotted whole
    // becomes a whole and a half rest, a dotted sixteenth a sixteenth, a quarter triplet a
    // dotted eighth and the shorter tuplets a sixteenth.
    expectUnitRoundTrips({kTypeAG,
                          128,
                          {u"A", u"B.", u"B", u"C.", u"C", u"D.", u"D", u"E", u"F", u"G.", u"G",
                           u"H.", u"H", u"I.", u"I", u"J"}},
                         34001);
}

} // namespace
} // namespace sarvo::keyguide
