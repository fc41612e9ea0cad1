#include "keyguide/phonetypes.h"

#include <gtest/gtest.h>

namespace sarvo::keyguide {
namespace {

TEST(PhoneTypes, LookupByIndexAndShortName) {
    EXPECT_EQ(phoneTypeByIndex(1), nullptr);
    EXPECT_EQ(phoneTypeByIndex(41), nullptr);
    EXPECT_EQ(phoneTypeByShortName(u"Type-A")->index, 2);
    EXPECT_EQ(phoneTypeByShortName(u"type-ab")->index, 29);
    EXPECT_EQ(phoneTypeByShortName(u"Type-AM")->index, 40);
    EXPECT_EQ(phoneTypeByShortName(u"Type-AN"), nullptr);
    EXPECT_EQ(phoneTypeByShortName(u"Type-"), nullptr);
    EXPECT_EQ(shortNameOf(u"Type-E [P207]"), u"Type-E");
    EXPECT_EQ(shortNameOf(u"NoBlank"), u"NoBlank");
}

} // namespace
} // namespace sarvo::keyguide
