// The melody text's core: the token walk, note codes and pitch keys, caret edits, transposition
// and the notations of other editors read into melody text.

#include "common/textcodec.h"
#include "melody/caretediting.h"
#include "melody/filenames.h"
#include "melody/foreignnotation.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "melody/pitchkeytable.h"
#include "melody/transpose.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sarvo::melody {
namespace {

// Walks a whole melody: each note's token and ties.
std::vector<std::pair<std::u16string, int>> walk(std::u16string_view text, ParserState state = {}) {
    std::vector<std::pair<std::u16string, int>> out;
    state.readPos = 1;
    for (state.currentNote.clearText(); readNextNote(state, text); state.currentNote.clearText())
        out.emplace_back(state.currentNote.token(), state.currentNote.tieCount);
    return out;
}

TEST(ReadNextNote, WalksWholeMelodies) {
    using Notes = std::vector<std::pair<std::u16string, int>>;
    const std::pair<std::u16string, Notes> cases[] = {
        {u"C中ド ^ ^ D.高ソ# H. ] E低シ ", {{u"C中ド", 2}, {u"D.高ソ#", 0}, {u"H.", 0}, {u"]", 0}, {u"E低シ", 0}}},
        {u"^ C中ド ", {{u"^", 0}, {u"C中ド", 0}}}, // a tie with no note before it is a token
        {u"H ^ ", {{u"H", 1}}},                     // a tie after a rest counts for the rest
        {u"C中ド D中レ", {{u"C中ド", 0}, {u"D中レ", 0}}}, // the last token without its space
        {u"C中", {{u"C中", 0}}}, // a malformed token yields what stands there
        {u"", {}},
    };
    for (const auto& [text, notes] : cases)
        EXPECT_EQ(walk(text), notes) << toUtf8(text);
    // A rest leaves octave, pitch and sharp as they were.
    ParserState state;
    ASSERT_TRUE(readNextNote(state, u"C中ド ^ ^ D.高ソ# H. "));
    ASSERT_TRUE(readNextNote(state, u"C中ド ^ ^ D.高ソ# H. "));
    ASSERT_TRUE(readNextNote(state, u"C中ド ^ ^ D.高ソ# H. "));
    EXPECT_EQ(state.currentNote.octave + state.currentNote.pitch + state.currentNote.sharp, u"高ソ#");
    EXPECT_FALSE(readNextNote(state, u"C中ド ^ ^ D.高ソ# H. "));
    EXPECT_EQ(state.currentNote.length, u"H");
}

TEST(ReadNextNote, MergesRepeatsOnlyWhilePlaying) {
    const std::u16string text = u"D中ミ D中ミ D中ミ C中ド ";
    ParserState playing;
    playing.isPlaying = playing.mergeRepeats = true;
    std::vector<std::pair<int, int>> shown;
    playing.noteShown = [&](int start, int length) { shown.emplace_back(start, length); };
    ASSERT_TRUE(readNextNote(playing, text));
    EXPECT_EQ(playing.currentNote.repeatCount, 2);
    ASSERT_TRUE(readNextNote(playing, text));
    EXPECT_EQ(playing.currentNote.repeatCount, 0);
    // The hook highlights a token with its merged repeats and the blanks between them.
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{0, 11}, {12, 3}}));
    // Not playing: every note on its own; a sharp or ties make another note.
    ParserState mergeOnly;
    mergeOnly.mergeRepeats = true;
    EXPECT_EQ(walk(text, mergeOnly).size(), 4u);
    EXPECT_EQ(walk(u"D中ミ D中ミ# ", playing).size(), 2u);
    EXPECT_EQ(walk(u"D中レ ^ D中レ ^ ", playing), (std::vector<std::pair<std::u16string, int>>{{u"D中レ", 1}}));
    // The highlight of a token cut off at the end of the melody stays inside the text.
    ParserState cutOff;
    cutOff.isPlaying = true;
    cutOff.noteShown = playing.noteShown;
    ASSERT_TRUE(readNextNote(cutOff, u"C "));
    EXPECT_EQ(shown.back(), std::make_pair(0, 2));
}

// Pitchless letters become rests, pitchless tuplets tuplet rests.
TEST(AppendNote, WritesTokenAndTurnsPitchlessLettersIntoRests) {
    const std::pair<Note, std::u16string> cases[] = {
        {{u"D", u".", u"高", u"ソ", u"#"}, u"D.高ソ# "}, {{u"C", u"", u"", u"", u""}, u"H "},
        {{u"E", u".", u"", u"", u""}, u"J. "},         {{u"3", u"", u"", u"", u""}, u"] "},
    };
    for (const auto& [note, expected] : cases) {
        ParserState state;
        state.currentNote = note;
        std::u16string text = u"X ";
        appendNote(state, text);
        EXPECT_EQ(text, u"X " + expected);
    }
}

TEST(NoteCodes, DurationsRestsAndTuplets) {
    const std::tuple<char16_t, bool, double> cases[] = {
        {u'A', true, 24}, {u'E', false, 1},    {u'E', true, 1.5},   {u'J', true, 1.5},
        {u'2', false, 8.0 / 3}, {u'6', false, 4.0 / 6}, {u'`', false, 4.0 / 6}, {u'^', false, 0},
        {u'K', false, 0},
    };
    for (const auto& [code, dotted, sixteenths] : cases)
        EXPECT_DOUBLE_EQ(lengthTicks(code, dotted) / double(kTicksPerSixteenth), sixteenths)
            << static_cast<char>(code) << (dotted ? "." : "");
    // Three triplets fill exactly the time of their plain note, with no rounding.
    EXPECT_EQ(3 * lengthTicks(u'3', false), lengthTicks(u'C', false));
    EXPECT_EQ(6 * lengthTicks(u'5', false), lengthTicks(u'B', false));
    EXPECT_EQ(restCodeOf(u'5'), u'_');
    EXPECT_EQ(tupletGroupSize(u']'), 3);
    EXPECT_EQ(tupletGroupSize(u'6'), 6);
    EXPECT_EQ(tupletGroupSize(u'C'), 0);
}

TEST(NoteCodes, MidiNoteNumbersAndPitchKeys) {
    EXPECT_EQ(midiNoteNumber(u"低", u"ド", u"#"), 61);
    EXPECT_EQ(midiNoteNumber(u"高", u"シ", u""), 95);
    EXPECT_FALSE(midiNoteNumber(u"中", u"ミ", u"#")); // ミ has no sharp
    EXPECT_FALSE(midiNoteNumber(u"", u"ド", u""));
    EXPECT_FALSE(midiNoteNumber(u"中", u"", u""));
    // Under the third map a sharp row shares its natural's key: the natural is found first.
    PitchKeyTable table(2);
    EXPECT_EQ(table.findKeyByCode(u'D'), 1);
    EXPECT_EQ(table.findKeyByCode(u'Z'), -1);
    EXPECT_EQ(table.findKeyByName(u"ラ#"), 11);
    EXPECT_EQ(table.findKeyByName(u"ファ"), -1);
    table.applyKeyMap(7); // an unknown map leaves the codes as they were
    EXPECT_EQ(table.row(0).keyCode, u'C');
    EXPECT_EQ(sanitizeFileName(u"a:<>\\/*?|"), u"a：＜＞￥／＊？｜");
    EXPECT_EQ(sanitizeFileName(u"着メロ 1"), u"着メロ 1");
}

// Moving and inserting between tokens are the key handler's; the window also asks inside a token.
TEST(CaretEditing, TokenIndexInsideAToken) {
    EXPECT_EQ(tokenIndexAtCaret(MelodyText{u"C中ド D中レ E中ミ ", 5}), 1);
}

TEST(CaretEditing, ToggleTuplet) {
    using Outcome = TupletToggleResult::Outcome;
    struct Case {
        std::u16string text;
        char16_t kind;
        Outcome outcome;
        std::u16string expected;
        std::u16string_view refusal;
    };
    const Case cases[] = {
        {u"C中ド ", u'3', Outcome::Changed, u"2中ド ", {}},
        {u"2中ド ", u'3', Outcome::Changed, u"C中ド ", {}},
        {u"6中ド ", u'6', Outcome::Changed, u"D中ド ", {}},
        {u"2中ド ", u'6', Outcome::Changed, u"5中ド ", {}}, // from triplet to sextuplet
        {u"3中ド ", u'6', Outcome::Changed, u"6中ド ", {}},
        {u"D.中ド ", u'3', Outcome::Refused, u"D.中ド ", kTupletAfterDotRefusal},
        {u"H ", u'3', Outcome::Refused, u"H ", kTupletLengthRefusal},
        {u"B中ド ", u'6', Outcome::Refused, u"B中ド ", kTupletLengthRefusal},
        {u"", u'3', Outcome::Nothing, u"", {}},
    };
    for (const Case& c : cases) {
        MelodyText melody{c.text, static_cast<int>(c.text.size())};
        const TupletToggleResult result = toggleTuplet(melody, c.kind);
        EXPECT_EQ(result.outcome, c.outcome) << toUtf8(c.text);
        EXPECT_EQ(melody.text, c.expected);
        EXPECT_EQ(result.refusal, c.refusal);
    }
    MelodyText melody{u"C中ド D中レ E中ミ ", 8}; // the note before the caret
    const TupletToggleResult result = toggleTuplet(melody, u'3');
    EXPECT_EQ(melody.text, u"C中ド 3中レ E中ミ ");
    EXPECT_EQ(result.tokenIndex, 1);
    EXPECT_EQ(result.newCode, u"3");
    melody.caret = 0; // at the start: nothing to toggle
    EXPECT_EQ(toggleTuplet(melody, u'3').outcome, Outcome::Nothing);
}

TEST(Transpose, OneSemitoneEachWay) {
    const std::tuple<std::u16string, int, std::u16string> cases[] = {
        {u"C低ド ", -1, u"C低ド "}, // the bottom of the range stays
        {u"C高シ ", +1, u"C高シ "}, // the top stays
        {u"C中シ ", +1, u"C高ド "},
        {u"C中ド ", -1, u"C低シ "},
        {u"C中ミ ", +1, u"C中フ "},
        {u"C中レ# ", -1, u"C中レ "},
        // Rests, ties, a tie at the start and malformed tokens are copied unchanged.
        {u"^ C中ド ^ ^ H. ] E中フ# ", +1, u"^ C中ド# ^ ^ H. ] E中ソ "},
        {u"C中ミ# K中ド ", +1, u"C中ミ# K中ド "},
    };
    for (const auto& [text, direction, expected] : cases) {
        ParserState state;
        EXPECT_EQ(transposeMelody(state, text, direction), expected) << toUtf8(text);
    }
}

// Reads a whole foreign text with one of the readers and writes it as melody text.
std::u16string convert(std::u16string_view input,
                       const std::function<bool(ParserState&, std::u16string_view)>& reader) {
    ParserState state;
    std::u16string melody;
    while (reader(state, input))
        melody += state.currentNote.token() + u" ";
    return melody;
}

TEST(ForeignNotation, LettersAndCodePairs) {
    const std::pair<std::u16string, std::u16string> letters[] = {
        {u"+C4", u"C高ド "}, {u"#F8.", u"D.中フ# "}, {u"bB16", u"E中ラ# "}, {u"R16.", u"J. "},
        {u"C1", u"A中ド "}, {u"C4D8E16", u"C中ド D中レ E中ミ "},
        // Flats of C and F: the pitches they sound.
        {u"bC4", u"C低シ "}, {u"+bC4", u"C中シ "}, {u"bF4", u"C中ミ "},
        {u"C4Dx", u"C中ド C中レ "}, // a length character that is no length keeps the one before
        {u"", u""},
    };
    for (const auto& [input, melody] : letters)
        EXPECT_EQ(convert(input, readLetterNote), melody) << toUtf8(input);
    const std::pair<std::u16string, std::u16string> codePairs[] = {
        {u"9d", u"C低ラ "}, {u":d", u"C低ラ# "}, {u"<p", u"A中ド "}, {u"=l", u"B.中ド# "},
        {u"Gh", u"B中シ "}, {u"Hf", u"C.高ド "}, {u"Sa", u"E高シ "}, {u" d", u"H "},
        {u" c", u"I. "},    {u"<b@b", u"D中ド D中ミ "}, {u"", u""},
        {u"<d<", u"C中ド C中ド "}, // a single character left: a pitch with no length change
    };
    for (const auto& [input, melody] : codePairs)
        EXPECT_EQ(convert(input, readCodePairNote), melody) << toUtf8(input);
}

} // namespace
} // namespace sarvo::melody
