#include "common/textcodec.h"
#include "melody/caretediting.h"

#include <gtest/gtest.h>

#include <vector>

namespace sarvo::melody {
namespace {

TEST(CaretEditing, TokenIndexAndMoveCaret) {
    MelodyText melody{u"C中ド D中レ E中ミ ", 0};
    moveCaretToToken(melody, 2);
    EXPECT_EQ(melody.caret, 8);
    EXPECT_EQ(tokenIndexAtCaret(melody), 2);
    moveCaretToToken(melody, 0);
    EXPECT_EQ(melody.caret, 0);
    EXPECT_EQ(tokenIndexAtCaret(melody), 0);
    moveCaretToToken(melody, 3);
    EXPECT_EQ(melody.caret, 12);
    // Fewer tokens than asked: the caret stays.
    moveCaretToToken(melody, 9);
    EXPECT_EQ(melody.caret, 12);
    // Inside a token the count is of the tokens before it.
    melody.caret = 5;
    EXPECT_EQ(tokenIndexAtCaret(melody), 1);
}

TEST(CaretEditing, InsertTokenAtStartMiddleAndEnd) {
    struct Case {
        std::u16string text;
        int caret;
        std::u16string expected;
        int caretAfter;
    };
    const std::vector<Case> cases = {
        {u"", 0, u"C中ド ", 4},
        {u"D中レ ", 0, u"C中ド D中レ ", 4},
        {u"D中レ ", 4, u"D中レ C中ド ", 8},
        {u"D中レ E中ミ ", 4, u"D中レ C中ド E中ミ ", 8},
    };
    for (const Case& c : cases) {
        MelodyText melody{c.text, c.caret};
        insertToken(melody, u"C中ド");
        EXPECT_EQ(melody.text, c.expected);
        EXPECT_EQ(melody.caret, c.caretAfter);
    }
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
    const std::vector<Case> cases = {
        {u"C中ド ", u'3', Outcome::Changed, u"2中ド ", {}},
        {u"2中ド ", u'3', Outcome::Changed, u"C中ド ", {}},
        {u"D中ド ", u'3', Outcome::Changed, u"3中ド ", {}},
        {u"3中ド ", u'3', Outcome::Changed, u"D中ド ", {}},
        {u"C中ド ", u'6', Outcome::Changed, u"5中ド ", {}},
        {u"D中ド ", u'6', Outcome::Changed, u"6中ド ", {}},
        {u"6中ド ", u'6', Outcome::Changed, u"D中ド ", {}},
        // Switching between triplet and sextuplet of the same base.
        {u"2中ド ", u'6', Outcome::Changed, u"5中ド ", {}},
        {u"3中ド ", u'6', Outcome::Changed, u"6中ド ", {}},
        {u"D.中ド ", u'3', Outcome::Refused, u"D.中ド ", kTupletAfterDotRefusal},
        {u"H ", u'3', Outcome::Refused, u"H ", kTupletLengthRefusal},
        {u"B中ド ", u'6', Outcome::Refused, u"B中ド ", kTupletLengthRefusal},
        {u"", u'3', Outcome::Nothing, u"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        MelodyText melody{c.text, static_cast<int>(c.text.size())};
        const TupletToggleResult result = toggleTuplet(melody, c.kind);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(melody.text, c.expected);
        EXPECT_EQ(result.refusal, c.refusal);
    }
}

TEST(CaretEditing, ToggleTupletActsOnTheNoteBeforeTheCaret) {
    MelodyText melody{u"C中ド D中レ E中ミ ", 8}; // after the second token
    const TupletToggleResult result = toggleTuplet(melody, u'3');
    EXPECT_EQ(melody.text, u"C中ド 3中レ E中ミ ");
    EXPECT_EQ(result.tokenIndex, 1);
    EXPECT_EQ(result.newCode, u"3");
    // The caret at the start: nothing to toggle.
    MelodyText atStart{u"C中ド ", 0};
    EXPECT_EQ(toggleTuplet(atStart, u'3').outcome, TupletToggleResult::Outcome::Nothing);
}

} // namespace
} // namespace sarvo::melody
