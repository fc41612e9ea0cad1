#include "common/textcodec.h"
#include "melody/foreignnotation.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sarvo::melody {
namespace {

// Reads a whole foreign text with one of the readers and writes it as melody text.
std::u16string convert(std::u16string_view input,
                       const std::function<bool(ParserState&, std::u16string_view)>& reader) {
    ParserState state;
    std::u16string melody;
    while (reader(state, input))
        melody += state.currentNote.token() + u" ";
    return melody;
}

TEST(ReadLetterNote, Notation) {
    struct Case {
        std::u16string input;
        std::u16string melody;
    };
    const std::vector<Case> cases = {
        {u"C4", u"C中ド "},
        {u"+C4", u"C高ド "},
        {u"#F8.", u"D.中フ# "},
        {u"bB16", u"E中ラ# "},
        {u"bE2", u"B中レ# "},
        {u"R4", u"H "},
        {u"R16.", u"J. "},
        {u"C1", u"A中ド "},
        {u"C4D8E16", u"C中ド D中レ E中ミ "},
        // Flats of C and F: the pitches they sound.
        {u"bC4", u"C低シ "},
        {u"+bC4", u"C中シ "},
        {u"bF4", u"C中ミ "},
        // A length character that is no length keeps the length before.
        {u"C4Dx", u"C中ド C中レ "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convert(c.input, readLetterNote), c.melody) << toUtf8(c.input);
}

TEST(ReadCodePairNote, Notation) {
    struct Case {
        std::u16string input;
        std::u16string melody;
    };
    const std::vector<Case> cases = {
        {u"9d", u"C低ラ "}, {u":d", u"C低ラ# "},        {u"<p", u"A中ド "}, {u"=l", u"B.中ド# "},
        {u"Gh", u"B中シ "}, {u"Hf", u"C.高ド "},        {u"Sa", u"E高シ "}, {u" d", u"H "},
        {u" c", u"I. "},    {u"<b@b", u"D中ド D中ミ "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convert(c.input, readCodePairNote), c.melody) << toUtf8(c.input);
}

TEST(ForeignNotation, EndOfTextAndOddLengthInput) {
    ParserState state;
    EXPECT_FALSE(readLetterNote(state, u""));
    EXPECT_FALSE(readCodePairNote(state, u""));
    // A single character left: read as a pitch with no length change, then the end.
    EXPECT_EQ(convert(u"<d<", readCodePairNote), u"C中ド C中ド ");
}

} // namespace
} // namespace sarvo::melody
