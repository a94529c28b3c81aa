// Views of 24-bit pictures: the pixels (red, green, blue), the size and the distance between
// rows in bytes. A view never owns its pixels; it is how a picture is handed to an operation.
#pragma once

struct RgbView {
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row to the next, at least width * 3
};

struct ConstRgbView {
    const unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    ConstRgbView() = default;
    ConstRgbView(const unsigned char* pixels_, int width_, int height_, int stride_)
        : pixels(pixels_), width(width_), height(height_), stride(stride_) {}
    ConstRgbView(const RgbView& view)  // NOLINT: a writable view may always be read
        : pixels(view.pixels), width(view.width), height(view.height), stride(view.stride) {}
};

// The rectangle of `view` at (x, y) of width × height, which must lie inside it.
[[nodiscard]] inline RgbView RegionOf(const RgbView& view, int x, int y, int width, int height) {
    unsigned char* first = view.pixels + static_cast<long long>(y) * view.stride + static_cast<long long>(x) * 3;
    return {first, width, height, view.stride};
}
