#include "formats/hexbytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarvo::formats {
namespace {

// Pairs of hex digits, the separator never looked at; a bad pair is reported and the bytes read
// so far stay, with zeroes for the rest; without a whole pair the array is left as it was.
TEST(Str2Byte, PairsAndFailures) {
    struct Case {
        std::u16string hex;
        bool ok;
        Bytes bytes;
        std::vector<std::u16string> messages;
    };
    // clang-format off
    const Case cases[] = {
        {u"6D 65 6C 6F", true, {0x6D, 0x65, 0x6C, 0x6F}, {}},
        {u"D1 0", true, {0xD1}, {}},
        {u"d1-0f", true, {0xD1, 0x0F}, {}},
        {u"", false, {0x99}, {}},
        {u"D", false, {0x99}, {}},
        {u"D1 XY 0F", false, {0xD1, 0x00, 0x00}, {u"str2Byte 変換エラー &HXY"}},
        {u"G1 02", false, {0x00, 0x00}, {u"str2Byte 変換エラー &HG1"}},
        {u"01 02 3ア", false, {0x01, 0x02, 0x00}, {u"str2Byte 変換エラー &H3ア"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        RecordingInteractive ui;
        Bytes bytes = {0x99};
        EXPECT_EQ(str2Byte(c.hex, bytes, ui), c.ok);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(ui.messages(), c.messages);
    }
}

TEST(HexBytes, RoundTripOverEveryByteAndFields) {
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
    Bytes field(6, 0x77);
    setNumBytes(field, 1, 0xABCDEF, 4);
    EXPECT_EQ(field, (Bytes{0x77, 0x00, 0xAB, 0xCD, 0xEF, 0x77}));
    setNumBytes(field, 0, 65535, 2);
    EXPECT_EQ(field, (Bytes{0xFF, 0xFF, 0xAB, 0xCD, 0xEF, 0x77}));
}

TEST(IsAsciiStr, StopsAtTheFirstWideCharacter) {
    EXPECT_TRUE(isAsciiStr(u""));
    EXPECT_TRUE(isAsciiStr(u"abc 123~\x7F"));
    EXPECT_FALSE(isAsciiStr(u"ab\u0080"));
    EXPECT_FALSE(isAsciiStr(u"ｱ")); // half-width katakana
}

} // namespace
} // namespace sarvo::formats
