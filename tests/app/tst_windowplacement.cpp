// The window placement of section "メイン": what is read back at start, what is written and in
// which order, the twips conversion and the centring.

#include "app/windowplacement.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sarvo::app::centredPosition;
using sarvo::app::placementEntries;
using sarvo::app::Point;
using sarvo::app::readPlacement;
using sarvo::app::WindowPlacement;

using Section = std::map<std::u16string, std::u16string>;

WindowPlacement read(const Section& section) {
    return readPlacement([&section](std::u16string_view key) {
        const auto found = section.find(std::u16string(key));
        return found == section.end() ? std::u16string() : found->second;
    });
}

struct ReadCase {
    const char* name;
    Section section;
    std::optional<int> height;
    std::optional<int> width;
    std::optional<int> splitTop;
    std::optional<int> firstColumn;
};

void PrintTo(const ReadCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ReadPlacementTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadPlacementTest, RestoresSizeSplitterAndColumns) {
    const WindowPlacement placement = read(GetParam().section);
    EXPECT_EQ(placement.height, GetParam().height);
    EXPECT_EQ(placement.width, GetParam().width);
    EXPECT_EQ(placement.splitTop, GetParam().splitTop);
    EXPECT_EQ(placement.columnWidths[0], GetParam().firstColumn);
    // The position is never read back: the window is centred.
    EXPECT_FALSE(placement.top);
    EXPECT_FALSE(placement.left);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ReadPlacementTest,
    ::testing::Values(ReadCase{"Missing", {}, {}, {}, {}, {}},
                      ReadCase{"Full",
                               {{u"Height", u"7200"},
                                {u"Width", u"9600"},
                                {u"SplitTop", u"2400"},
                                {u"lvw1Width", u"1500"},
                                {u"Top", u"300"},
                                {u"Left", u"450"}},
                               7200,
                               9600,
                               2400,
                               1500},
                      ReadCase{
                          "EmptyValues", {{u"Height", u""}, {u"SplitTop", u"  "}}, {}, {}, {}, {}},
                      ReadCase{"NotANumber",
                               {{u"Height", u"abc"}, {u"Width", u"12x"}, {u"lvw1Width", u"１５"}},
                               {},
                               {},
                               {},
                               {}},
                      ReadCase{"Padded", {{u"Width", u" 8000 "}}, {}, 8000, {}, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(PlacementEntriesTest, WritesTheKeysInTheirOrder) {
    WindowPlacement placement;
    placement.splitTop = 2400;
    for (int column = 0; column < 7; ++column)
        placement.columnWidths[static_cast<size_t>(column)] = 1000 + column;
    placement.top = 300;
    placement.left = 450;
    placement.height = 7200;
    placement.width = 9600;
    const auto entries = placementEntries(placement);
    std::vector<std::u16string> keys;
    for (const auto& [key, value] : entries)
        keys.push_back(key);
    EXPECT_EQ(keys,
              (std::vector<std::u16string>{u"SplitTop", u"lvw1Width", u"lvw2Width", u"lvw3Width",
                                           u"lvw4Width", u"lvw5Width", u"lvw6Width", u"lvw7Width",
                                           u"Top", u"Left", u"Height", u"Width"}));
    EXPECT_EQ(entries[3].second, u"1002");
    EXPECT_EQ(entries.back().second, u"9600");

    // What is written reads back the same.
    Section section(entries.begin(), entries.end());
    WindowPlacement expected = placement;
    expected.top.reset();
    expected.left.reset();
    EXPECT_EQ(read(section), expected);
}

struct TwipsCase {
    int pixels;
    double dpi;
    int twips;
};

void PrintTo(const TwipsCase& testCase, std::ostream* out) {
    *out << testCase.pixels << " px at " << testCase.dpi << " dpi";
}

class TwipsTest : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsTest, ConvertsBothWays) {
    EXPECT_EQ(sarvo::app::pixelsToTwips(GetParam().pixels, GetParam().dpi), GetParam().twips);
    EXPECT_EQ(sarvo::app::twipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, TwipsTest,
                         ::testing::Values(TwipsCase{96, 96.0, 1440}, TwipsCase{1, 96.0, 15},
                                           TwipsCase{120, 120.0, 1440}, TwipsCase{640, 96.0, 9600},
                                           TwipsCase{100, 144.0, 1000}));

TEST(CentredPositionTest, PutsTheWindowInTheMiddleOfTheArea) {
    EXPECT_EQ(centredPosition(0, 0, 1920, 1080, 800, 600), (Point{560, 240}));
    // A second screen to the right, its area below a top panel.
    EXPECT_EQ(centredPosition(1920, 32, 1280, 992, 640, 480), (Point{2240, 288}));
    // A window larger than the area overlaps it evenly on both sides.
    EXPECT_EQ(centredPosition(0, 0, 800, 600, 1000, 700), (Point{-100, -50}));
}

} // namespace
