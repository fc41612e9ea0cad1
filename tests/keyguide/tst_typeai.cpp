#include "eighthentryroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeAI = 36;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeAI, melody);
}

TEST(TypeAIConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a note and the next-entry key", u"D中ド ", cells({u"１", u"▼"})},
        {"presses step through sharp, high and low", u"D中レ# D高レ D高レ# D低レ ",
         cells({u"２２", u"▼", u"２２２", u"▼", u"２２２２", u"▼", u"２２２２２", u"▼"})},
        {"the sixth press goes on in the next cell", u"D低ラ# ",
         cells({u"６６６６６", u"６", u"▼"})},
        {"ミ and シ have no sharp", u"D高ミ D低シ ", cells({u"３３", u"▼", u"７７７", u"▼"})},
        {"the same key again needs nothing between", u"D中ド D中ド ",
         cells({u"１", u"▼", u"１", u"▼"})},
        {"a rest is the next-entry key alone", u"I H ", cells({u"▼", u"▼", u"▼"})},
        {"longer notes go on as eighth rests", u"C中ド C.中レ ",
         cells({u"１", u"▼", u"▼", u"２", u"▼", u"▼", u"▼"})},
        {"shorter lengths and tuplets are an eighth", u"E中ド D.中レ 2中ミ 6中フ ` ",
         cells({u"１", u"▼", u"２", u"▼", u"３", u"▼", u"４", u"▼", u"▼"})},
        {"a tie continues as rests", u"D中ソ ^ ^ ", cells({u"５", u"▼", u"▼", u"▼"})},
    };
    expectKeyTexts(kTypeAI, cases);
}

TEST(TypeAIConverter, StopsOnceMoreThan64EntriesAreTyped) {
    const std::u16string melody = repeated(u"D中ド ", 64);
    // Each eighth is an entry: a whole note at 64 keeps its note and loses its rests.
    EXPECT_EQ(toKeys(melody + u"A中レ D中ミ "),
              repeated(cells({u"１", u"▼"}), 64) + cells({u"２", u"▼"}));
    EXPECT_EQ(toKeys(melody + u"D中レ D中ミ ").size(), 65 * 2 * kCellWidth);
}

TEST(TypeAIConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeAI, u"C低ド 3中ド K中ド ");
}

TEST(TypeAIReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"press counts",
         cells({u"１", u"▼", u"１１", u"▼", u"１１１", u"▼", u"１１１１", u"▼", u"１１１１１", u"▼",
                u"１１１１１", u"１", u"▼"}),
         u"D中ド D中ド# D高ド D高ド# D低ド D低ド# "},
        {"presses spread over cells, and round again", cells({u"３", u"３３", u"３", u"▼"}),
         u"D中ミ "},
        {"rests", cells({u"▼", u"▼"}), u"I I "},
        {"cursor keys are skipped", cells({u"→", u"５", u"▼"}), u"D中ソ "},
        {"an unknown key gives an eighth rest", cells({u"＊", u"５", u"▼"}), u"I D中ソ "},
        {"a note not followed by the next-entry key", cells({u"１", u"▼", u"２", u"３", u"▼"}),
         u"D中ド ", 1},
        {"another key inside a note's cell", cells({u"１２", u"▼"}), u" ", 1},
        {"a note at the end without its next-entry key", cells({u"１"}), u" ", 1},
    };
    expectReaderCases(kTypeAI, cases);
}

TEST(TypeAIProperty, KeyTextIsAFixedPointAndKeepsPitchesAndEighths) {
    expectEighthEntryRoundTrips(kTypeAI, 36001);
}

} // namespace
} // namespace sarvo::keyguide
