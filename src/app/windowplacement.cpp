#include "app/windowplacement.h"

#include <cmath>

namespace sarvo::app {

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

Point centredPosition(int areaX, int areaY, int areaWidth, int areaHeight, int width, int height) {
    return {areaX + (areaWidth - width) / 2, areaY + (areaHeight - height) / 2};
}

} // namespace sarvo::app
