#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeS = 20;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeS, melody);
}
std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeS, keys, ui);
}

TEST(TypeSConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"a plain quarter needs no length key", u"C中ミ ", cells({u"３", u"→"})},
        {"a dotted eighth rest", u"I. ", cells({u"９", u"▲", u"８×２", u"→"})},
        {"a low note is typed as a rest", u"D低ド ", cells({u"９", u"▲", u"８", u"→"})},
        {"a low sharp is a rest too", u"C低ド# ", cells({u"９", u"→"})},
        {"a plain quarter rest", u"H ", cells({u"９", u"→"})},
        {"length keys of the notes", u"A中ド B中レ D中ミ E中フ ",
         cells({u"１", u"▲", u"１", u"→", u"２", u"▲", u"２", u"→", u"３", u"▲", u"８", u"→", u"４",
                u"▲", u"６", u"→"})},
        {"length keys of the rests", u"F G J ",
         cells({u"９", u"▲", u"１", u"→", u"９", u"▲", u"２", u"→", u"９", u"▲", u"６", u"→"})},
        {"dotted lengths press the length key twice", u"C.中ソ E.中ラ B.中シ G. ",
         cells({u"５", u"▲", u"４×２", u"→", u"６", u"▲", u"６×２", u"→", u"７", u"▲", u"２×２",
                u"→", u"９", u"▲", u"２×２", u"→"})},
        {"high notes press the key twice, a sharp adds ＃", u"C高ソ C中ソ# D高ド# ",
         cells({u"５×２", u"→", u"５＃", u"→", u"１×２＃", u"▲", u"８", u"→"})},
        {"a dotted whole is a half and two half rests", u"A.中ド ",
         cells({u"１", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→"})},
        {"a dotted whole rest is three half rests", u"F. ",
         cells({u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→"})},
        {"a quarter triplet is a dotted eighth, the others sixteenths", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"▲", u"８×２", u"→", u"２", u"▲", u"６", u"→", u"３", u"▲", u"６", u"→",
                u"４", u"▲", u"６", u"→"})},
        {"tuplet rests likewise", u"\\ ] _ ` ",
         cells({u"９", u"▲", u"８×２", u"→", u"９", u"▲", u"６", u"→", u"９", u"▲", u"６", u"→",
                u"９", u"▲", u"６", u"→"})},
        {"a tie continues the note as a rest of its length", u"C中ド ^ ",
         cells({u"１", u"→", u"９", u"→"})},
        {"two ties on a dotted eighth", u"D.中レ ^ ^ ",
         cells({u"２", u"▲", u"８×２", u"→", u"９", u"▲", u"８×２", u"→", u"９", u"▲", u"８×２",
                u"→"})},
        {"a tie on a dotted whole repeats its three units as rests", u"A.中ド ^ ",
         cells({u"１", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→",
                u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→", u"９", u"▲", u"２", u"→"})},
        {"the same note again is closed by its own →", u"C中ミ C中ミ ",
         cells({u"３", u"→", u"３", u"→"})},
        {"ties with no note before them and unknown codes type nothing", u"^ K中ド D中ド ",
         cells({u"１", u"▲", u"８", u"→"})},
    };
    expectKeyTexts(kTypeS, cases);
}

TEST(TypeSConverter, StopsAfterTheNoteThatReachesSixtyUnits) {
    // 59 quarters, then a dotted whole of three units: the limit is tested before each note, so
    // all three units are typed and the note after them is dropped.
    std::u16string melody = repeated(u"H ", 59);
    melody += u"A.中ラ C中ド ";
    const std::u16string keys = toKeys(melody);
    EXPECT_EQ(keys.size(), (59 * 2 + 3 * 4) * kCellWidth);
    EXPECT_EQ(keys.substr(59 * 2 * kCellWidth, 4 * kCellWidth), cells({u"６", u"▲", u"２", u"→"}));

    std::u16string sixtyOne = repeated(u"C中ド ", 61);
    EXPECT_EQ(toKeys(sixtyOne).size(), 60 * 2 * kCellWidth);
}

TEST(TypeSConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeS, u"C低ド 5中ド A.高シ ");
}

TEST(TypeSReader, Cells) {
    const std::vector<ReaderCase> cases = {
        {"empty key text gives the trailing blank", u"", u" "},
        {"a plain quarter", cells({u"３", u"→"}), u"C中ミ "},
        {"a rest with a dotted length", cells({u"９", u"▲", u"８×２", u"→"}), u"I. "},
        {"a rest without a length key is a quarter", cells({u"９", u"→"}), u"H "},
        {"high and sharp", cells({u"５×２＃", u"→", u"５＃", u"→", u"５×２", u"→"}),
         u"C高ソ# C中ソ# C高ソ "},
        {"every length key",
         cells({u"１", u"▲", u"１", u"→", u"１", u"▲", u"２", u"→", u"１", u"▲",
                u"４", u"→", u"１", u"▲", u"８", u"→", u"１", u"▲", u"６", u"→"}),
         u"A中ド B中ド C中ド D中ド E中ド "},
        {"every rest length key",
         cells({u"９", u"▲", u"１", u"→", u"９", u"▲", u"２×２", u"→", u"９", u"▲", u"６", u"→"}),
         u"F G. J "},
        {"cursor keys are skipped and a missing one is not needed",
         cells({u"→", u"→", u"１", u"２", u"▲", u"４×２"}), u"C中ド C.中レ "},
        {"an unknown key gives a rest of the note's length", cells({u"＊", u"→", u"２", u"→"}),
         u"H C中レ "},
        {"a short last cell", u"６", u"C中ラ "},
        {"▲ must be followed by a length key; what was read stays",
         cells({u"１", u"→", u"２", u"▲", u"＊", u"→", u"３", u"→"}), u"C中ド ", 1},
        {"a length with no note before it stops the reader",
         cells({u"１", u"→", u"▲", u"４", u"→", u"３", u"→"}), u"C中ド ", 1},
        {"▲ at the very end", cells({u"９", u"▲"}), u" ", 1},
    };
    expectReaderCases(kTypeS, cases);
}

// What the phone makes of each token's duration: a quarter triplet becomes a dotted eighth and
// the other tuplets sixteenths; every other length is kept (a dotted whole as a half and two
// half rests).
int phoneTicks(const melody::Note& note) {
    const char16_t code = note.length[0];
    const char16_t asNote = melody::isRestCode(code) ? melody::noteCodeOf(code) : code;
    int ticks = melody::lengthTicks(code, note.dot == u".");
    if (asNote == u'2')
        ticks = 3 * melody::kTicksPerSixteenth;
    else if (asNote == u'3' || asNote == u'5' || asNote == u'6')
        ticks = melody::kTicksPerSixteenth;
    return ticks * (note.tieCount + 1);
}

int phoneTicksOf(std::u16string_view melodyText) {
    melody::ParserState state;
    int ticks = 0;
    for (state.readPos = 1; melody::readNextNote(state, melodyText);)
        ticks += phoneTicks(state.currentNote);
    return ticks;
}

TEST(TypeSProperty, KeyTextIsAFixedPointAndKeepsPlayablePitchesAndLengths) {
    std::mt19937 rng(20261220);
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
        if (keys.empty())
            continue; // the empty melody: it reads back as the lone trailing blank

        // One token per unit, each of a length the phone has a key for.
        const Sounding back = soundingOf(readBack);
        for (const SoundEvent& event : back.events) {
            ASSERT_GT(event.ticks, 0);
            ASSERT_NE(event.ticks, 24 * melody::kTicksPerSixteenth);
        }
        const bool truncated = back.events.size() >= 60;

        // Middle and high pitches come back in order, sharps included; low notes became rests.
        std::vector<int> played;
        for (int midi : soundingOf(melody).pitches())
            if (midi >= 72)
                played.push_back(midi);
        const std::vector<int> backPitches = back.pitches();
        ASSERT_LE(backPitches.size(), played.size());
        ASSERT_TRUE(std::equal(backPitches.begin(), backPitches.end(), played.begin()));
        if (!truncated) {
            ++untruncated;
            ASSERT_EQ(backPitches.size(), played.size());
            ASSERT_EQ(back.ticks, phoneTicksOf(melody));
        }
    }
    EXPECT_GT(untruncated, 1000);
}

TEST(TypeSProperty, LengthsWithKeysKeepTheirDuration) {
    const std::u16string melody = u"A.中ド ^ F. E.高ミ J. B.中ソ# H. C低ラ I ";
    EXPECT_EQ(soundingOf(fromKeys(toKeys(melody))).ticks, soundingOf(melody).ticks);
}

} // namespace
} // namespace sarvo::keyguide
