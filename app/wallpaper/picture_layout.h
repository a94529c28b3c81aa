// The arithmetic of the four presentations: where the picture goes on the area and at what
// size. Every position and size is rounded with RoundHalfDown; divisions are done in double
// precision. Used by ComposePicture and by anything that must know the layout in advance
// (for instance how small a JPEG may be decoded).
#pragma once

#include <cstdint>

// A rectangle by its edges, like the system's RECT.
struct AreaRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct PicturePlacement {
    int x = 0;  // top-left corner on the area; negative when the picture is cropped
    int y = 0;
    int width = 0;  // size the picture is drawn at (after resizing)
    int height = 0;
    int columns = 1;  // tiled: copies across and down; otherwise 1 and 1
    int rows = 1;
    bool drawn = true;  // false for an unknown presentation: the area keeps its background
};

// Centred: x = RoundHalfDown((W - w) / 2), y likewise, on signed values.
void CentrePicture(int areaWidth, int areaHeight, int width, int height, int& x, int& y);

// Stretched keeping the aspect ratio: the largest size that fits the area. If W / H <= w / h
// the scale is w / W, else h / H; the size is RoundHalfDown(w / scale) x RoundHalfDown(h /
// scale).
void FitPicture(int areaWidth, int areaHeight, int width, int height, int& fitWidth, int& fitHeight);

// The placement of a w x h picture on a W x H area for a presentation (0 tiled, 1 centred,
// 2 stretched, 3 stretched keeping the aspect ratio, anything else nothing). An empty area or
// picture is not drawn.
[[nodiscard]] PicturePlacement PlacePicture(int areaWidth, int areaHeight, int width, int height, uint8_t presentation);

// The presentation of a picture shown alone on the screen (the full-screen preview, a picture
// file opened from the command line): fitted when it is at least 640 pixels wide or 480 high,
// otherwise centred at its own size.
[[nodiscard]] constexpr uint8_t FullScreenPresentation(int width, int height) {
    return width >= 640 || height >= 480 ? 3 : 1;
}
