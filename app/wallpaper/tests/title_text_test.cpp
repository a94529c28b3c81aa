#include "app/wallpaper/title_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Canvas {
    std::vector<unsigned char> bytes;
    RgbView image;
    Canvas(int width, int height, unsigned char grey)
        : bytes(static_cast<size_t>(width) * height * 3, grey), image{bytes.data(), width, height, width * 3} {}
    uint32_t At(int x, int y) const {
        const unsigned char* p = bytes.data() + (static_cast<size_t>(y) * image.width + x) * 3;
        return p[0] | p[1] << 8 | p[2] << 16;
    }
};

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom inclusive
    int count = 0;
};

Box BoundsOf(const Canvas& canvas, uint32_t colour) {
    Box box;
    for (int y = 0; y < canvas.image.height; ++y) {
        for (int x = 0; x < canvas.image.width; ++x) {
            if (canvas.At(x, y) != colour) continue;
            ++box.count;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

TEST(TitleTextTest, TitleStandsInTheTopRightCornerWithItsShadow) {
    ASSERT_TRUE(IsTitleDrawingAvailable()) << "the title font is missing: tools/setup.sh installs fonts-liberation";
    Canvas canvas(400, 120, 0);
    ASSERT_TRUE(DrawPictureTitle(canvas.image, "Harbour at Dawn"));
    Box green = BoundsOf(canvas, 0x00FF00);
    Box shadow = BoundsOf(canvas, 0x404040);
    ASSERT_GT(green.count, 100);
    ASSERT_GT(shadow.count, 10);
    // 12 pixels from the right edge, the cell's top 10 pixels down: capitals start a few rows
    // below it (Arial's ascent exceeds its cap height) and are 11 to 12 pixels high.
    EXPECT_LE(green.right, 400 - 13);
    EXPECT_GE(green.right, 400 - 16);
    EXPECT_GE(green.top, 11);
    EXPECT_LE(green.top, 15);
    EXPECT_GE(green.bottom - green.top, 10);
    EXPECT_LE(green.bottom - green.top, 18);
    EXPECT_GT(green.right - green.left, 80);  // 15 bold characters of about 9 pixels
    EXPECT_LT(green.right - green.left, 160);
    // The shadow lies one pixel right and one down; only its uncovered rim shows.
    EXPECT_EQ(shadow.right, green.right + 1);
    EXPECT_EQ(shadow.bottom, green.bottom + 1);
    // Nothing else was touched.
    EXPECT_EQ(green.count + shadow.count + BoundsOf(canvas, 0).count, 400 * 120);
}

TEST(TitleTextTest, NothingIsDrawnOutsideOrForEmptyText) {
    ASSERT_TRUE(IsTitleDrawingAvailable()) << "the title font is missing: tools/setup.sh installs fonts-liberation";
    const struct {
        const char* text;
        AreaRect box;
    } cases[] = {
        {"", {0, 10, 388, 120}},       {"Title", {0, 10, 401, 120}},  // right edge beyond the image
        {"Title", {0, 10, 388, 121}},                                 // bottom beyond the image
        {"Title", {50, 10, 40, 120}},                                 // right < left
        {"Title", {0, 100, 388, 90}},                                 // bottom < top
        {"Title", {-1, 10, 388, 120}},                                // left outside
    };
    for (const auto& c : cases) {
        Canvas canvas(400, 120, 7);
        EXPECT_TRUE(DrawRightAlignedText(canvas.image, c.text, c.box, 0x00FF00));
        EXPECT_EQ(BoundsOf(canvas, 0x070707).count, 400 * 120) << c.text << " " << c.box.right;
    }
    // A title wider than its box is cut on the left, never drawn outside it.
    Canvas narrow(60, 40, 0);
    ASSERT_TRUE(DrawRightAlignedText(narrow.image, "A very long title indeed", AreaRect{0, 10, 48, 40}, 0x00FF00));
    Box green = BoundsOf(narrow, 0x00FF00);
    EXPECT_GT(green.count, 0);
    EXPECT_LE(green.right, 47);
    // An area smaller than the margins draws nothing and does not fail.
    Canvas tiny(8, 8, 0);
    EXPECT_TRUE(DrawPictureTitle(tiny.image, "Title"));
    EXPECT_EQ(BoundsOf(tiny, 0).count, 64);
}

TEST(TitleTextTest, CodePageCharactersAreDrawn) {
    ASSERT_TRUE(IsTitleDrawingAvailable()) << "the title font is missing: tools/setup.sh installs fonts-liberation";
    // "Caf\xe9 \x80" : e acute (Latin-1) and the euro sign (0x80 in Windows-1252).
    Canvas plain(200, 40, 0);
    Canvas accented(200, 40, 0);
    ASSERT_TRUE(DrawRightAlignedText(plain.image, "Cafe E", AreaRect{0, 10, 188, 40}, 0x00FF00));
    ASSERT_TRUE(DrawRightAlignedText(accented.image, "Caf\xe9 \x80", AreaRect{0, 10, 188, 40}, 0x00FF00));
    EXPECT_NE(plain.bytes, accented.bytes);
    EXPECT_LT(BoundsOf(accented, 0x00FF00).top, BoundsOf(plain, 0x00FF00).top);  // the accent rises higher
}

}  // namespace
