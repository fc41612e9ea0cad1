#include "common/textcodec.h"
#include "keyguidetesting.h"
#include "randommelody.h"
#include "sixteenthgrid.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace sarvo::keyguide {
namespace {

constexpr int kTypeC = 4;
constexpr int kUnitLimit = 200;

std::u16string toKeys(std::u16string_view melody) {
    return keyguide::toKeys(kTypeC, melody);
}
std::u16string fromKeys(std::u16string_view keys, IInteractive* ui = nullptr) {
    return keyguide::fromKeys(kTypeC, keys, ui);
}

TEST(TypeCConverter, KeyTexts) {
    const std::vector<ConversionCase> cases = {
        {"empty melody", u"", u""},
        {"length key presses", u"B中ド C.中レ C中ミ D.中フ D中ソ E中ラ ",
         cells({u"１", u"０×４", u"＃", u"２", u"０×３", u"＃", u"３", u"０×２", u"＃", u"４",
                u"０", u"＃", u"５", u"＃", u"６", u"０×５", u"＃"})},
        {"a dotted sixteenth is typed as a sixteenth", u"E.中シ ", cells({u"７", u"０×５", u"＃"})},
        {"a whole note is a half note and a half rest", u"A中ド ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃"})},
        {"a dotted whole note is a half note and two half rests", u"A.中ド ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"})},
        {"a dotted half note is a half note and a quarter rest", u"B.中ド ",
         cells({u"１", u"０×４", u"＃", u"０×２", u"＃"})},
        {"rests of every length", u"F. F G. G H. H I. I J. J ",
         cells({u"０×４", u"＃",    u"０×４", u"＃",    u"０×４", u"＃",    u"０×４",
                u"＃",    u"０×４", u"＃",    u"０×４", u"＃",    u"０×２", u"＃",
                u"０×４", u"＃",    u"０×３", u"＃",    u"０×２", u"＃",    u"０",
                u"＃",    u"＃",    u"０×５", u"＃",    u"０×５", u"＃"})},
        {"a sharp is the key ８ after the note", u"D中ド# D中ミ ",
         cells({u"１", u"８", u"＃", u"３", u"＃"})},
        {"one octave up is ９ once", u"D中ド D高レ ", cells({u"１", u"＃", u"２", u"９", u"＃"})},
        {"two octaves down wraps round: ９ once", u"D高ド D低ド ",
         cells({u"１", u"９", u"＃", u"１", u"９", u"＃"})},
        {"one octave down is ９ twice", u"D中ド D低ド ",
         cells({u"１", u"＃", u"１", u"９×２", u"＃"})},
        {"sharp, octave and length keys in that order", u"C.高ソ# ",
         cells({u"５", u"８", u"９", u"０×３", u"＃"})},
        {"rests leave the octave where the last note put it", u"D高ド I D高レ ",
         cells({u"１", u"９", u"＃", u"＃", u"２", u"＃"})},
        {"tuplets take a dotted eighth or a sixteenth", u"2中ド 3中レ 5中ミ 6中フ ",
         cells({u"１", u"０", u"＃", u"２", u"０×５", u"＃", u"３", u"０×５", u"＃", u"４",
                u"０×５", u"＃"})},
        {"tuplet rests likewise", u"\\ ] _ ` ",
         cells({u"０", u"＃", u"０×５", u"＃", u"０×５", u"＃", u"０×５", u"＃"})},
        {"a tied note goes on as a rest of its length", u"C中ド ^ ",
         cells({u"１", u"０×２", u"＃", u"０×２", u"＃"})},
        {"a tied whole note", u"A中ド ^ ",
         cells({u"１", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"})},
        {"ties and unknown codes type nothing", u"^ K中ド D中ド ", cells({u"１", u"＃"})},
    };
    expectKeyTexts(kTypeC, cases);
}

TEST(TypeCConverter, StopsAfterTheNoteThatReachesTwoHundredUnits) {
    // 199 eighths and a dotted whole note of three units: the limit is tested before each
    // note, so the whole note is typed in full and the note after it is left out.
    const std::u16string melody = repeated(u"D中ド ", 199) + u"A.中レ D中ミ ";
    EXPECT_EQ(toKeys(melody),
              repeated(cells({u"１", u"＃"}), 199) +
                  cells({u"２", u"０×４", u"＃", u"０×４", u"＃", u"０×４", u"＃"}));
    EXPECT_EQ(toKeys(repeated(u"I ", 201)), repeated(cells({u"＃"}), 200));
}

TEST(TypeCConverter, ClearsMergeRepeatsAndReportsNothing) {
    expectClearsMergeRepeatsQuietly(kTypeC, u"C低ド K中ド 6高シ ");
}

TEST(TypeCReader, Cells) {
    const std::vector<ConversionCase> cases = {
        {"empty key text gives the trailing blank", u" ", u""},
        {"every part of a note", u"C.低ソ# ", cells({u"５", u"８", u"９×２", u"０×３", u"＃"})},
        {"lengths by presses of ０", u"D中ド D.中ド C中ド C.中ド B中ド E中ド ",
         cells({u"１", u"＃", u"１", u"０", u"＃", u"１", u"０×２", u"＃", u"１", u"０×３", u"＃",
                u"１", u"０×４", u"＃", u"１", u"０×５", u"＃"})},
        {"rests by presses of ０", u"I I. H H. G J ",
         cells({u"＃", u"０", u"＃", u"０×２", u"＃", u"０×３", u"＃", u"０×４", u"＃", u"０×５",
                u"＃"})},
        {"the octave key steps on from the last note", u"D高ド D高レ D低ミ D低フ D中ソ ",
         cells({u"１", u"９", u"＃", u"２", u"＃", u"３", u"９", u"＃", u"４", u"＃", u"５", u"９",
                u"＃"})},
        {"three presses of ９ come round to the same octave", u"D中ラ ",
         cells({u"６", u"９×３", u"＃"})},
        {"rests keep the octave", u"D高ド I D高レ ",
         cells({u"１", u"９", u"＃", u"＃", u"２", u"＃"})},
        {"cursor keys are skipped", u"D中ド D中ド ", cells({u"１", u"＃", u"→", u"１", u"＃"})},
        {"an unknown first key gives a rest of the note's length", u"I D中レ ",
         cells({u"Ｘ", u"２", u"＃"})},
    };
    expectMelodiesRead(kTypeC, cases);
}

TEST(TypeCReader, AMissingEnterKeyStopsReading) {
    struct ErrorCase {
        const char* name;
        std::u16string keys;
        std::u16string kept;
    };
    const std::vector<ErrorCase> cases = {
        {"a note runs into the next note", cells({u"１", u"＃", u"２", u"０×２", u"３", u"＃"}),
         u"D中ド "},
        {"the key text ends inside a note", cells({u"１", u"８", u"９"}), u" "},
        {"a rest without ＃", cells({u"０×２", u"５", u"＃"}), u" "},
        {"a length key pressed more often than the phone has lengths",
         cells({u"１", u"＃", u"２", u"０×６", u"＃", u"３", u"＃"}), u"D中ド "},
    };
    for (const ErrorCase& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(fromKeys(c.keys, &ui), c.kept) << c.name;
        EXPECT_EQ(ui.messages(), std::vector<std::u16string>{std::u16string(kConversionError)})
            << c.name;
    }
}

// Every token the reader gives is a length the phone types in one unit.
bool isOneUnitLength(const std::u16string& token) {
    static const std::set<std::u16string> lengths = {u"B", u"C.", u"C", u"D.", u"D", u"E",
                                                     u"G", u"H.", u"H", u"I.", u"I", u"J"};
    const size_t end = token.size() > 1 && token[1] == u'.' ? 2 : 1;
    return lengths.contains(token.substr(0, end));
}

// Lengths come back on the sixteenth grid: a quarter-note triplet as a dotted eighth, the other
// tuplets and a dotted sixteenth as a sixteenth.
TEST(TypeCProperty, KeyTextIsAFixedPointAndKeepsPitchesAndDurations) {
    expectSixteenthUnitRoundTrips({.typeIndex = kTypeC,
                                   .unitLimit = kUnitLimit,
                                   .longMelody = 220,
                                   .isUnit = isOneUnitLength},
                                  20261207);
}

} // namespace
} // namespace sarvo::keyguide
