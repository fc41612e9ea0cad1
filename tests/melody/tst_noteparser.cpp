#include "common/textcodec.h"
#include "melody/noteparser.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::melody {
namespace {

// Walks a whole melody and returns each note as "token+ties" for compact comparison.
struct Walked {
    std::u16string token;
    int ties;
    int readPosAfter;
};

std::vector<Walked> walk(std::u16string_view text, ParserState state = {}) {
    std::vector<Walked> out;
    state.readPos = 1;
    for (state.currentNote.clearText(); readNextNote(state, text); state.currentNote.clearText())
        out.push_back({state.currentNote.token(), state.currentNote.tieCount, state.readPos});
    return out;
}

TEST(ReadNextNote, EmptyTextEndsAtOnceAndChangesNothing) {
    ParserState state;
    state.currentNote.length = u"C";
    EXPECT_FALSE(readNextNote(state, u""));
    EXPECT_EQ(state.readPos, 1);
    EXPECT_EQ(state.currentNote.length, u"C");
}

TEST(ReadNextNote, ReadsTokenFieldsAndTies) {
    // [GIVEN] a quarter tied twice, a dotted high G sharp, a dotted rest, a tuplet rest
    ParserState state;
    const std::u16string text = u"C中ド ^ ^ D.高ソ# H. ] E低シ ";
    // [WHEN] walking it
    ASSERT_TRUE(readNextNote(state, text));
    // [THEN] the ties belong to the first note and the position skips them
    EXPECT_EQ(state.currentNote.token(), u"C中ド");
    EXPECT_EQ(state.currentNote.tieCount, 2);
    EXPECT_EQ(state.readPos, 9);

    ASSERT_TRUE(readNextNote(state, text));
    EXPECT_EQ(state.currentNote.length, u"D");
    EXPECT_EQ(state.currentNote.dot, u".");
    EXPECT_EQ(state.currentNote.octave, u"高");
    EXPECT_EQ(state.currentNote.pitch, u"ソ");
    EXPECT_EQ(state.currentNote.sharp, u"#");
    EXPECT_EQ(state.currentNote.tieCount, 0);

    // A rest leaves octave, pitch and sharp as they were.
    ASSERT_TRUE(readNextNote(state, text));
    EXPECT_EQ(state.currentNote.length, u"H");
    EXPECT_EQ(state.currentNote.dot, u".");
    EXPECT_EQ(state.currentNote.pitch, u"ソ");
    EXPECT_EQ(state.currentNote.sharp, u"#");

    ASSERT_TRUE(readNextNote(state, text));
    EXPECT_EQ(state.currentNote.length, u"]");
    EXPECT_EQ(state.currentNote.dot, u"");

    ASSERT_TRUE(readNextNote(state, text));
    EXPECT_EQ(state.currentNote.token(), u"E低シ");
    EXPECT_FALSE(readNextNote(state, text));
}

TEST(ReadNextNote, WalksWholeMelodies) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> tokens;
        std::vector<int> ties;
    };
    const std::vector<Case> cases = {
        {u"C中ド ^ ^ D中レ ", {u"C中ド", u"D中レ"}, {2, 0}},
        {u"C中ド ^ D中レ# I ", {u"C中ド", u"D中レ#", u"I"}, {1, 0, 0}},
        // A tie at the start has no note before it: it is read as a token of its own.
        {u"^ C中ド ", {u"^", u"C中ド"}, {0, 0}},
        // A tie after a rest still counts for the rest.
        {u"H ^ ", {u"H"}, {1}},
        // Without the final space the last token is still read.
        {u"C中ド D中レ", {u"C中ド", u"D中レ"}, {0, 0}},
        {u"2中ド 2中レ 2中ミ ", {u"2中ド", u"2中レ", u"2中ミ"}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        const auto notes = walk(c.text);
        ASSERT_EQ(notes.size(), c.tokens.size());
        for (size_t i = 0; i < notes.size(); ++i) {
            EXPECT_EQ(notes[i].token, c.tokens[i]);
            EXPECT_EQ(notes[i].ties, c.ties[i]);
        }
    }
}

TEST(ReadNextNote, MalformedTokensYieldWhatStandsThere) {
    ParserState state;
    const std::u16string text = u"C中";
    ASSERT_TRUE(readNextNote(state, text));
    EXPECT_EQ(state.currentNote.length, u"C");
    EXPECT_EQ(state.currentNote.octave, u"中");
    EXPECT_EQ(state.currentNote.pitch, u"");
    EXPECT_FALSE(readNextNote(state, text));
}

TEST(ReadNextNote, MergesRepeatsOnlyWhilePlaying) {
    const std::u16string text = u"D中ミ D中ミ D中ミ C中ド ";
    ParserState playing;
    playing.isPlaying = playing.mergeRepeats = true;
    std::vector<std::pair<int, int>> shown;
    playing.noteShown = [&](int start, int length) {
        shown.emplace_back(start, length);
    };

    ASSERT_TRUE(readNextNote(playing, text));
    EXPECT_EQ(playing.currentNote.token(), u"D中ミ");
    EXPECT_EQ(playing.currentNote.repeatCount, 2);
    ASSERT_TRUE(readNextNote(playing, text));
    EXPECT_EQ(playing.currentNote.token(), u"C中ド");
    EXPECT_EQ(playing.currentNote.repeatCount, 0);
    EXPECT_FALSE(readNextNote(playing, text));
    // The hook highlights the token with its merged repeats: 3 tokens of 3 characters and the
    // two spaces between them.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(0, 11));
    EXPECT_EQ(shown[1], std::make_pair(12, 3));

    // Not playing: three separate notes, nothing shown.
    EXPECT_EQ(walk(text).size(), 4u);
    ParserState mergeOnly;
    mergeOnly.mergeRepeats = true;
    EXPECT_EQ(walk(text, mergeOnly).size(), 4u);
}

TEST(ReadNextNote, HighlightOfATokenCutOffAtTheEndStaysInsideTheText) {
    ParserState state;
    state.isPlaying = true;
    std::pair<int, int> shown{-1, -1};
    state.noteShown = [&](int start, int length) {
        shown = {start, length};
    };
    ASSERT_TRUE(readNextNote(state, u"C "));
    EXPECT_EQ(shown, std::make_pair(0, 2));
}

TEST(ReadNextNote, MergeComparesSharpAndTies) {
    ParserState state;
    state.isPlaying = state.mergeRepeats = true;
    EXPECT_EQ(walk(u"D中ミ D中ミ# ", state).size(), 2u);
    EXPECT_EQ(walk(u"D中レ ^ D中レ ^ D中レ ", state).size(), 2u);
    const auto merged = walk(u"D中レ ^ D中レ ^ ", state);
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged[0].ties, 1);
}

TEST(AppendNote, WritesTokenAndTurnsPitchlessLettersIntoRests) {
    struct Case {
        std::u16string length, dot, octave, pitch, sharp, expected;
    };
    const std::vector<Case> cases = {
        {u"C", u"", u"中", u"ド", u"", u"C中ド "}, {u"D", u".", u"高", u"ソ", u"#", u"D.高ソ# "},
        {u"C", u"", u"", u"", u"", u"H "},         {u"E", u".", u"", u"", u"", u"J. "},
        {u"A", u"", u"", u"", u"", u"F "},         {u"3", u"", u"", u"", u"", u"] "},
        {u"H", u"", u"", u"", u"", u"H "},
    };
    for (const Case& c : cases) {
        ParserState state;
        state.currentNote = Note{c.length, c.dot, c.octave, c.pitch, c.sharp};
        std::u16string text = u"X ";
        appendNote(state, text);
        EXPECT_EQ(text, u"X " + c.expected);
    }
}

TEST(PreviousNote, ResetAndSave) {
    ParserState state;
    state.currentNote = Note{u"C", u".", u"高", u"ソ", u"#"};
    savePreviousNote(state);
    EXPECT_EQ(state.previousNote.length, u"C");
    EXPECT_EQ(state.previousNote.octave, u"高");
    EXPECT_EQ(state.previousNote.pitch, u"ソ");
    EXPECT_EQ(state.previousNote.sharp, u"#");
    EXPECT_EQ(state.previousNote.dot, u".");
    resetPreviousNote(state);
    EXPECT_EQ(state.previousNote.length, u"");
    EXPECT_EQ(state.previousNote.octave, u"中");
    EXPECT_EQ(state.previousNote.pitch, u"");
}

} // namespace
} // namespace sarvo::melody
