#include "fixedlengthtesting.h"
#include "keyguidetesting.h"
#include "notelimitroundtrip.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeO = 16;

TEST(TypeOConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"presses for sharp and octave", u"D中ド D中レ# D高ミ D高フ D高ソ# ",
         cells({u"１", u"２×２", u"３×２", u"４×３", u"５×４"})},
        {"a longer note is its key once per eighth", u"C中ド C.中レ ",
         cells({u"１", u"→", u"１", u"２", u"→", u"２", u"→", u"２"})},
        {"a half and a whole", u"B中ミ A中ラ ",
         cells({u"３", u"→", u"３", u"→", u"３", u"→", u"３", u"６", u"→",  u"６", u"→",
                u"６", u"→", u"６", u"→", u"６", u"→", u"６", u"→",  u"６", u"→",  u"６"})},
        {"→ before another note on the same key", u"D中ド D高ド# ", cells({u"１", u"→", u"１×４"})},
        {"rests are left out", u"D中ド I H D中ド D中レ ", cells({u"１", u"→", u"１", u"２"})},
        {"low notes are typed an octave up", u"D低ソ D低ソ# ", cells({u"５", u"→", u"５×２"})},
        {"ミ and シ take no sharp", u"D中ミ# ", cells({u"３"})},
        {"shorter lengths and tuplets are an eighth", u"E中ド D.中レ 2中ミ 3中フ 5中ソ 6中ラ ",
         cells({u"１", u"２", u"３", u"４", u"５", u"６"})},
        {"a tie adds eighths of the same note", u"C中ド ^ ",
         cells({u"１", u"→", u"１", u"→", u"１", u"→", u"１"})},
    };
    expectKeyTexts(kTypeO, cases);
}

TEST(TypeOConverter, StopsOnceThePhoneHoldsFiftyFourEntries) {
    // Rests type nothing and take no entry; the note that fills the phone is cut.
    const std::u16string keys =
        toKeys(kTypeO, repeated(u"D中ド I D中レ I ", 26) + u"D中ド I C中レ ");
    EXPECT_EQ(keys, repeated(cells({u"１", u"２"}), 27));
}

TEST(TypeOConverter, SetsMergeRepeats) {
    melody::ParserState state;
    RecordingInteractive ui;
    convertToKeys(kTypeO, u"C中ド ", state, ui);
    EXPECT_TRUE(state.mergeRepeats);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(TypeOReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"presses for sharp and octave, and round again",
         cells({u"１", u"１×２", u"１×３", u"１×４", u"１×５", u"３×２", u"３×３"}),
         u"D中ド D中ド# D高ド D高ド# D中ド D高ミ D中ミ "},
        {"→ is skipped: repeats read as eighths", cells({u"１", u"→", u"１"}), u"D中ド D中ド "},
        {"an unknown key gives an eighth rest", cells({u"０", u"１"}), u"I D中ド "},
    };
    for (const ReaderCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(kTypeO, c.keys, &ui), c.melody) << c.name;
        EXPECT_TRUE(ui.messages().empty()) << c.name;
    }
}

TEST(TypeOProperty, KeyTextIsAFixedPointAndKeepsNotesInEighths) {
    // Low notes sound an octave up, every other pitch as written; the phone merges a pitch
    // repeated right after itself, the eighths of one note included. Rests are left out; a note
    // lasts its eighths (plain and dotted quarters, halves and wholes keep their time, every
    // shorter length and tuplet takes an eighth), its ties included.
    auto raiseLow = [](int midi) {
        return std::optional<int>(midi < 72 ? midi + 12 : midi);
    };
    auto ticks = [](const melody::Note& note) {
        if (!melody::isNoteCode(note.length[0]))
            return 0;
        return eighthsOnPhone(note) * (note.tieCount + 1) * kTicksPerEighth;
    };
    expectNoteLimitRoundTrips({kTypeO, 54, raiseLow, ticks, true}, 16016);
}

} // namespace
} // namespace sarvo::keyguide
