#include "formats/hexbytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

TEST(Str2Byte, ConvertsPairs) {
    struct Case {
        std::u16string hex;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {u"6D 65 6C 6F", {0x6D, 0x65, 0x6C, 0x6F}},
        {u"D1 0", {0xD1}},
        {u"D1", {0xD1}},
        {u"d1-0f", {0xD1, 0x0F}}, // lower case, and the separator is never looked at
        {u"D1 06 0F 05 00 01", {0xD1, 0x06, 0x0F, 0x05, 0x00, 0x01}},
    };
    for (const Case& c : cases) {
        RecordingInteractive ui;
        Bytes bytes = {0x99};
        EXPECT_TRUE(str2Byte(c.hex, bytes, ui));
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(Str2Byte, NoPairLeavesTheArray) {
    for (std::u16string_view hex : {u"", u"D"}) {
        RecordingInteractive ui;
        Bytes bytes = {1, 2, 3};
        EXPECT_FALSE(str2Byte(hex, bytes, ui));
        EXPECT_EQ(bytes, (Bytes{1, 2, 3}));
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(Str2Byte, BadPairIsReported) {
    struct Case {
        std::u16string hex;
        Bytes bytes;
        std::u16string message;
    };
    const std::vector<Case> cases = {
        {u"D1 XY 0F", {0xD1, 0x00, 0x00}, u"str2Byte 変換エラー &HXY"},
        {u"G1 02", {0x00, 0x00}, u"str2Byte 変換エラー &HG1"},
        {u"01 02 3ア", {0x01, 0x02, 0x00}, u"str2Byte 変換エラー &H3ア"},
    };
    for (const Case& c : cases) {
        RecordingInteractive ui;
        Bytes bytes;
        EXPECT_FALSE(str2Byte(c.hex, bytes, ui));
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(ui.messages(), std::vector<std::u16string>{c.message});
    }
}

TEST(HexBytes, RoundTripOverEveryByte) {
    Bytes all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<uint8_t>(b));
    RecordingInteractive ui;
    Bytes back;
    const std::u16string hex = byte2Str(all);
    EXPECT_EQ(hex.substr(0, 11), u"00 01 02 03");
    ASSERT_TRUE(str2Byte(hex, back, ui));
    EXPECT_EQ(back, all);
    EXPECT_EQ(byte2Str({}), u"");
}
TEST(SetNumBytes, BigEndianFields) {
    struct Case {
        uint32_t value;
        int width;
        Bytes field;
    };
    const std::vector<Case> cases = {
        {0xABCDEF, 4, {0x00, 0xAB, 0xCD, 0xEF}},
        {65535, 2, {0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        Bytes bytes(2 + c.field.size(), 0x77);
        setNumBytes(bytes, 1, c.value, c.width);
        Bytes expected = {0x77};
        expected.insert(expected.end(), c.field.begin(), c.field.end());
        expected.push_back(0x77);
        EXPECT_EQ(bytes, expected) << c.value;
    }
}

TEST(IsAsciiStr, StopsAtTheFirstWideCharacter) {
    struct Case {
        std::u16string text;
        bool ascii;
    };
    const std::vector<Case> cases = {
        {u"", true},          {u"abc 123~", true}, {std::u16string(1, u'\x7F'), true},
        {u"ab\u0080", false}, {u"あ", false},      {u"ｱ", false}, // half-width katakana
    };
    for (const Case& c : cases)
        EXPECT_EQ(isAsciiStr(c.text), c.ascii);
}

} // namespace
} // namespace sarvo::formats
