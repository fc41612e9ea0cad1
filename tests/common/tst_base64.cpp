#include "common/base64.h"

#include <gtest/gtest.h>

#include <random>

namespace sarvo {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

struct Vector {
    std::string_view plain;
    std::u16string_view encoded;
};

// The test vectors of RFC 4648, section 10.
class Base64VectorTest : public ::testing::TestWithParam<Vector> {};

TEST_P(Base64VectorTest, EncodesAndDecodes) {
    const Vector& v = GetParam();
    EXPECT_EQ(base64Encode(bytesOf(v.plain)), v.encoded);
    if (!v.plain.empty()) {
        EXPECT_EQ(base64Decode(v.encoded), bytesOf(v.plain));
    }
}

INSTANTIATE_TEST_SUITE_P(Rfc4648, Base64VectorTest,
                         ::testing::Values(Vector{"", u""}, Vector{"f", u"Zg=="},
                                           Vector{"fo", u"Zm8="}, Vector{"foo", u"Zm9v"},
                                           Vector{"foob", u"Zm9vYg=="},
                                           Vector{"fooba", u"Zm9vYmE="},
                                           Vector{"foobar", u"Zm9vYmFy"}, Vector{"abc", u"YWJj"}));

TEST(Base64Decode, OddInputDecodesAsTheGroupRulesSay) {
    struct Case {
        std::u16string_view text;
        std::optional<Bytes> bytes;
    };
    const Case cases[] = {
        {u"", std::nullopt},            // nothing to decode
        {u"\r\n \t", std::nullopt},     // only characters that are skipped
        {u"Q", std::nullopt},           // one symbol completes no byte
        {u"=", std::nullopt},           // padding alone
        {u"====", std::nullopt},        // a group that starts with "=" and goes on
        {u"YWJj=Q", std::nullopt},      // the same after a whole group
        {u"YQ==YQ==", Bytes{'a', 'a'}}, // joined encodings decode one after the other
        {u"YW\r\nJj", Bytes{'a', 'b', 'c'}},
        {u"YQ=B", Bytes{'a', 0x01}},            // a symbol after "=" still completes the group
        {u"Y=", Bytes{0x6F}},                   // "=" second: the byte takes its low bits
        {u"YWJjZA", Bytes{'a', 'b', 'c', 'd'}}, // no padding at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(base64Decode(c.text), c.bytes) << std::string(c.text.begin(), c.text.end());
}

TEST(Base64, RandomBytesRoundTripThroughTextBrokenAnywhere) {
    std::mt19937 rng(4648);
    for (int round = 0; round < 500; ++round) {
        Bytes bytes(1 + rng() % 200);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(rng());
        const std::u16string text = base64Encode(bytes);
        ASSERT_EQ(text.size(), (bytes.size() + 2) / 3 * 4);
        EXPECT_EQ(text.find_first_of(u"\r\n "), text.npos);
        EXPECT_EQ(base64Decode(text), bytes);

        std::u16string broken;
        for (char16_t c : text) {
            if (rng() % 7 == 0)
                broken += (rng() % 2) ? u"\r\n" : u" ";
            broken += c;
        }
        EXPECT_EQ(base64Decode(broken), bytes) << round;
    }
}

} // namespace
} // namespace sarvo
