#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeY = 26;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeY, melody);
}
std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeY, keys, ui);
}

TEST(TypeYConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a middle quarter: digit and Ｆ, then Ｆ alone", u"C中ド ", cells({u"１Ｆ", u"Ｆ"})},
        {"the ten lengths by number",
         u"E中ド 3中ド D中ド 2中ド D.中ド C中ド C.中ド B中ド B.中ド A中ド ",
         cells({u"１Ｆ", u"１Ｆ", u"１Ｆ", u"２Ｆ", u"１Ｆ", u"３Ｆ",  u"１Ｆ",
                u"４Ｆ", u"１Ｆ", u"５Ｆ", u"１Ｆ", u"Ｆ",   u"１Ｆ",  u"７Ｆ",
                u"１Ｆ", u"８Ｆ", u"１Ｆ", u"９Ｆ", u"１Ｆ", u"１０Ｆ"})},
        {"rests by the note of the same length", u"J ] I \\ I. H H. G G. F ",
         cells({u"０Ｆ", u"１Ｆ", u"０Ｆ", u"２Ｆ", u"０Ｆ", u"３Ｆ",  u"０Ｆ",
                u"４Ｆ", u"０Ｆ", u"５Ｆ", u"０Ｆ", u"Ｆ",   u"０Ｆ",  u"７Ｆ",
                u"０Ｆ", u"８Ｆ", u"０Ｆ", u"９Ｆ", u"０Ｆ", u"１０Ｆ"})},
        {"one ９ per octave step up, high wrapping round to low", u"C高ド C低ド C中ド C中レ C低ミ ",
         cells({u"１９Ｆ", u"Ｆ", u"１９Ｆ", u"Ｆ", u"１９Ｆ", u"Ｆ", u"２Ｆ", u"Ｆ", u"３９９Ｆ",
                u"Ｆ"})},
        {"a rest leaves the octave where the last note left it", u"C高ド H C高レ ",
         cells({u"１９Ｆ", u"Ｆ", u"０Ｆ", u"Ｆ", u"２Ｆ", u"Ｆ"})},
        {"a sharp is ▲ after the octave presses", u"C低ソ# C低ソ# ",
         cells({u"５９９▲Ｆ", u"Ｆ", u"５▲Ｆ", u"Ｆ"})},
        {"a dotted whole is the whole and a half rest", u"A.中ド F. ",
         cells({u"１Ｆ", u"１０Ｆ", u"０Ｆ", u"８Ｆ", u"０Ｆ", u"１０Ｆ", u"０Ｆ", u"８Ｆ"})},
        {"dotted sixteenths lose their dot", u"E.中ミ J. ",
         cells({u"３Ｆ", u"１Ｆ", u"０Ｆ", u"１Ｆ"})},
        {"a quarter sextuplet is two eighth triplets, the second a rest", u"5中レ ",
         cells({u"２Ｆ", u"２Ｆ", u"０Ｆ", u"２Ｆ"})},
        {"an eighth sextuplet is a sixteenth", u"6中レ ", cells({u"２Ｆ", u"１Ｆ"})},
        {"sextuplet rests", u"_ ` ", cells({u"０Ｆ", u"４Ｆ", u"０Ｆ", u"１Ｆ"})},
        {"a tie continues the note as a rest of its length", u"C.中ド ^ ",
         cells({u"１Ｆ", u"７Ｆ", u"０Ｆ", u"７Ｆ"})},
        {"a tie on a dotted whole repeats both units as rests", u"A.中ド ^ ",
         cells({u"１Ｆ", u"１０Ｆ", u"０Ｆ", u"８Ｆ", u"０Ｆ", u"１０Ｆ", u"０Ｆ", u"８Ｆ"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１Ｆ", u"３Ｆ"})},
    };
    expectKeyTexts(kTypeY, cases);
}

TEST(TypeYConverter, StopsOnceMoreThan64UnitsAreTyped) {
    // 64 rests reach the limit without passing it, so the dotted whole after them is typed in
    // full (two units) and the note after it is dropped.
    std::u16string melody = repeated(u"I ", 64);
    melody += u"A.中ド C中レ ";
    const std::u16string keys = toKeys(melody);
    EXPECT_EQ(keys.size(), (64 + 2) * 2 * kCellWidth);
    EXPECT_EQ(keys.substr(64 * 2 * kCellWidth), cells({u"１Ｆ", u"１０Ｆ", u"０Ｆ", u"８Ｆ"}));

    std::u16string many = repeated(u"C中ド ", 70);
    EXPECT_EQ(toKeys(many).size(), 65 * 2 * kCellWidth);
}

TEST(TypeYConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeY, u"5低ド A.高シ# ` ");
}

TEST(TypeYReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a quarter", cells({u"１Ｆ", u"Ｆ"}), u"C中ド "},
        {"octave presses step up from where the last note left the phone",
         cells({u"１９Ｆ", u"Ｆ", u"１９Ｆ", u"Ｆ", u"１９Ｆ", u"Ｆ", u"１９９Ｆ", u"Ｆ"}),
         u"C高ド C低ド C中ド C低ド "},
        {"three presses go round to the same octave", cells({u"１９９９Ｆ", u"３Ｆ"}), u"D中ド "},
        {"a rest does not move the octave",
         cells({u"１９Ｆ", u"Ｆ", u"０Ｆ", u"３Ｆ", u"２Ｆ", u"Ｆ"}), u"C高ド I C高レ "},
        {"a sharp", cells({u"５９９▲Ｆ", u"１０Ｆ"}), u"A低ソ# "},
        {"the ten lengths of a rest",
         cells({u"０Ｆ", u"１Ｆ", u"０Ｆ", u"２Ｆ", u"０Ｆ", u"３Ｆ",  u"０Ｆ",
                u"４Ｆ", u"０Ｆ", u"５Ｆ", u"０Ｆ", u"Ｆ",   u"０Ｆ",  u"７Ｆ",
                u"０Ｆ", u"８Ｆ", u"０Ｆ", u"９Ｆ", u"０Ｆ", u"１０Ｆ"}),
         u"J ] I \\ I. H H. G G. F "},
        {"tuplet notes", cells({u"３Ｆ", u"２Ｆ", u"３Ｆ", u"４Ｆ"}), u"3中ミ 2中ミ "},
        {"cursor keys are skipped", cells({u"→", u"２Ｆ", u"Ｆ", u"→"}), u"C中レ "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"２Ｆ", u"Ｆ"}),
         u"H C中レ "},
        {"a pitch cell must end with Ｆ; what was read stays",
         cells({u"１Ｆ", u"Ｆ", u"２９＊", u"Ｆ"}), u"C中ド ", 1},
        {"a rest cell must end with Ｆ", cells({u"０＊", u"Ｆ"}), u" ", 1},
        {"a length cell must follow", cells({u"１Ｆ", u"Ｆ", u"２Ｆ", u"＊"}), u"C中ド ", 1},
        {"a length number beyond the list", cells({u"１Ｆ", u"１１Ｆ"}), u" ", 1},
        {"a note cut off before its length", cells({u"１Ｆ", u"Ｆ", u"２Ｆ"}), u"C中ド ", 1},
    };
    expectReaderCases(kTypeY, cases);
}

// What the phone makes of each token's duration: a dotted sixteenth loses its dot, a quarter
// sextuplet becomes two eighth-triplet units (twice its length), an eighth sextuplet a
// sixteenth, a quarter-sextuplet rest a quarter-triplet rest; everything else is kept (a dotted
// whole as the whole and a half rest).
int phoneTicks(const melody::Note& note) {
    const char16_t code = note.length[0];
    const char16_t asNote = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    int ticks = melody::lengthTicks(code, note.dot == u".");
    if (asNote == u'E')
        ticks = melody::kTicksPerSixteenth;
    else if (code == u'5')
        ticks = 2 * melody::lengthTicks(u'3', false);
    else if (asNote == u'6')
        ticks = melody::kTicksPerSixteenth;
    else if (code == u'_')
        ticks = melody::lengthTicks(u'\\', false);
    return ticks * (note.tieCount + 1);
}

TEST(TypeYProperty, KeyTextIsAFixedPointAndKeepsPitchesAndLengths) {
    std::mt19937 rng(20261226);
    int untruncated = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::u16string melody = randomMelody(rng);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        const std::u16string readBack = fromKeys(keys);
        const std::u16string again = toKeys(readBack);
        ASSERT_EQ(keys.substr(0, again.size()), again);
        ASSERT_EQ(toKeys(fromKeys(again)), again);

        const Sounding back = soundingOf(readBack);
        const bool truncated = back.events.size() > 64;
        // Every pitch comes back in order: all three octaves and the sharps.
        const std::vector<int> original = soundingOf(melody).pitches();
        const std::vector<int> backPitches = back.pitches();
        ASSERT_LE(backPitches.size(), original.size());
        ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), original.begin()));
        if (!truncated) {
            ++untruncated;
            ASSERT_EQ(backPitches.size(), original.size());
            melody::ParserState state;
            int expectedTicks = 0;
            for (state.readPos = 1; melody::readNextNote(state, melody);)
                expectedTicks += phoneTicks(state.currentNote);
            ASSERT_EQ(back.ticks, expectedTicks);
        }
    }
    EXPECT_GT(untruncated, 2000);
}

} // namespace
} // namespace sarvo::keyguide
