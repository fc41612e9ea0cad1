#include "common/headerwords.h"

#include "common/base64.h"
#include "japanesetext.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo {
namespace {

using Bytes = std::vector<uint8_t>;

// Vectors of RFC 4648 (section 10) encode and decode both ways; odd texts decode by the group
// rules: skipped characters, "=" first in a group, joined encodings, a symbol after "=".
TEST(Base64, VectorsAndOddTexts) {
    struct Case {
        std::u16string_view text;
        std::optional<Bytes> bytes;
        bool encoded; // base64Encode writes this text for these bytes
    };
    // clang-format off
    const Case cases[] = {
        {u"", std::nullopt, false},       {u"Zg==", Bytes{'f'}, true},
        {u"Zm8=", Bytes{'f', 'o'}, true}, {u"Zm9vYmFy", Bytes{'f', 'o', 'o', 'b', 'a', 'r'}, true},
        {u"\r\n \t", std::nullopt, false}, {u"Q", std::nullopt, false},
        {u"====", std::nullopt, false},    {u"YQ==YQ==", Bytes{'a', 'a'}, false},
        {u"YQ=B", Bytes{'a', 0x01}, false}, {u"Y=", Bytes{0x6F}, false},
        {u"YWJjZA", Bytes{'a', 'b', 'c', 'd'}, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(base64Decode(c.text), c.bytes) << std::string(c.text.begin(), c.text.end());
        EXPECT_TRUE(!c.encoded || base64Encode(*c.bytes) == c.text);
    }
    EXPECT_EQ(base64Encode({}), u"");
}

TEST(Base64, RandomBytesRoundTripThroughTextBrokenAnywhere) {
    std::mt19937 rng(4648);
    for (int round = 0; round < 500; ++round) {
        Bytes bytes(1 + rng() % 200);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(rng());
        const std::u16string text = base64Encode(bytes);
        ASSERT_EQ(text.size(), (bytes.size() + 2) / 3 * 4);
        std::u16string broken;
        for (char16_t c : text) {
            if (rng() % 7 == 0)
                broken += (rng() % 2) ? u"\r\n" : u" ";
            broken += c;
        }
        EXPECT_EQ(base64Decode(text), bytes);
        EXPECT_EQ(base64Decode(broken), bytes) << round;
    }
}


// Splits a header into its encoded words and the ASCII between them, decoding every word and
// dropping the one blank the encoder writes after it: the inverse of encodeHeader.
struct Unpacked {
    std::u16string text;
    std::vector<std::u16string> words;
};

Unpacked unpack(std::u16string_view header) {
    Unpacked result;
    for (size_t pos = 0; pos < header.size();) {
        const size_t start = std::min(header.find(kEncodedWordPrefix, pos), header.size());
        result.text += header.substr(pos, start - pos);
        if (start == header.size())
            break;
        const size_t body = start + kEncodedWordPrefix.size();
        const size_t end = header.find(kEncodedWordSuffix, body);
        EXPECT_NE(end, header.npos);
        result.words.emplace_back(header.substr(start, end + 2 - start));
        const auto decoded = decodeHeaderWord(header.substr(body, end - body));
        EXPECT_TRUE(decoded.ok());
        result.text += decoded.value;
        EXPECT_EQ(header.substr(end + 2, 1), u" ") << "no blank after an encoded word";
        pos = end + 3;
    }
    return result;
}

TEST(EncodeHeader, KnownWordAndWhatCannotBeWritten) {
    // The ISO-2022-JP bytes of あ are 1B 24 42 24 22 1B 28 42.
    EXPECT_EQ(encodeHeaderWord(u"あ").value, u"=?ISO-2022-JP?B?GyRCJCIbKEI=?=");
    EXPECT_FALSE(encodeHeader(u"abc ｱｲｳ").ok()); // half-width katakana
    EXPECT_FALSE(encodeHeader(u"漢字\U0001F600").ok());
}

// Runs of at most eighteen characters a word, each word followed by one blank.
TEST(EncodeHeader, SplitsRunsIntoWords) {
    struct Case {
        std::u16string text;
        std::vector<size_t> wordCharacters; // characters encoded in each word, in order
        std::u16string ascii; // the header with every word and its blank replaced by "*"
    };
    const Case cases[] = {
        {u"Subject: plain ascii", {}, u"Subject: plain ascii"},
        {std::u16string(18, u'漢'), {18}, u"*"},
        {std::u16string(20, u'漢'), {18, 2}, u"**"},
        {u"テスト abc", {3}, u"* abc"}, // the blank after a word and the blank of the text
        {u"Subject: 曲名[歌手]", {2, 2}, u"Subject: *[*]"},
    };
    for (const Case& c : cases) {
        const auto header = encodeHeader(c.text);
        ASSERT_TRUE(header.ok());
        const Unpacked unpacked = unpack(header.value);
        EXPECT_EQ(unpacked.text, c.text);
        ASSERT_EQ(unpacked.words.size(), c.wordCharacters.size());
        std::u16string shape = header.value;
        for (size_t i = 0; i < unpacked.words.size(); ++i) {
            const std::u16string& word = unpacked.words[i];
            // Two bytes a character and two escapes of three bytes, in base64.
            EXPECT_EQ(word.size(), 18 + (2 * c.wordCharacters[i] + 6 + 2) / 3 * 4);
            shape.replace(shape.find(word), word.size() + 1, u"*");
        }
        EXPECT_EQ(shape, c.ascii);
    }
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

TEST(FoldHeaderLines, BreaksBeforeTheWordThatPassesSeventyFive) {
    const std::u16string x70(70, u'x');
    const std::u16string y80(80, u'y');
    const std::pair<std::u16string, std::u16string> cases[] = {
        // Exactly 75 characters stay; the word that makes 76 goes to a continuation line.
        {x70 + u" abcd\r\n", x70 + u" abcd\r\n"},
        {x70 + u" abcde\r\n", x70 + u"\r\n abcde\r\n"},
        // A word longer than 75 is never split.
        {y80 + u" z\r\n", y80 + u"\r\n z\r\n"},
        {u"a " + y80 + u"\r\n", u"a\r\n " + y80 + u"\r\n"},
        // Two blanks give an empty word that still counts its separator.
        {x70 + u"  abcd\r\n", x70 + u" \r\n abcd\r\n"},
        // Continuation lines fill up to 75 characters after their blank.
        {x70 + u" " + x70 + u" " + x70 + u"\r\n", x70 + u"\r\n " + x70 + u"\r\n " + x70 + u"\r\n"},
        // A last line without CRLF is folded and stays without.
        {x70 + u" abcdef", x70 + u"\r\n abcdef"},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(foldHeaderLines(text), folded);
}

TEST(DecodeHeaderWord, StopsAtPaddingOrAForeignCharacter) {
    const std::u16string kanji = base64Encode(
        Bytes{0x1B, 0x24, 0x42, 0x34, 0x41, 0x3B, 0x7A, 0x1B, 0x28, 0x42, '1', '2'});
    struct Case {
        std::u16string base64;
        std::u16string text;
        bool ok;
    };
    const Case cases[] = {
        {kanji, u"漢字12", true},
        {kanji + u"=MTI=", u"漢字12", true}, // everything from the first "=" is ignored
        {u"YWJ", u"ab", true}, // a cut group gives the bytes it completes
        {u"Y", u"", true},
        {u"YW=j", u"a", true}, // the "=" adds no byte and ends decoding
        {u"YWJ.j", u"ab", true},
        // "a", SO, 0x31, 0x7F: ｱ is read, then 0x7F is no half-width katakana.
        {base64Encode(Bytes{'a', 0x0E, 0x31, 0x7F}), u"aｱ", false},
    };
    for (const Case& c : cases) {
        const auto text = decodeHeaderWord(c.base64);
        EXPECT_EQ(text.ok(), c.ok);
        EXPECT_EQ(text.value, c.text);
    }
}

} // namespace
} // namespace sarvo
