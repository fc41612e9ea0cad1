#include "common/textcodec.h"
#include "melody/transpose.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::melody {
namespace {

TEST(Transpose, OneSemitoneEachWay) {
    struct Case {
        std::u16string text;
        int direction;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"C低ド ", -1, u"C低ド "}, // the bottom of the range stays
        {u"C高シ ", +1, u"C高シ "}, // the top stays
        {u"C中シ ", +1, u"C高ド "},
        {u"C中ド ", -1, u"C低シ "},
        {u"C中ミ ", +1, u"C中フ "},
        {u"C中レ# ", -1, u"C中レ "},
        {u"D.中ラ ", +1, u"D.中ラ# "},
        {u"3中ソ# 3中ラ 3中ラ# ", +1, u"3中ラ 3中ラ# 3中シ "},
        // Rests, ties and a tie at the start are copied unchanged.
        {u"^ C中ド ^ ^ H. ] E中フ# ", +1, u"^ C中ド# ^ ^ H. ] E中ソ "},
        {u"", +1, u""},
    };
    for (const Case& c : cases) {
        ParserState state;
        EXPECT_EQ(transposeMelody(state, c.text, c.direction), c.expected)
            << toUtf8(c.text) << " by " << c.direction;
    }
}

TEST(Transpose, UpThenDownRestoresEveryNoteInsideTheRange) {
    ParserState state;
    const std::u16string text = u"C低ド# D中ミ ^ E高ラ# B.中フ I 2低シ ";
    const std::u16string up = transposeMelody(state, text, +1);
    EXPECT_EQ(transposeMelody(state, up, -1), text);
}

TEST(Transpose, MalformedTokensAreCopied) {
    ParserState state;
    EXPECT_EQ(transposeMelody(state, u"C中ミ# K中ド ", +1), u"C中ミ# K中ド ");
}

} // namespace
} // namespace sarvo::melody
