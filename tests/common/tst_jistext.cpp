#include "common/jistext.h"

#include "japanesetext.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace sarvo {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kToTwoByte = {0x1B, 0x24, 0x42};
const Bytes kToAscii = {0x1B, 0x28, 0x42};

Bytes join(std::initializer_list<Bytes> pieces) {
    Bytes all;
    for (const Bytes& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

std::u16string asText(const Bytes& bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

// The system's own Shift_JIS to ISO-2022-JP converter, an implementation independent of ours;
// nullopt for text outside the JIS X 0208 set it knows.
std::optional<Bytes> systemJis(const std::string& sjis) {
    iconv_t cd = iconv_open("ISO-2022-JP", "SHIFT_JIS");
    std::string out(sjis.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(sjis.data());
    size_t inLeft = sjis.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft); // the closing escape
    iconv_close(cd);
    if (converted == static_cast<size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return Bytes(out.begin(), out.end());
}

struct PairCase {
    uint8_t lead, trail;
    JisPair jis;
};

class SjisToJisPairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(SjisToJisPairTest, ConvertsOrZeroes) {
    const PairCase& c = GetParam();
    EXPECT_EQ(sjisToJisPair(c.lead, c.trail), c.jis);
}

// Valid pairs are checked all at once below and against the system converter; these are the
// edges of the convertible range.
INSTANTIATE_TEST_SUITE_P(
    Pairs, SjisToJisPairTest,
    ::testing::Values(PairCase{0x9F, 0xFC, {0x5E, 0x7E}}, PairCase{0xE0, 0x40, {0x5F, 0x21}},
                      PairCase{0xF0, 0x40, {0, 0}}, // user-defined area
                      PairCase{0x80, 0x40, {0, 0}}, PairCase{0xA0, 0x40, {0, 0}},
                      PairCase{0x82, 0x3F, {0, 0}}, PairCase{0x82, 0x7F, {0, 0}},
                      PairCase{0x82, 0xFD, {0, 0}}));

struct JisPairCase {
    unsigned first, second;
    char16_t character;
};

class JisToSjisPairTest : public ::testing::TestWithParam<JisPairCase> {};

TEST_P(JisToSjisPairTest, ConvertsOrGivesCodeZero) {
    const JisPairCase& c = GetParam();
    EXPECT_EQ(jisToSjisPair(c.first, c.second), c.character);
}

INSTANTIATE_TEST_SUITE_P(Pairs, JisToSjisPairTest,
                         ::testing::Values(JisPairCase{0x7F, 0x21, 0}, // row 95
                                           JisPairCase{0x1F, 0x21, 0}, JisPairCase{0x21, 0x1F, 0},
                                           JisPairCase{0x21, 0x7F, 0}, // cell 95
                                           JisPairCase{0x21, 0x20, 0}, // cell 0
                                           JisPairCase{0x29, 0x21, 0}, // row 9 is unassigned
                                           JisPairCase{0x7E, 0x7E, 0}  // unassigned code EFFC
                                           ));

TEST(JisPairs, EveryConvertibleShiftJisPairComesBack) {
    for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF)
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
            const JisPair jis =
                sjisToJisPair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            ASSERT_GE(jis.first, 0x21) << std::hex << code;
            ASSERT_LE(jis.first, 0x7E) << std::hex << code;
            ASSERT_EQ(jisToSjisPair(jis.first, jis.second), charOfCp932(code).value_or(0))
                << std::hex << code;
        }
    }
}

struct EncodeCase {
    std::u16string text;
    Bytes jis;
};

class JisEncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(JisEncodeTest, WritesEscapesAroundTwoByteRuns) {
    const EncodeCase& c = GetParam();
    const auto bytes = textToJisBytes(c.text);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.value, c.jis);
    const auto text = sjisToJisText(c.text);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value, asText(c.jis));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JisEncodeTest,
    ::testing::Values(
        EncodeCase{u"", {}}, EncodeCase{u"abc 12", {'a', 'b', 'c', ' ', '1', '2'}},
        EncodeCase{u"あ", join({kToTwoByte, {0x24, 0x22}, kToAscii})},
        EncodeCase{u"aあいb", join({{'a'}, kToTwoByte, {0x24, 0x22, 0x24, 0x24}, kToAscii, {'b'}})},
        EncodeCase{
            u"あaい",
            join({kToTwoByte, {0x24, 0x22}, kToAscii, {'a'}, kToTwoByte, {0x24, 0x24}, kToAscii})},
        // A user-defined character has no JIS pair: two zero bytes.
        EncodeCase{u"\uE000", join({kToTwoByte, {0, 0}, kToAscii})},
        // The yen sign is written with the code page 932 byte it shares with "\".
        EncodeCase{u"\u00A5", {0x5C}}));

struct FailureCase {
    std::u16string text;
    size_t convertedBefore; // bytes written before the character that stopped the conversion
};

class JisEncodeFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(JisEncodeFailureTest, StopsAtCharacterWithoutTwoByteForm) {
    const FailureCase& c = GetParam();
    const auto bytes = textToJisBytes(c.text);
    EXPECT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.value.size(), c.convertedBefore);
    const auto text = sjisToJisText(c.text);
    EXPECT_FALSE(text.ok());
    EXPECT_EQ(text.value.size(), c.convertedBefore);
}

INSTANTIATE_TEST_SUITE_P(Texts, JisEncodeFailureTest,
                         ::testing::Values(FailureCase{u"ｱ", 0}, FailureCase{u"abｱ", 2},
                                           FailureCase{u"あｱ", 5}, FailureCase{u"a\U0001F600", 1},
                                           FailureCase{u"\u00E9", 0}));

struct DecodeCase {
    Bytes jis;
    std::u16string text;
};

class JisBytesDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(JisBytesDecodeTest, ReadsModesAndShifts) {
    const DecodeCase& c = GetParam();
    const auto text = jisBytesToText(c.jis);
    ASSERT_TRUE(text.ok()) << std::string(text.error.begin(), text.error.end());
    EXPECT_EQ(text.value, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, JisBytesDecodeTest,
    ::testing::Values(DecodeCase{{0x0E, 0x31, 0x32, 0x0F}, u"ｱｲ"},
                      DecodeCase{join({kToAscii, {'1', '2'}}), u"12"},
                      DecodeCase{join({kToTwoByte, {0x24, 0x22}, kToAscii}), u"あ"},
                      DecodeCase{{0x0E, 0x20, 0x5F, 0x0F, 'a'}, u" ﾟa"},
                      // SO and SI act inside two-byte mode too.
                      DecodeCase{join({kToTwoByte, {0x24, 0x22, 0x0E, 0x31, 0x0F, 'x'}}), u"あｱx"},
                      // ESC ( J is no escape in byte form: its bytes are data.
                      DecodeCase{{0x1B, 0x28, 0x4A}, u"\x1B(J"},
                      // Fewer than three bytes left: no escape can start there.
                      DecodeCase{{'a', 0x1B, 0x24}, u"a\x1B$"},
                      // A first byte without its second is dropped.
                      DecodeCase{join({kToTwoByte, {0x24, 0x22, 0x24}}), u"あ"},
                      // An unconvertible pair reads as U+0000.
                      DecodeCase{join({kToTwoByte, {0x7F, 0x21}, kToAscii}),
                                 std::u16string(1, u'\0')}));

TEST(JisBytesDecode, HalfKanaModeRefusesBytesOutsideItsRange) {
    struct Case {
        Bytes jis;
        std::u16string before;
    };
    const Case cases[] = {{{0x0E, 0x60}, u""},
                          {{'a', 0x0E, 0x31, 0x1F, 0x31}, u"aｱ"},
                          {{0x0E, 0x1B, 0x28}, u""},
                          {join({kToTwoByte, {0x24, 0x22, 0x0E, 0x7E}}), u"あ"}};
    for (const Case& c : cases) {
        const auto text = jisBytesToText(c.jis);
        EXPECT_FALSE(text.ok());
        EXPECT_EQ(text.value, c.before);
    }
}

TEST(JisTextDecode, AcceptsRomanEscapeAndTakesShiftsAsData) {
    struct Case {
        std::u16string jis;
        std::u16string text;
    };
    const Case cases[] = {
        {u"\x1B$B$\"\x1B(J12", u"あ12"},
        {u"\x1B$B$\"$$\x1B(B", u"あい"},
        {u"\x1B$B$\"$", u"あ"},
        {u"\x0E\x31\x0F", u"\x0E\x31\x0F"},
        {u"\x1B$", u"\x1B$"},
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jisTextToSjis(c.jis), c.text);
}

TEST(JisRoundTrip, RandomTextsComeBackAndMatchTheSystemConverter) {
    std::mt19937 rng(20240501);
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        std::u16string text = testing::randomJapaneseText(rng, rng() % 40, 0.4);
        const auto bytes = textToJisBytes(text);
        ASSERT_TRUE(bytes.ok());
        const auto back = jisBytesToText(bytes.value);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.value, text);
        EXPECT_EQ(jisTextToSjis(sjisToJisText(text).value), text);

        // The system converter reads 0x5C and 0x7E as JIS-Roman; compare on the other texts.
        std::string sjis;
        bool roman = false;
        for (char16_t c : text) {
            const uint16_t code = *cp932CodeOf(c);
            roman = roman || code == 0x5C || code == 0x7E;
            if (code > 0xFF)
                sjis.push_back(static_cast<char>(code >> 8));
            sjis.push_back(static_cast<char>(code & 0xFF));
        }
        const auto expected = systemJis(sjis);
        if (roman || !expected)
            continue;
        EXPECT_EQ(bytes.value, *expected) << round;
        ++compared;
    }
    EXPECT_GT(compared, 30);
}

TEST(ShiftJisBytes, LeadAndTrailOfOneAndTwoByteForms) {
    struct Case {
        char16_t c;
        std::optional<uint8_t> lead, trail;
    };
    const Case cases[] = {{u'あ', 0x82, 0xA0},
                          {u'中', 0x92, 0x86},
                          {u'a', 0x61, std::nullopt},
                          {u'ｱ', 0xB1, std::nullopt},
                          {char16_t(0xD800), std::nullopt, std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(sjisLeadByte(c.c), c.lead);
        EXPECT_EQ(sjisTrailByte(c.c), c.trail);
    }
}

TEST(HalfKanaTable, BlankThenTheKatakanaInCodeOrder) {
    EXPECT_EQ(halfKanaTable[0], u' ');
    for (unsigned b = 0x21; b <= 0x5F; ++b)
        EXPECT_EQ(halfKanaTable[b - 0x20], charOfCp932(static_cast<uint16_t>(b + 0x80))) << b;
}

} // namespace
} // namespace sarvo
