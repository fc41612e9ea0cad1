#include "cursorkeyroundtrip.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeZ = 27;

TEST(TypeZConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: the note key and ▼ five times", u"C中ド ", cells({u"１", u"▼×５"})},
        {"every length, whole note first", u"A中ミ B.中ミ B中ミ C.中ミ D.中ミ D中ミ E中ミ ",
         cells({u"３", u"▼", u"３", u"▼×２", u"３", u"▼×３", u"３", u"▼×４", u"３", u"▼×６", u"３",
                u"▼×７", u"３", u"▼×８"})},
        {"▲ before the note key steps the octave, after it is the sharp",
         u"D高ド# D低ソ D中ラ# D低ド ",
         cells({u"▲", u"１", u"▲", u"▼×７", u"▲", u"５", u"▼×７", u"▲", u"６", u"▲", u"▼×７",
                u"▲×２", u"１", u"▼×７"})},
        {"the whole range, low ド to high シ", u"E低ド E高シ ",
         cells({u"▲×２", u"１", u"▼×８", u"▲×２", u"７", u"▼×８"})},
        {"eight is the rest key; rests leave the octave", u"D高ド I D高ド ",
         cells({u"▲", u"１", u"▼×７", u"８", u"▼×７", u"１", u"▼×７"})},
        {"a dotted whole note is a whole note and a half rest", u"A.中ド ",
         cells({u"１", u"▼", u"８", u"▼×３"})},
        {"tuplets", u"2中ド 5中レ _ ", cells({u"１", u"▼×６", u"２", u"▼×８", u"８", u"▼×８"})},
        {"a tie continues the note as rests of its length", u"B.中ソ ^ ",
         cells({u"５", u"▼×２", u"８", u"▼×２"})},
    };
    expectKeyTexts(kTypeZ, cases);
}

TEST(TypeZConverter, HasNoLimit) {
    std::u16string melody = repeated(u"E中ド ", 1000);
    EXPECT_EQ(toKeys(kTypeZ, melody).size(), 1000 * 2 * kCellWidth);
}

TEST(TypeZReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"▲ moves the octave before a note and is the sharp after it",
         cells({u"▲×２", u"２", u"▲", u"▼×５", u"７", u"▼×３", u"▲", u"７", u"▼"}),
         u"C低レ# B低シ A中シ "},
        {"rests", cells({u"８", u"▼×６", u"８", u"▼×５"}), u"I. H "},
        {"cursor keys are skipped", cells({u"→", u"１", u"▼×５"}), u"C中ド "},
        {"an unknown first key is a rest of a quarter", cells({u"９", u"１", u"▼×５"}),
         u"H C中ド "},
        {"a length key first stops the reading", cells({u"▼×３", u"１", u"▼"}), u" ", 1},
        {"a rest without its length key stops the reading",
         cells({u"１", u"▼×５", u"８", u"１", u"▼"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeZ, cases);
}

TEST(TypeZProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    // No limit, all three octaves and every sharp: every melody is typed whole and each pitch
    // comes back as it was.
    expectCursorKeyRoundTrips({kTypeZ, std::nullopt}, 27001);
}

} // namespace
} // namespace sarvo::keyguide
