#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeT = 21;

std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeT, keys, ui);
}

struct ConversionCase {
    const char* name;
    std::u16string melody;
    std::u16string keys;
    int messages = 0;
};

TEST(TypeTConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"an eighth is the first length: no length key", u"D中ド ", cells({u"１３", u"→"})},
        {"pitch numbers run from the low ド to the high シ", u"D低ド D低シ D高ド D高シ ",
         cells({u"０１", u"→", u"１２", u"→", u"２５", u"→", u"３６", u"→"})},
        {"sharps have numbers of their own", u"D低ド# D中ラ# ",
         cells({u"０２", u"→", u"２３", u"→"})},
        {"every length of the list", u"C中ミ C.中ミ B中ミ E中ミ ",
         cells({u"１７", u"０", u"→", u"１７", u"０×２", u"→", u"１７", u"０×３", u"→", u"１７",
                u"０×４", u"→"})},
        {"rests of every length of the list", u"I H H. G J ",
         cells({u"００", u"→", u"００", u"０", u"→", u"００", u"０×２", u"→", u"００", u"０×３",
                u"→", u"００", u"０×４", u"→"})},
        {"the same note again is entered by its own →", u"D中ド D中ド ",
         cells({u"１３", u"→", u"１３", u"→"})},
        {"a tie continues the note as a rest of its length", u"C中ド ^ ^ ",
         cells({u"１３", u"０", u"→", u"００", u"０", u"→", u"００", u"０", u"→"})},
        {"a whole note has no length key: one message, and conversion goes on", u"A中ド C中レ ",
         cells({u"１３", u"→", u"１５", u"０", u"→"}), 1},
        {"one message per note that has no length, rests included",
         u"B.中ド D.高ミ E.低ソ 2中ラ 3中ラ 5中ラ 6中ラ F \\ ` D中シ ",
         cells({u"１３", u"→", u"２９", u"→", u"０８", u"→", u"２２", u"→",
                u"２２", u"→", u"２２", u"→", u"２２", u"→", u"００", u"→",
                u"００", u"→", u"００", u"→", u"２４", u"→"}),
         10},
        {"a tied note without a length key is still one message", u"A中ド ^ ^ C中レ ",
         cells({u"１３", u"→", u"００", u"→", u"００", u"→", u"１５", u"０", u"→"}), 1},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１３", u"→"})},
    };
    for (const ConversionCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(toKeys(kTypeT, c.melody, &ui), c.keys) << c.name;
        EXPECT_EQ(ui.messages().size(), static_cast<size_t>(c.messages)) << c.name;
        for (const std::u16string& message : ui.messages())
            EXPECT_EQ(message, kConversionError) << c.name;
    }
}

TEST(TypeTConverter, StopsOnceMoreThan256EntriesAreTyped) {
    // After 256 rests the phone takes one more entry: the tied note, without its tie's rests.
    const std::u16string keys = toKeys(kTypeT, repeated(u"I ", 256) + u"C中ド ^ ^ D中レ ");
    EXPECT_EQ(keys.size(), (256 * 2 + 3) * kCellWidth);
    EXPECT_EQ(keys.substr(256 * 2 * kCellWidth), cells({u"１３", u"０", u"→"}));

    EXPECT_EQ(toKeys(kTypeT, repeated(u"D中ド ", 300)).size(), 257 * 2 * kCellWidth);
}

TEST(TypeTConverter, ReportsEachNoteWithoutALengthOnce) {
    melody::ParserState state;
    state.mergeRepeats = true;
    RecordingInteractive ui;
    convertToKeys(kTypeT, u"A中ド A中ド ", state, ui);
    EXPECT_FALSE(state.mergeRepeats);
    EXPECT_EQ(ui.messages(), (std::vector<std::u16string>{std::u16string(kConversionError),
                                                          std::u16string(kConversionError)}));
}

TEST(TypeTReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a note without length key is an eighth", cells({u"１３", u"→"}), u"D中ド "},
        {"pitch numbers", cells({u"０１", u"→", u"１２", u"→", u"２３", u"→", u"３６", u"→"}),
         u"D低ド D低シ D中ラ# D高シ "},
        {"length presses",
         cells({u"１７", u"０", u"→", u"１７", u"０×２", u"→", u"１７", u"０×３", u"→", u"１７",
                u"０×４", u"→"}),
         u"C中ミ C.中ミ B中ミ E中ミ "},
        {"rests", cells({u"００", u"→", u"００", u"０×２", u"→", u"００", u"０×４", u"→"}),
         u"I H. J "},
        {"cursor keys between notes are skipped", cells({u"→", u"１３", u"→", u"→", u"１５", u"→"}),
         u"D中ド D中レ "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"１５", u"→"}),
         u"I D中レ "},
        {"a pitch number beyond the high シ gives a rest of the note's length",
         cells({u"４０", u"０", u"→", u"１５", u"→"}), u"H D中レ "},
        {"five presses are no length: stop, keeping what was read",
         cells({u"１３", u"→", u"１５", u"０×５", u"→", u"１７", u"→"}), u"D中ド ", 1},
        {"the note must be entered with →", cells({u"１３", u"→", u"１５", u"０", u"１７", u"→"}),
         u"D中ド ", 1},
        {"a note cut off before its →", cells({u"１３", u"→", u"１５"}), u"D中ド ", 1},
    };
    expectReaderCases(kTypeT, cases);
}

// The lengths of the phone's list, for notes and rests of the same length.
bool hasLengthKey(const melody::Note& note) {
    const char16_t code = note.length[0];
    const char16_t asNote = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    const bool dotted = note.dot == u".";
    return (asNote == u'C' || (!dotted && (asNote == u'D' || asNote == u'B' || asNote == u'E')));
}

TEST(TypeTProperty, KeyTextIsAFixedPointAndKeepsPitchesAndListedLengths) {
    std::mt19937 rng(20261221);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string melody = randomMelody(rng);
        SCOPED_TRACE(toUtf8(melody));
        RecordingInteractive ui;
        const std::u16string keys = toKeys(kTypeT, melody, &ui);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(keys);
        RecordingInteractive quiet;
        const std::u16string again = toKeys(kTypeT, readBack, &quiet);
        // Random melodies stay far below the limit: the guide is a fixed point at once, and
        // every length read back has a key.
        ASSERT_EQ(again, keys);
        ASSERT_TRUE(quiet.messages().empty());

        // A note or rest whose length is in the list keeps it; any other is entered with the
        // phone's first length, an eighth, and is reported once, its ties included.
        melody::ParserState state;
        int expectedTicks = 0;
        size_t unlisted = 0;
        for (state.readPos = 1; melody::readNextNote(state, melody);) {
            const melody::Note& note = state.currentNote;
            const bool listed = hasLengthKey(note);
            unlisted += listed ? 0 : 1;
            const int ticks = listed ? melody::lengthTicks(note.length[0], note.dot == u".")
                                     : 2 * melody::kTicksPerSixteenth;
            expectedTicks += ticks * (note.tieCount + 1);
        }
        ASSERT_EQ(ui.messages().size(), unlisted);
        const Sounding back = soundingOf(readBack);
        ASSERT_EQ(back.ticks, expectedTicks);
        // Every pitch comes back in order: all three octaves and the sharps.
        ASSERT_EQ(back.pitches(), soundingOf(melody).pitches());
    }
}

} // namespace
} // namespace sarvo::keyguide
