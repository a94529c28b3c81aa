#include "app/wallpaper/picture_layout.h"

#include <cmath>

#include "base/round_half_down.h"

void CentrePicture(int areaWidth, int areaHeight, int width, int height, int& x, int& y) {
    x = RoundHalfDown((static_cast<double>(areaWidth) - static_cast<double>(width)) / 2.0);
    y = RoundHalfDown((static_cast<double>(areaHeight) - static_cast<double>(height)) / 2.0);
}

void FitPicture(int areaWidth, int areaHeight, int width, int height, int& fitWidth, int& fitHeight) {
    double areaRatio = static_cast<double>(areaWidth) / static_cast<double>(areaHeight);
    double pictureRatio = static_cast<double>(width) / static_cast<double>(height);
    double scale = areaRatio <= pictureRatio ? static_cast<double>(width) / static_cast<double>(areaWidth)
                                             : static_cast<double>(height) / static_cast<double>(areaHeight);
    fitWidth = RoundHalfDown(static_cast<double>(width) / scale);
    fitHeight = RoundHalfDown(static_cast<double>(height) / scale);
}

PicturePlacement PlacePicture(int areaWidth, int areaHeight, int width, int height, uint8_t presentation) {
    PicturePlacement placement;
    placement.width = width;
    placement.height = height;
    if (areaWidth <= 0 || areaHeight <= 0 || width <= 0 || height <= 0) {
        placement.drawn = false;  // nothing to lay out, and nothing to divide by
        return placement;
    }
    switch (presentation) {
        case 0:
            placement.columns = static_cast<int>(std::ceil(static_cast<double>(areaWidth) / width));
            placement.rows = static_cast<int>(std::ceil(static_cast<double>(areaHeight) / height));
            break;
        case 1:
            CentrePicture(areaWidth, areaHeight, width, height, placement.x, placement.y);
            break;
        case 2:
            placement.width = areaWidth;
            placement.height = areaHeight;
            break;
        case 3:
            FitPicture(areaWidth, areaHeight, width, height, placement.width, placement.height);
            CentrePicture(areaWidth, areaHeight, placement.width, placement.height, placement.x, placement.y);
            break;
        default:
            placement.drawn = false;
            break;
    }
    return placement;
}
