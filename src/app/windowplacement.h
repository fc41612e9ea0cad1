#pragma once
// The main window's placement as the settings file keeps it in section "メイン": size and
// position in twips, the splitter's top and the widths of music box columns 1 to 7. Size and
// splitter are restored at start when present; the position is written but not read back, the
// window being centred on the screen at start.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvo::app {

inline constexpr std::u16string_view kPlacementSection = u"メイン";
inline constexpr int kStoredColumnCount = 7;

// Twips per inch: a twip is 1/1440 inch, so a pixel is 1440 / dpi twips.
inline constexpr int kTwipsPerInch = 1440;
int pixelsToTwips(int pixels, double dotsPerInch);
int twipsToPixels(int twips, double dotsPerInch);

struct WindowPlacement {
    std::optional<int> height; // twips
    std::optional<int> width;
    std::optional<int> top;
    std::optional<int> left;
    std::optional<int> splitTop;
    std::array<std::optional<int>, kStoredColumnCount> columnWidths{};

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Reads the keys that are restored at start; lookup returns a key's value ("" when missing).
// Values that are empty or not decimal numbers leave the design-time value (nullopt).
WindowPlacement readPlacement(const std::function<std::u16string(std::u16string_view key)>& lookup);

// The keys and values to write, in the order the window writes them: "SplitTop", the column
// widths "lvw1Width" to "lvw7Width", "Top", "Left", "Height", "Width". Missing values are left
// out.
std::vector<std::pair<std::u16string, std::u16string>>
placementEntries(const WindowPlacement& placement);

// Top-left corner that centres a window of this size on the available area of a screen.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point centredPosition(int areaX, int areaY, int areaWidth, int areaHeight, int width, int height);

} // namespace sarvo::app
