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

TEST(PhoneTypes, LabelsAndCapacityTexts) {
    struct Case {
        int index;
        std::u16string_view label, capacity;
    };
    const Case cases[] = {
        {2, u"Type-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3]", u"30音　低音なし"},
        {3, u"Type-B [N206S,N206,M206,TH781,HD60N,N3(中国)]",
         u"50音 中音ド～高音ド ＃(半音上)なし"},
        {24, u"Type-W [SA207]", u"256音　低音ファ～高温ド"},
        {29, u"Type-AB [P208,P502i]", u"124音　低・中・高音全てOK"},
        {35, u"Type-AH [DL-S100]", u"200音(半音=2音)　中音ド～高温ミ"},
        {40, u"Type-AM [NM502i]", u"256音　低・中・高音全てOK"},
    };
    for (const Case& c : cases) {
        const PhoneType* type = phoneTypeByIndex(c.index);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->label, c.label);
        EXPECT_EQ(type->capacity, c.capacity);
    }
    EXPECT_EQ(phoneTypeByIndex(1), nullptr);
    EXPECT_EQ(phoneTypeByIndex(41), nullptr);
}

TEST(PhoneTypes, ListAndCableLabels) {
    EXPECT_EQ(phoneTypeByIndex(2)->listLabel,
              u"Type-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3,P3sw]");
    EXPECT_EQ(phoneTypeByIndex(6)->listLabel,
              u"Type-E [P207,P601ev,P157,P501i,J-P01,531G,537G,TH091/2,D101P,P4,EB-PD500S]");
    EXPECT_EQ(phoneTypeByIndex(3)->listLabel, phoneTypeByIndex(3)->label);

    std::set<std::u16string_view> cable;
    for (const PhoneType& type : phoneTypes())
        if (!type.cableLabel.empty())
            cable.insert(type.shortName());
    EXPECT_EQ(cable, (std::set<std::u16string_view>{u"Type-E", u"Type-O", u"Type-S", u"Type-AA",
                                                    u"Type-AB", u"Type-AC", u"Type-AD"}));
    EXPECT_EQ(phoneTypeByIndex(16)->cableLabel, u"Type-O [N207,N207S,N601ps]");
    EXPECT_EQ(phoneTypeByIndex(28)->cableLabel, u"Type-AA [N208,N208S]");
}

TEST(PhoneTypes, LookupByShortName) {
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
