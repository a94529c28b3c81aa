// A picture into a frame: every pixel in the frame's byte order at every width (so the
// sixteen-pixel steps and their tails both run), rows taken by their stride, and clipping
// on both sides leaving the frame's other pixels alone.
#include <gtest/gtest.h>

#include <vector>

#include "codec/pixels/rgb_to_frame.h"

namespace {

constexpr uint32_t kUntouched = 0xA5A5A5A5;

// Every byte of the picture differs from its neighbours, so a shifted or swapped byte shows.
std::vector<unsigned char> Picture(int width, int height, int stride) {
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * 3; ++i) pixels[static_cast<size_t>(y) * stride + i] = (y * 89 + i * 7 + 3) & 0xFF;
    }
    return pixels;
}

TEST(RgbToFrame, EveryPixelInTheFrameOrderClippedToBoth) {
    struct Case {
        int pictureWidth, pictureHeight, padding;
        int frameWidth, frameHeight;
    };
    const Case cases[] = {
        {1, 1, 0, 1, 1},   {15, 2, 0, 15, 2}, {16, 2, 0, 16, 2}, {17, 3, 1, 17, 3}, {33, 2, 5, 33, 2},
        {50, 4, 2, 50, 4}, {40, 5, 0, 23, 3}, {20, 3, 3, 37, 6}, {64, 2, 0, 64, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.pictureWidth << "x" << c.pictureHeight << " into " << c.frameWidth << "x" << c.frameHeight);
        const int stride = c.pictureWidth * 3 + c.padding;
        std::vector<unsigned char> picture = Picture(c.pictureWidth, c.pictureHeight, stride);
        OwnedFrame owned(c.frameWidth, c.frameHeight);
        ASSERT_FALSE(owned.IsEmpty());
        const Frame& frame = owned.View();
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) frame.Row(y)[x] = kUntouched;
        }
        ConvertRgbToFrame(ConstRgbView(picture.data(), c.pictureWidth, c.pictureHeight, stride), frame);
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                uint32_t expected = kUntouched;
                if (x < c.pictureWidth && y < c.pictureHeight) {
                    const unsigned char* in = &picture[static_cast<size_t>(y) * stride + x * 3];
                    expected = FramePixel(in[0], in[1], in[2]);
                }
                ASSERT_EQ(frame.Row(y)[x], expected) << x << "," << y;
            }
        }
    }
}

}  // namespace
