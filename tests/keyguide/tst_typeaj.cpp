#include "eighthentryroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAJ = 37;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAJ, melody);
}

TEST(TypeAJConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"nine follows every note", u"D中ド D中レ ", cells({u"１", u"９", u"２", u"９"})},
        {"star presses step through sharp, high and low", u"D中ド# D高ド D高ド# D低ド D低ド# ",
         cells({u"１", u"９", u"＊×１", u"１", u"９", u"＊×２", u"１", u"９", u"＊×３", u"１",
                u"９", u"＊×４", u"１", u"９", u"＊×５"})},
        {"ミ and シ have no sharp", u"D高ミ D低シ ",
         cells({u"３", u"９", u"＊×１", u"７", u"９", u"＊×２"})},
        {"a rest is nine alone", u"I D中ド H ", cells({u"９", u"１", u"９", u"９", u"９"})},
        {"longer notes go on as eighth rests", u"C.中ラ ", cells({u"６", u"９", u"９", u"９"})},
        {"shorter lengths and tuplets are an eighth", u"E中ド D.中レ 3中ミ ] ",
         cells({u"１", u"９", u"２", u"９", u"３", u"９", u"９"})},
        {"a tie continues as rests", u"D高ソ ^ ", cells({u"５", u"９", u"＊×２", u"９"})},
    };
    expectKeyTexts(kTypeAJ, cases);
}

TEST(TypeAJConverter, StopsOnceMoreThan64EntriesAreTyped) {
    const std::u16string melody = repeated(u"D中ド ", 64);
    // Each eighth is an entry: a quarter at 64 keeps its note and loses its rest.
    EXPECT_EQ(toKeys(melody + u"C中レ D中ミ "),
              repeated(cells({u"１", u"９"}), 64) + cells({u"２", u"９"}));
    EXPECT_EQ(toKeys(melody + u"D中レ D中ミ ").size(), 65 * 2 * kCellWidth);
}

TEST(TypeAJConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAJ, u"C低ド 3中ド K中ド ");
}

TEST(TypeAJReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"star counts, and round again",
         cells({u"２", u"９", u"２", u"９", u"＊×１", u"２", u"９", u"＊×４", u"２", u"９",
                u"＊×６", u"７", u"９", u"＊", u"７", u"９", u"＊×３"}),
         u"D中レ D中レ# D低レ D中レ D高シ D中シ "},
        {"nine alone is an eighth rest", cells({u"９", u"１", u"９", u"９"}), u"I D中ド I "},
        {"cursor keys are skipped", cells({u"→", u"５", u"９"}), u"D中ソ "},
        {"an unknown key gives an eighth rest", cells({u"＃", u"５", u"９"}), u"I D中ソ "},
        {"a note not followed by nine", cells({u"１", u"９", u"２", u"＊×２", u"９"}), u"D中ド ",
         true},
        {"two notes without nine between", cells({u"３", u"４", u"９"}), u" ", 1},
        {"a note at the end without nine", cells({u"１", u"９", u"１"}), u"D中ド ", 1},
        {"star presses with no note before them", cells({u"９", u"＊×２"}), u"I ", 1},
    };
    expectReaderCases(kTypeAJ, cases);
}

TEST(TypeAJProperty, KeyTextIsAFixedPointAndKeepsPitchesAndEighths) {
    expectEighthEntryRoundTrips(kTypeAJ, 37001);
}

} // namespace
} // namespace sarvo::keyguide
