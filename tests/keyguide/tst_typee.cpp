#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeE = 6;
constexpr int kUnitLimit = 128;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeE, melody);
}
std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeE, keys, ui);
}

TEST(TypeEConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"press counts for octave and sharp",
         u"C中ド C中レ# C低フ C低ソ# C高ラ C高ド# C中ミ C低シ C高ミ ",
         cells(
             {u"１", u"２×２", u"４×３", u"５×４", u"６×５", u"１×６", u"３", u"７×２", u"３×３"})},
        {"length keys", u"A中ド B中レ C中ミ D中フ E中ソ ",
         cells({u"１", u"＊×３", u"２", u"＊×４", u"３", u"４", u"＊", u"５", u"＊×２"})},
        {"a dotted quarter is a quarter and an eighth rest", u"C.中ド ",
         cells({u"１", u"０", u"＊"})},
        {"dotted notes go on as the rest one length shorter", u"A.中ド B.中レ D.中ミ ",
         cells({u"１", u"＊×３", u"０", u"＊×４", u"２", u"＊×４", u"０", u"３", u"＊", u"０",
                u"＊×２"})},
        {"a dotted sixteenth is typed as a sixteenth", u"E.中ド J. ",
         cells({u"１", u"＊×２", u"０", u"＊×２"})},
        {"a rest after a rest comes after →", u"F G H I J ",
         cells({u"０", u"＊×３", u"→", u"０", u"＊×４", u"→", u"０", u"→", u"０", u"＊", u"→",
                u"０", u"＊×２"})},
        {"dotted rests", u"F. I. ",
         cells(
             {u"０", u"＊×３", u"→", u"０", u"＊×４", u"→", u"０", u"＊", u"→", u"０", u"＊×２"})},
        {"a note of the same name comes after →", u"D中ド D低ド# D中レ ",
         cells({u"１", u"＊", u"→", u"１×４", u"＊", u"２", u"＊"})},
        {"the name is compared with the last note, across rests", u"D中ソ I D高ソ ",
         cells({u"５", u"＊", u"０", u"＊", u"→", u"５×５", u"＊"})},
        {"a rest after a note needs no →", u"C中ミ H ", cells({u"３", u"０"})},
        {"tuplets", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"＊", u"０", u"＊×２", u"２", u"＊×２", u"３", u"＊×２", u"４", u"＊×２"})},
        {"tuplet rests", u"\\ ] _ ` ",
         cells({u"０", u"＊", u"→", u"０", u"＊×２", u"→", u"０", u"＊×２", u"→", u"０", u"＊×２",
                u"→", u"０", u"＊×２"})},
        {"a tied note is the note and a rest of the same length", u"C中ド ^ ",
         cells({u"１", u"０"})},
        {"a tied dotted note repeats its rests", u"C.中ド ^ D中ド ",
         cells({u"１", u"０", u"＊", u"→", u"０", u"→", u"０", u"＊", u"→", u"１", u"＊"})},
        {"ties and unknown codes type nothing and leave the last note as it was",
         u"D中ド ^ K中レ D中レ I K中ド J ",
         cells({u"１", u"＊", u"０", u"＊", u"２", u"＊", u"０", u"＊", u"→", u"０", u"＊×２"})},
    };
    expectKeyTexts(kTypeE, cases);
}

TEST(TypeEConverter, StopsAfterTheNoteThatReachesTheLimit) {
    // 127 eighths and a dotted whole note of two units: the whole note is typed in full and
    // the note after it is left out.
    const std::u16string melody = repeated(u"D中ド D中レ ", 63) + u"D中ミ A.中フ D中ソ ";
    EXPECT_EQ(toKeys(melody), repeated(cells({u"１", u"＊", u"２", u"＊"}), 63) +
                                  cells({u"３", u"＊", u"４", u"＊×３", u"０", u"＊×４"}));
    EXPECT_EQ(toKeys(repeated(u"H D中ド H D中レ ", 33)),
              repeated(cells({u"０", u"１", u"＊", u"０", u"２", u"＊"}), 32));
}

TEST(TypeEConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeE, u"C低ド K中ド 6高シ ");
}

TEST(TypeEReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"press counts", u"C中ド C中ド# C低ド C低ド# C高ド C高ド# ",
         cells({u"１", u"１×２", u"１×３", u"１×４", u"１×５", u"１×６"})},
        {"ミ and シ have no sharp", u"C中ミ C低ミ C高シ ", cells({u"３", u"３×２", u"７×３"})},
        {"pressing on starts the round again", u"C中ソ C低ソ# C中シ ",
         cells({u"５×７", u"５×１０", u"７×４"})},
        {"note lengths", u"D中ド E中ド A中ド B中ド C中ド ",
         cells({u"１", u"＊", u"１", u"＊×２", u"１", u"＊×３", u"１", u"＊×４", u"１"})},
        {"rest lengths", u"H I J F G ",
         cells({u"０", u"０", u"＊", u"０", u"＊×２", u"０", u"＊×３", u"０", u"＊×４"})},
        {"cursor keys are skipped", u"C中ド C中ド H H ",
         cells({u"１", u"→", u"１", u"０", u"→", u"０"})},
        {"an unknown first key gives a rest of the note's length", u"H D中レ ",
         cells({u"Ｘ", u"２", u"＊"})},
        {"a length key with no note before it is an unknown first key", u"H ", cells({u"＊×２"})},
    };
    expectMelodiesRead(kTypeE, cases);
}

TEST(TypeEReader, ALengthKeyPressedTooOftenStopsReading) {
    RecordingInteractive ui;
    EXPECT_EQ(fromKeys(cells({u"１", u"＊", u"２", u"＊×５", u"３"}), &ui), u"D中ド ");
    EXPECT_EQ(ui.messages(), std::vector<std::u16string>{std::u16string(kConversionError)});
}

// Every token the reader gives is a plain length without a dot.
bool isPlainUndotted(std::u16string_view token) {
    return !token.empty() &&
           (melody::isPlainNoteCode(token[0]) || melody::isPlainRestCode(token[0])) &&
           token.find(u'.') == token.npos;
}

// Lengths come back on the sixteenth grid: a dotted length as the length and the rest one
// shorter, a quarter-note triplet as an eighth and a sixteenth rest, the other tuplets and a
// dotted sixteenth as a sixteenth.
TEST(TypeEProperty, KeyTextIsAFixedPointAndKeepsPitchesAndDurations) {
    expectSixteenthUnitRoundTrips({.typeIndex = kTypeE,
                                   .unitLimit = kUnitLimit,
                                   .longMelody = 140,
                                   .isUnit = isPlainUndotted},
                                  20261208);
}

} // namespace
} // namespace sarvo::keyguide
