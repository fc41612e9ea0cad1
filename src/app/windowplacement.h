#pragma once
// The arithmetic of the window placement that the settings file keeps in section "メイン":
// sizes are stored in twips, and the window is centred on its screen at start.

namespace sarvo::app {

// Twips per inch: a twip is 1/1440 inch, so a pixel is 1440 / dpi twips.
inline constexpr int kTwipsPerInch = 1440;
int pixelsToTwips(int pixels, double dotsPerInch);
int twipsToPixels(int twips, double dotsPerInch);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Top-left corner that centres a window of this size on the available area of a screen.
Point centredPosition(int areaX, int areaY, int areaWidth, int areaHeight, int width, int height);

} // namespace sarvo::app
