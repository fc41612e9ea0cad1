#include "fixedlengthtesting.h"
#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeQ = 18;

TEST(TypeQConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"an eighth is its digit", u"D中ド D中シ ", cells({u"１", u"７"})},
        {"rests: ０ pressed twice per eighth", u"I H G. ",
         cells({u"０×２", u"０×２", u"０×２", u"０×２", u"０×２", u"０×２", u"０×２", u"０×２",
                u"０×２"})},
        {"a longer note goes on as eighth rests", u"C.中ミ ", cells({u"３", u"０×２", u"０×２"})},
        {"the same note twice needs nothing between", u"D中ド D中ド ", cells({u"１", u"１"})},
        {"high notes in the middle octave, sharps as the natural", u"D高レ D中フ# D高ソ# ",
         cells({u"２", u"４", u"５"})},
        {"a low note becomes a rest", u"C低ラ ", cells({u"０×２", u"０×２"})},
        {"shorter lengths and tuplets are an eighth", u"E中ド D.中レ 3中ミ J ` ",
         cells({u"１", u"２", u"３", u"０×２", u"０×２"})},
        {"a tie continues as rests", u"D中ド ^ ^ ", cells({u"１", u"０×２", u"０×２"})},
    };
    expectKeyTexts(kTypeQ, cases);
}

TEST(TypeQConverter, StopsOnceThePhoneHoldsFiftyEntries) {
    // Every eighth is an entry, a rest too; the note that fills the phone is cut.
    const std::u16string keys = toKeys(kTypeQ, repeated(u"D中ド I ", 24) + u"C中レ D中ミ ");
    EXPECT_EQ(keys, repeated(cells({u"１", u"０×２"}), 24) + cells({u"２", u"０×２"}));
    EXPECT_EQ(toKeys(kTypeQ, repeated(u"D中ド ", 49) + u"C中レ D中ミ "),
              repeated(cells({u"１"}), 49) + cells({u"２"}));
}

TEST(TypeQReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"notes and rests in eighths", cells({u"１", u"０×２", u"７"}), u"D中ド I D中シ "},
        {"cursor keys are skipped", cells({u"→", u"１", u"→"}), u"D中ド "},
        {"an unknown key gives an eighth rest", cells({u"＃", u"１"}), u"I D中ド "},
        {"０ pressed once is no rest", cells({u"１", u"０", u"２"}), u"D中ド ", 1},
        {"０ pressed three times is no rest", cells({u"０×３", u"２"}), u" ", 1},
    };
    expectReaderCases(kTypeQ, cases);
}

TEST(TypeQProperty, KeyTextIsAFixedPointAndKeepsTheTimeInEighths) {
    // Low notes become rests; high notes sound in the middle octave; sharps are dropped. Every
    // note and rest lasts its eighths (plain and dotted quarters, halves and wholes keep their
    // time, every shorter length and tuplet takes an eighth), its ties included.
    auto middleNatural = [](int midi) -> std::optional<int> {
        if (midi < 72)
            return std::nullopt;
        int semitone = midi % 12;
        if (semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10)
            --semitone;
        return 72 + semitone;
    };
    auto ticks = [](const melody::Note& note) {
        return eighthsOnPhone(note) * (note.tieCount + 1) * kTicksPerEighth;
    };
    expectNoteLimitRoundTrips({kTypeQ, 50, middleNatural, ticks}, 18018);
}

} // namespace
} // namespace sarvo::keyguide
