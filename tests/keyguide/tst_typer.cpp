#include "fixedlengthtesting.h"
#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeR = 19;

TEST(TypeRConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"presses for sharp and octave", u"D中ド D中レ# D高ミ D高フ D高ソ# ",
         cells({u"１", u"２×２", u"３×２", u"４×３", u"５×４"})},
        {"every note is typed once, whatever its length", u"A.中ド C中レ E中ミ 6中フ ",
         cells({u"１", u"２", u"３", u"４"})},
        {"the same key twice: two cells, no cursor key", u"D中ド D高ド ", cells({u"１", u"１×３"})},
        {"rests are left out", u"D中ド F H D中レ ", cells({u"１", u"２"})},
        {"low notes are typed an octave up", u"D低ソ# D低シ ", cells({u"５×２", u"７"})},
        {"a tie adds nothing", u"C中ド ^ ^ D中レ ", cells({u"１", u"２"})},
    };
    expectKeyTexts(kTypeR, cases);
}

TEST(TypeRConverter, StopsOnceThePhoneHoldsThirtySixNotes) {
    std::u16string melody;
    for (int i = 0; i < 50; ++i)
        melody += i < 10 ? u"H " : u"D中ド ";
    // Rests type nothing and take no entry: thirty-six notes are typed.
    EXPECT_EQ(toKeys(kTypeR, melody).size(), 36 * kCellWidth);
}

TEST(TypeRReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"presses for sharp and octave, and round again",
         cells({u"２", u"２×２", u"２×３", u"２×４", u"２×５", u"７×２", u"７×３"}),
         u"D中レ D中レ# D高レ D高レ# D中レ D高シ D中シ "},
        {"cursor keys are skipped", cells({u"１", u"→", u"１"}), u"D中ド D中ド "},
        {"an unknown key gives an eighth rest", cells({u"０", u"１"}), u"I D中ド "},
    };
    for (const ReaderCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(kTypeR, c.keys, &ui), c.melody) << c.name;
        EXPECT_TRUE(ui.messages().empty()) << c.name;
    }
}

TEST(TypeRProperty, KeyTextIsAFixedPointAndKeepsEveryNoteAsAnEighth) {
    // Low notes sound an octave up, every other pitch as written. Rests are left out and every
    // note, whatever its length and ties, plays one eighth.
    auto raiseLow = [](int midi) {
        return std::optional<int>(midi < 72 ? midi + 12 : midi);
    };
    auto ticks = [](const melody::Note& note) {
        return melody::isNoteCode(note.length[0]) ? kTicksPerEighth : 0;
    };
    expectNoteLimitRoundTrips({kTypeR, 36, raiseLow, ticks}, 19019);
}

} // namespace
} // namespace sarvo::keyguide
