// The 24-bit picture in memory: red, green, blue bytes per pixel, rows top-down with no
// padding (stride = width * 3). The pixel buffer is allocated by the codec layer and freed
// by its holder.
#pragma once

struct RgbImage {
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// An 8-bit palette picture (GIF, WBMP): one index per pixel, rows top-down, no padding.
// `indices` is allocated like RgbImage::pixels.
struct PaletteImage {
    unsigned char* indices = nullptr;
    int width = 0;
    int height = 0;
    unsigned char palette[256][3] = {};  // red, green, blue
    int paletteSize = 0;
    int transparentIndex = -1;  // reported by GIF; the 24-bit expansion ignores it
};
