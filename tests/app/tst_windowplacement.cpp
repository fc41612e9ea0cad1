// The arithmetic of the window placement: twips and pixels, and the centring on a screen.

#include "app/windowplacement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using sarvo::app::centredPosition;
using sarvo::app::Point;

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
