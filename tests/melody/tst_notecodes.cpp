#include "common/textcodec.h"
#include "melody/filenames.h"
#include "melody/notecodes.h"
#include "melody/pitchkeytable.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::melody {
namespace {

TEST(NoteCodes, DurationsInSixteenths) {
    struct Case {
        char16_t code;
        bool dotted;
        double sixteenths;
    };
    const std::vector<Case> cases = {
        {u'A', true, 24},       {u'E', false, 1},       {u'E', true, 1.5},
        {u'F', false, 16},      {u'J', true, 1.5},      {u'2', false, 8.0 / 3},
        {u'3', false, 4.0 / 3}, {u'5', false, 8.0 / 6}, {u'6', false, 4.0 / 6},
        {u'`', false, 4.0 / 6}, {u'^', false, 0},       {u'K', false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(lengthTicks(c.code, c.dotted) / double(kTicksPerSixteenth), c.sixteenths)
            << static_cast<char>(c.code) << (c.dotted ? "." : "");
    }
    // Three triplets fill exactly the time of their plain note, with no rounding.
    EXPECT_EQ(3 * lengthTicks(u'3', false), lengthTicks(u'C', false));
    EXPECT_EQ(6 * lengthTicks(u'5', false), lengthTicks(u'B', false));
}

TEST(NoteCodes, RestAndTupletRelations) {
    for (char16_t note : std::u16string(u"ABCDE2356"))
        EXPECT_EQ(noteCodeOf(restCodeOf(note)), note);
    EXPECT_EQ(restCodeOf(u'5'), u'_');
    EXPECT_EQ(tupletGroupSize(u']'), 3);
    EXPECT_EQ(tupletGroupSize(u'6'), 6);
    EXPECT_EQ(tupletGroupSize(u'C'), 0);
}
TEST(NoteCodes, MidiNoteNumbers) {
    struct Case {
        std::u16string octave, pitch, sharp;
        int midi;
    };
    const std::vector<Case> cases = {
        {u"中", u"ド", u"", 72}, {u"低", u"ド", u"", 60},  {u"高", u"シ", u"", 95},
        {u"中", u"ミ", u"", 76}, {u"高", u"ラ", u"#", 94}, {u"低", u"フ", u"#", 66},
    };
    for (const Case& c : cases)
        EXPECT_EQ(midiNoteNumber(c.octave, c.pitch, c.sharp), c.midi) << c.midi;
    EXPECT_FALSE(midiNoteNumber(u"中", u"ミ", u"#")); // ミ has no sharp
    EXPECT_FALSE(midiNoteNumber(u"", u"ド", u""));
    EXPECT_FALSE(midiNoteNumber(u"中", u"", u""));
}

TEST(PitchKeyTable, KeyMapsAndLookups) {
    struct Case {
        int map;
        std::u16string codes; // the twelve key codes in row order
    };
    const std::vector<Case> cases = {
        {0, u"1234567QWRTY"},
        {1, u"ASDFGHJWETYU"},
        {2, u"CDEFGABCDFGA"},
    };
    for (const Case& c : cases) {
        PitchKeyTable table(c.map);
        for (int row = 0; row < kPitchRows; ++row)
            EXPECT_EQ(table.row(row).keyCode, c.codes[row]) << "map " << c.map << " row " << row;
    }
    PitchKeyTable table(2);
    // Under the third map a sharp row shares its natural's key: the natural is found first.
    EXPECT_EQ(table.findKeyByCode(u'D'), 1);
    EXPECT_EQ(table.findKeyByCode(u'Z'), -1);
    EXPECT_EQ(table.findKeyByName(u"ラ#"), 11);
    EXPECT_EQ(table.findKeyByName(u"ファ"), -1);
    EXPECT_EQ(table.row(0).midiOffset[1], 12);
    EXPECT_EQ(table.row(11).midiOffset[2], 34);
    EXPECT_EQ(table.row(2).keyText, u"３");
    // An unknown map leaves the codes as they were.
    table.applyKeyMap(7);
    EXPECT_EQ(table.row(0).keyCode, u'C');
}

TEST(SanitizeFileName, WidensForbiddenCharacters) {
    EXPECT_EQ(sanitizeFileName(u"a:b"), u"a：b");
    EXPECT_EQ(sanitizeFileName(u"<>\\/*?|"), u"＜＞￥／＊？｜");
    EXPECT_EQ(sanitizeFileName(u"着メロ 1"), u"着メロ 1");
}

} // namespace
} // namespace sarvo::melody
