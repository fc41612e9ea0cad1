#include "common/headerwords.h"

#include "common/base64.h"
#include "japanesetext.h"

#include <gtest/gtest.h>

namespace sarvo {
namespace {

std::u16string repeated(std::u16string_view piece, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Splits a header into its encoded words and the ASCII between them, decoding every word and
// dropping the one blank the encoder writes after it: the inverse of encodeHeader.
struct Unpacked {
    std::u16string text;
    std::vector<std::u16string> words;
};

Unpacked unpack(std::u16string_view header) {
    Unpacked result;
    size_t pos = 0;
    while (pos < header.size()) {
        const size_t start = header.find(kEncodedWordPrefix, pos);
        if (start == header.npos) {
            result.text += header.substr(pos);
            break;
        }
        result.text += header.substr(pos, start - pos);
        const size_t body = start + kEncodedWordPrefix.size();
        const size_t end = header.find(kEncodedWordSuffix, body);
        EXPECT_NE(end, header.npos);
        const std::u16string_view word = header.substr(start, end + 2 - start);
        result.words.emplace_back(word);
        const auto decoded = decodeHeaderWord(header.substr(body, end - body));
        EXPECT_TRUE(decoded.ok());
        result.text += decoded.value;
        EXPECT_EQ(header.substr(end + 2, 1), u" ") << "no blank after an encoded word";
        pos = end + 3;
    }
    return result;
}

TEST(EncodeHeaderWord, KnownWordOfOneKana) {
    // The ISO-2022-JP bytes of あ are 1B 24 42 24 22 1B 28 42.
    const auto word = encodeHeaderWord(u"あ");
    ASSERT_TRUE(word.ok());
    EXPECT_EQ(word.value, u"=?ISO-2022-JP?B?GyRCJCIbKEI=?=");
    EXPECT_FALSE(encodeHeaderWord(u"ｱ").ok());
}

struct HeaderCase {
    std::u16string text;
    std::vector<size_t> wordCharacters; // characters encoded in each word, in order
    std::u16string ascii;               // the header with every word and its blank replaced by "*"
};

class EncodeHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(EncodeHeaderTest, SplitsRunsIntoWordsOfAtMostEighteenCharacters) {
    const HeaderCase& c = GetParam();
    const auto header = encodeHeader(c.text);
    ASSERT_TRUE(header.ok());
    const Unpacked unpacked = unpack(header.value);
    EXPECT_EQ(unpacked.text, c.text);
    ASSERT_EQ(unpacked.words.size(), c.wordCharacters.size());
    std::u16string shape = header.value;
    for (size_t i = 0; i < unpacked.words.size(); ++i) {
        const std::u16string& word = unpacked.words[i];
        EXPECT_LE(word.size(), size_t(kMaxEncodedWordLength));
        // Two bytes a character and two escapes of three bytes, in base64.
        EXPECT_EQ(word.size(), 18 + (2 * c.wordCharacters[i] + 6 + 2) / 3 * 4);
        shape.replace(shape.find(word), word.size() + 1, u"*");
    }
    EXPECT_EQ(shape, c.ascii);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, EncodeHeaderTest,
    ::testing::Values(HeaderCase{u"Subject: plain ascii", {}, u"Subject: plain ascii"},
                      HeaderCase{u"", {}, u""}, HeaderCase{repeated(u"漢", 20), {18, 2}, u"**"},
                      HeaderCase{repeated(u"漢", 25), {18, 7}, u"**"},
                      HeaderCase{repeated(u"漢", 36), {18, 18}, u"**"},
                      HeaderCase{repeated(u"漢", 18), {18}, u"*"},
                      // The blank after a word and the blank of the text: two blanks.
                      HeaderCase{u"テスト abc", {3}, u"* abc"},
                      HeaderCase{u"Subject: 曲名[歌手]", {2, 2}, u"Subject: *[*]"},
                      // A run between ASCII characters.
                      HeaderCase{u"a漢b", {1}, u"a*b"}));

TEST(EncodeHeader, HalfWidthKatakanaCannotBeWritten) {
    for (std::u16string_view text : {u"ｱ", u"abc ｱｲｳ", u"漢字ｱ", u"\U0001F600"})
        EXPECT_FALSE(encodeHeader(text).ok());
}

TEST(EncodeHeader, RandomHeadersDecodeBack) {
    std::mt19937 rng(2047);
    for (int round = 0; round < 300; ++round) {
        const std::u16string text = testing::randomJapaneseText(rng, rng() % 120, 0.5);
        const auto header = encodeHeader(text);
        ASSERT_TRUE(header.ok());
        const Unpacked unpacked = unpack(header.value);
        EXPECT_EQ(unpacked.text, text) << round;
        for (const std::u16string& word : unpacked.words)
            EXPECT_LE(word.size(), size_t(kMaxEncodedWordLength));
    }
}

struct FoldCase {
    std::u16string text;
    std::u16string folded;
};

class FoldHeaderLinesTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldHeaderLinesTest, BreaksBeforeTheWordThatPassesSeventyFive) {
    EXPECT_EQ(foldHeaderLines(GetParam().text), GetParam().folded);
}

const std::u16string k70 = repeated(u"x", 70);

INSTANTIATE_TEST_SUITE_P(
    Lines, FoldHeaderLinesTest,
    ::testing::Values(
        FoldCase{u"", u""}, FoldCase{u"\r\n", u"\r\n"},
        FoldCase{u"To: a@b\r\n\r\nbody\r\n", u"To: a@b\r\n\r\nbody\r\n"},
        // Exactly 75 characters stay; the word that makes 76 goes to a continuation line.
        FoldCase{k70 + u" abcd\r\n", k70 + u" abcd\r\n"},
        FoldCase{k70 + u" abcde\r\n", k70 + u"\r\n abcde\r\n"},
        // A word longer than 75 is never split.
        FoldCase{repeated(u"y", 80) + u" z\r\n", repeated(u"y", 80) + u"\r\n z\r\n"},
        FoldCase{u"a " + repeated(u"y", 80) + u"\r\n", u"a\r\n " + repeated(u"y", 80) + u"\r\n"},
        // Two blanks give an empty word that still counts its separator.
        FoldCase{k70 + u"  abcd\r\n", k70 + u" \r\n abcd\r\n"},
        // Continuation lines fill up to 75 characters after their blank.
        FoldCase{k70 + u" " + k70 + u" " + k70 + u"\r\n",
                 k70 + u"\r\n " + k70 + u"\r\n " + k70 + u"\r\n"},
        // A last line without CRLF is folded and stays without.
        FoldCase{k70 + u" abcdef", k70 + u"\r\n abcdef"}));

TEST(FoldHeaderLines, RandomLinesUnfoldToTheInput) {
    std::mt19937 rng(822);
    const std::u16string alphabet = u"abcdefghij=?-";
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        for (int line = 0, lines = static_cast<int>(1 + rng() % 4); line < lines; ++line) {
            text += alphabet[rng() % alphabet.size()];
            for (int i = 0, n = static_cast<int>(rng() % 300); i < n; ++i)
                text += (rng() % 9 == 0) ? u' ' : alphabet[rng() % alphabet.size()];
            text += u"\r\n";
        }
        const std::u16string folded = foldHeaderLines(text);
        std::u16string unfolded;
        for (size_t pos = 0; pos < folded.size();) {
            const size_t fold = folded.find(u"\r\n ", pos);
            unfolded += folded.substr(pos, fold == folded.npos ? folded.npos : fold - pos);
            if (fold == folded.npos)
                break;
            unfolded += u' ';
            pos = fold + 3;
        }
        EXPECT_EQ(unfolded, text) << round;
        // No line is longer than 75 characters after its leading blank unless it is one word.
        for (size_t pos = 0; pos < folded.size();) {
            const size_t end = folded.find(u"\r\n", pos);
            std::u16string_view line = std::u16string_view(folded).substr(pos, end - pos);
            if (line.starts_with(u" "))
                line.remove_prefix(1);
            if (line.size() > size_t(kFoldWidth)) {
                EXPECT_EQ(line.find(u' '), line.npos) << round;
            }
            pos = end + 2;
        }
    }
}

TEST(DecodeHeaderWord, StopsAtPaddingOrAForeignCharacter) {
    const std::vector<uint8_t> kanjiAndDigits = {0x1B, 0x24, 0x42, 0x34, 0x41, 0x3B,
                                                 0x7A, 0x1B, 0x28, 0x42, '1',  '2'};
    const std::u16string base64 = base64Encode(kanjiAndDigits);
    struct Case {
        std::u16string base64;
        std::u16string text;
    };
    const Case cases[] = {
        {base64, u"漢字12"},
        {base64 + u"=MTI=", u"漢字12"}, // everything from the first "=" is ignored
        {base64 + u"?=junk", u"漢字12"},
        {u"YWJj", u"abc"},
        {u"YWJ", u"ab"}, // a cut group gives the bytes it completes
        {u"YW", u"a"},
        {u"Y", u""},
        {u"YW=j", u"a"}, // the "=" adds no byte and ends decoding
        {u"YWJ.j", u"ab"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        const auto text = decodeHeaderWord(c.base64);
        EXPECT_TRUE(text.ok());
        EXPECT_EQ(text.value, c.text);
    }
}

TEST(DecodeHeaderWord, HalfKanaModeFailureKeepsTheTextBefore) {
    // "a", SO, 0x31, 0x7F: ｱ is read, then 0x7F is no half-width katakana.
    const auto text = decodeHeaderWord(base64Encode(std::vector<uint8_t>{'a', 0x0E, 0x31, 0x7F}));
    EXPECT_FALSE(text.ok());
    EXPECT_EQ(text.value, u"aｱ");
}

} // namespace
} // namespace sarvo
