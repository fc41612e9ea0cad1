#include "common/textcodec.h"
#include "keyguide/phonetypes.h"

#include <gtest/gtest.h>

#include <set>

namespace sarvo::keyguide {
namespace {

TEST(PhoneTypes, CatalogueOrderAndShortNames) {
    const auto types = phoneTypes();
    ASSERT_EQ(types.size(), 39u);
    // A to Z, then AA to AM, each at its fixed index.
    std::set<std::u16string_view> names;
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].index, static_cast<int>(i) + 2);
        std::u16string expected = u"Type-";
        if (i < 26) {
            expected += static_cast<char16_t>(u'A' + i);
        } else {
            expected += u'A';
            expected += static_cast<char16_t>(u'A' + (i - 26));
        }
        EXPECT_EQ(types[i].shortName(), expected);
        EXPECT_FALSE(types[i].capacity.empty());
        names.insert(types[i].shortName());
    }
    EXPECT_EQ(names.size(), 39u);
}

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

TEST(PhoneTypes, ViewSelectorEntries) {
    const auto entries = viewSelectorEntries();
    ASSERT_EQ(entries.size(), 41u);
    EXPECT_EQ(entries[0], u"音符入力 Alt+1");
    EXPECT_EQ(entries[1], u"５線譜入力 Alt+2");
    EXPECT_EQ(entries[2], phoneTypeByIndex(2)->label);
    EXPECT_EQ(entries[40], phoneTypeByIndex(40)->label);
}

} // namespace
} // namespace sarvo::keyguide
