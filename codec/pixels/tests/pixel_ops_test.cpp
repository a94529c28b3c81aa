// Greyscale, overlay and canvas: the exact grey formula on pictures and frames, clipping and
// opacity of the overlay, and the colour order of a canvas.
#include <gtest/gtest.h>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/pixels/pixel_ops.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

TEST(GreyscaleRgbTest, ExactFormulaOnPicturesAndFrames) {
    struct GreyCase {
        unsigned char red, green, blue;
        unsigned char grey;
    };
    const GreyCase cases[] = {
        {255, 0, 0, 76}, {0, 255, 0, 149}, {0, 0, 255, 29}, {255, 255, 255, 255}, {10, 200, 30, 123}, {0, 0, 0, 0},
    };
    for (const GreyCase& c : cases) {
        // The same pixel many times, so that vector loops and their tails both see it.
        for (int width : {1, 7, 33}) {
            Bytes picture, frame;
            for (int i = 0; i < width; ++i) {
                picture.insert(picture.end(), {c.red, c.green, c.blue});
                frame.insert(frame.end(), {c.blue, c.green, c.red, 0xA7});
            }
            ASSERT_TRUE(GreyscaleRgb(RgbView{picture.data(), width, 1, width * 3}));
            ASSERT_TRUE(GreyscaleFrame(Frame{frame.data(), width, 1, width * 4}));
            for (int i = 0; i < width; ++i) {
                for (int k = 0; k < 3; ++k) {
                    ASSERT_EQ(picture[i * 3 + k], c.grey) << int(c.red) << "," << int(c.green);
                    ASSERT_EQ(frame[i * 4 + k], c.grey);
                }
                ASSERT_EQ(frame[i * 4 + 3], 0xA7);
            }
        }
    }
}

TEST(GreyscaleRgbTest, RespectsStrideAndRefusesBadViews) {
    Bytes rows = {255, 0, 0, 9, 9, 0, 255, 0, 9, 9};  // two 1-pixel rows, stride 5
    ASSERT_TRUE(GreyscaleRgb(RgbView{rows.data(), 1, 2, 5}));
    EXPECT_EQ(rows, (Bytes{76, 76, 76, 9, 9, 149, 149, 149, 9, 9}));
    EXPECT_FALSE(GreyscaleRgb(RgbView{rows.data(), 2, 1, 5}));  // stride shorter than a row
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
    EXPECT_FALSE(GreyscaleRgb(RgbView{nullptr, 1, 1, 3}));
    EXPECT_FALSE(GreyscaleFrame(Frame{rows.data(), 2, 1, 5}));
}

Bytes Filled(int width, int height, unsigned char value) {
    return Bytes(static_cast<size_t>(width) * height * 3, value);
}

TEST(OverlayRgbTest, ClipsAndBlends) {
    struct OverlayCase {
        const char* name;
        int x, y;
        double opacity;
        int changedLeft, changedTop, changedRight, changedBottom;  // in the 6 × 4 target
        unsigned char value;
    };
    const OverlayCase cases[] = {
        {"inside, opaque", 1, 1, 1.0, 1, 1, 4, 3, 200},
        {"above the left edge", -2, -1, 1.0, 0, 0, 1, 1, 200},
        {"past the right edge", 5, 3, 1.0, 5, 3, 6, 4, 200},
        {"outside entirely", 6, 0, 1.0, 0, 0, 0, 0, 0},
        {"far outside", -2000000000, 2000000000, 1.0, 0, 0, 0, 0, 0},
        {"half", 0, 0, 0.5, 0, 0, 3, 2, 150},
        {"opacity above one copies", 0, 0, 7.0, 0, 0, 3, 2, 200},
        {"negative opacity leaves the target", 0, 0, -1.0, 0, 0, 0, 0, 0},
    };
    for (const OverlayCase& c : cases) {
        Bytes source = Filled(3, 2, 200);
        Bytes target = Filled(6, 4, 100);
        ASSERT_TRUE(OverlayRgb(RgbView{source.data(), 3, 2, 9}, RgbView{target.data(), 6, 4, 18}, c.x, c.y, c.opacity))
            << c.name;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                bool changed = x >= c.changedLeft && x < c.changedRight && y >= c.changedTop && y < c.changedBottom;
                unsigned char expected = changed ? c.value : 100;
                ASSERT_EQ(target[(static_cast<size_t>(y) * 6 + x) * 3 + 1], expected) << c.name << " " << x << "," << y;
            }
        }
    }
    Bytes source = Filled(1, 1, 0);
    Bytes target = Filled(1, 1, 0);
    EXPECT_FALSE(OverlayRgb(RgbView{source.data(), 1, 1, 2}, RgbView{target.data(), 1, 1, 3}, 0, 0, 1.0));
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
}

TEST(CreateRgbCanvasTest, FillsWithTheColourRedLowByte) {
    OwnedRgbImage canvas;
    ASSERT_EQ(CreateRgbCanvas(3, 2, 0x00C08040, canvas), kRgbImageOk);
    EXPECT_EQ(canvas.Width(), 3);
    EXPECT_EQ(canvas.Height(), 2);
    const unsigned char* pixels = canvas.View().pixels;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pixels[i * 3], 0x40);
        EXPECT_EQ(pixels[i * 3 + 1], 0x80);
        EXPECT_EQ(pixels[i * 3 + 2], 0xC0);
    }
    EXPECT_EQ(CreateRgbCanvas(0, 2, 0, canvas), kRgbImageFailed);
    EXPECT_EQ(CreateRgbCanvas(0x7FFFFFFF, 0x7FFFFFFF, 0, canvas), kRgbImageOutOfMemory);
    EXPECT_TRUE(canvas.IsEmpty());
}

}  // namespace
