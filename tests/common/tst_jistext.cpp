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

// The system's own Shift_JIS to ISO-2022-JP converter, an implementation independent of ours;
// nullopt for text outside the JIS X 0208 set it knows.
std::optional<Bytes> systemJis(std::string sjis) {
    iconv_t cd = iconv_open("ISO-2022-JP", "SHIFT_JIS");
    std::string out(sjis.size() * 4 + 16, '\0');
    char *in = sjis.data(), *outPtr = out.data();
    size_t inLeft = sjis.size(), outLeft = out.size();
    const size_t converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft); // the closing escape
    iconv_close(cd);
    if (converted == static_cast<size_t>(-1))
        return std::nullopt;
    return Bytes(out.begin(), out.end() - static_cast<long>(outLeft));
}

// Every convertible pair is checked at once here; the edges of the ranges give zeroes.
TEST(JisPairs, EveryConvertibleShiftJisPairComesBackAndTheEdgesGiveZero) {
    for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if ((lead >= 0xA0 && lead <= 0xDF) || trail == 0x7F)
                continue;
            const uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
            const JisPair jis =
                sjisToJisPair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            ASSERT_TRUE(jis.first >= 0x21 && jis.first <= 0x7E) << std::hex << code;
            ASSERT_EQ(jisToSjisPair(jis.first, jis.second), charOfCp932(code).value_or(0))
                << std::hex << code;
        }
    }
    EXPECT_EQ(sjisToJisPair(0xE0, 0x40), (JisPair{0x5F, 0x21}));
    // clang-format off
    for (auto [lead, trail] : {std::pair{0xF0, 0x40}, {0x80, 0x40}, {0xA0, 0x40}, {0x82, 0x3F},
                               {0x82, 0x7F}, {0x82, 0xFD}}) // 0xF0: the user-defined area
        EXPECT_EQ(sjisToJisPair(uint8_t(lead), uint8_t(trail)), JisPair{});
    // Rows and cells 0 and 95, row 9 (unassigned), the unassigned code EFFC.
    for (auto [first, second] : {std::pair{0x7F, 0x21}, {0x1F, 0x21}, {0x21, 0x1F}, {0x21, 0x7F},
                                 {0x21, 0x20}, {0x29, 0x21}, {0x7E, 0x7E}})
        EXPECT_EQ(jisToSjisPair(first, second), 0);
    // clang-format on
    EXPECT_EQ(sjisLeadByte(u'あ'), 0x82);
    EXPECT_EQ(sjisTrailByte(u'あ'), 0xA0);
    EXPECT_FALSE(sjisTrailByte(u'ｱ'));
    EXPECT_FALSE(sjisLeadByte(char16_t(0xD800)));
}

TEST(JisEncode, WritesEscapesAroundTwoByteRunsOrStopsWhereNoFormIs) {
    struct Case {
        std::u16string text;
        Bytes jis;
        bool ok = true;
    };
    const Case cases[] = {
        {u"aあいb", join({{'a'}, kToTwoByte, {0x24, 0x22, 0x24, 0x24}, kToAscii, {'b'}})},
        {u"あaい",
         join({kToTwoByte, {0x24, 0x22}, kToAscii, {'a'}, kToTwoByte, {0x24, 0x24}, kToAscii})},
        {u"\uE000", join({kToTwoByte, {0, 0}, kToAscii})}, // user-defined: no JIS pair
        {u"\u00A5", {0x5C}}, // the yen sign shares its code page 932 byte with "\"
        // A character without a two-byte form stops the text, keeping what was written before.
        {u"ｱ", {}, false},
        {u"abｱ", {'a', 'b'}, false},
        {u"あｱ", {0x1B, 0x24, 0x42, 0x24, 0x22}, false},
        {u"a\U0001F600", {'a'}, false},
    };
    for (const Case& c : cases) {
        const auto bytes = textToJisBytes(c.text);
        EXPECT_EQ(bytes.ok(), c.ok);
        EXPECT_EQ(bytes.value, c.jis);
        const auto text = sjisToJisText(c.text);
        EXPECT_EQ(text.ok(), c.ok);
        EXPECT_EQ(text.value, std::u16string(c.jis.begin(), c.jis.end()));
    }
}

TEST(JisDecode, ReadsModesAndShifts) {
    struct Case {
        Bytes jis;
        std::u16string text;
        bool ok = true;
    };
    const Case cases[] = {
        {{0x0E, 0x20, 0x5F, 0x0F, 'a'}, u" ﾟa"},
        // SO and SI act inside two-byte mode too.
        {join({kToTwoByte, {0x24, 0x22, 0x0E, 0x31, 0x0F, 'x'}}), u"あｱx"},
        {{0x1B, 0x28, 0x4A}, u"\x1B(J"}, // ESC ( J is no escape in byte form: its bytes are data
        {{'a', 0x1B, 0x24}, u"a\x1B$"},  // fewer than three bytes left: no escape
        {join({kToTwoByte, {0x24, 0x22, 0x24}}), u"あ"}, // a first byte without its second
        {join({kToTwoByte, {0x7F, 0x21}, kToAscii}), std::u16string(1, u'\0')}, // unconvertible
        // Half-width katakana mode refuses bytes outside its range, keeping the text before.
        {{0x0E, 0x60}, u"", false},
        {{'a', 0x0E, 0x31, 0x1F, 0x31}, u"aｱ", false},
        {{0x0E, 0x1B, 0x28}, u"", false},
    };
    for (const Case& c : cases) {
        const auto text = jisBytesToText(c.jis);
        EXPECT_EQ(text.ok(), c.ok);
        EXPECT_EQ(text.value, c.text);
    }
    // In text form ESC ( J is an escape and the shifts are data.
    EXPECT_EQ(jisTextToSjis(u"\x1B$B$\"\x1B(J12"), u"あ12");
    EXPECT_EQ(jisTextToSjis(u"\x1B$B$\"$"), u"あ");
    EXPECT_EQ(jisTextToSjis(u"\x0E\x31\x0F"), u"\x0E\x31\x0F");
    EXPECT_EQ(jisTextToSjis(u"\x1B$"), u"\x1B$");
}

TEST(JisRoundTrip, RandomTextsComeBackAndMatchTheSystemConverter) {
    std::mt19937 rng(20240501);
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        std::u16string text = testing::randomJapaneseText(rng, rng() % 40, 0.4);
        const auto bytes = textToJisBytes(text);
        ASSERT_TRUE(bytes.ok());
        EXPECT_EQ(jisBytesToText(bytes.value).value, text);
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

} // namespace
} // namespace sarvo
