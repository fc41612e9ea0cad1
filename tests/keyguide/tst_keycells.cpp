#include "keyguide/keycells.h"

#include <gtest/gtest.h>

namespace sarvo::keyguide {
namespace {

TEST(KeyCells, CellsAreFiveCharactersPaddedWithIdeographicSpaces) {
    EXPECT_EQ(makeCell(u"５×４"), u"５×４　　");
    EXPECT_EQ(makeCell(u""), u"　　　　　");
    EXPECT_EQ(makeCell(u"１２３４５６"), u"１２３４５");
}

TEST(KeyCells, Counts) {
    struct Case {
        std::u16string_view text;
        std::optional<int> count;
    };
    const Case cases[] = {
        {u"５　　", 5},
        {u"１２　", 12},
        {u" 7 ", 7},
        {u"　　　", std::nullopt},
        {u"", std::nullopt},
        {u"×５", std::nullopt},
        {u"１ ２", std::nullopt},
        {u"９９９９９９９", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCount(c.text), c.count);
}

} // namespace
} // namespace sarvo::keyguide
