#include "app/wallpaper/picture_layout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    const char* description;
    int areaWidth, areaHeight, width, height;
    uint8_t presentation;
    PicturePlacement expected;
};

TEST(PictureLayoutTest, PresentationsPlaceAndSizeThePicture) {
    const LayoutCase cases[] = {
        {"centred 800x600 on 1024x768", 1024, 768, 800, 600, 1, {112, 84, 800, 600, 1, 1, true}},
        {"centred 1023 wide: the half rounds down", 1024, 768, 1023, 768, 1, {0, 0, 1023, 768, 1, 1, true}},
        {"centred 1025 wide: cropped, -0.5 rounds down", 1024, 768, 1025, 768, 1, {-1, 0, 1025, 768, 1, 1, true}},
        {"centred larger both ways", 1024, 768, 2000, 1000, 1, {-488, -116, 2000, 1000, 1, 1, true}},
        {"fit 1600x1200 on 1280x1024", 1280, 1024, 1600, 1200, 3, {0, 32, 1280, 960, 1, 1, true}},
        {"fit enlarges 640x480", 1280, 1024, 640, 480, 3, {0, 32, 1280, 960, 1, 1, true}},
        {"fit a tall picture", 1024, 768, 600, 1200, 3, {320, 0, 384, 768, 1, 1, true}},
        {"fit same ratio", 1024, 768, 2048, 1536, 3, {0, 0, 1024, 768, 1, 1, true}},
        {"fit with a half pixel: 1001 / 2.0", 1000, 500, 1001, 1000, 3, {250, 0, 500, 500, 1, 1, true}},
        {"fit in a work area", 1024, 738, 800, 600, 3, {20, 0, 984, 738, 1, 1, true}},
        {"stretched", 1024, 738, 300, 200, 2, {0, 0, 1024, 738, 1, 1, true}},
        {"tiled 300x200 on 1024x768", 1024, 768, 300, 200, 0, {0, 0, 300, 200, 4, 4, true}},
        {"tiled exact fit", 1200, 800, 300, 200, 0, {0, 0, 300, 200, 4, 4, true}},
        {"tiled larger than the area", 1024, 768, 2000, 1000, 0, {0, 0, 2000, 1000, 1, 1, true}},
        {"unknown presentation", 1024, 768, 300, 200, 4, {0, 0, 300, 200, 1, 1, false}},
        {"unknown presentation 255", 1024, 768, 300, 200, 255, {0, 0, 300, 200, 1, 1, false}},
        {"empty picture", 1024, 768, 0, 200, 0, {0, 0, 0, 200, 1, 1, false}},
        {"empty area", 0, 768, 300, 200, 3, {0, 0, 300, 200, 1, 1, false}},
    };
    for (const LayoutCase& c : cases) {
        PicturePlacement p = PlacePicture(c.areaWidth, c.areaHeight, c.width, c.height, c.presentation);
        EXPECT_EQ(p.x, c.expected.x) << c.description;
        EXPECT_EQ(p.y, c.expected.y) << c.description;
        EXPECT_EQ(p.width, c.expected.width) << c.description;
        EXPECT_EQ(p.height, c.expected.height) << c.description;
        EXPECT_EQ(p.columns, c.expected.columns) << c.description;
        EXPECT_EQ(p.rows, c.expected.rows) << c.description;
        EXPECT_EQ(p.drawn, c.expected.drawn) << c.description;
    }
}

TEST(PictureLayoutTest, FitNeverExceedsTheAreaAndTouchesOneSide) {
    for (int width = 1; width < 3000; width += 97) {
        for (int height = 1; height < 3000; height += 89) {
            int fitWidth = 0;
            int fitHeight = 0;
            FitPicture(1280, 1024, width, height, fitWidth, fitHeight);
            ASSERT_LE(fitWidth, 1280) << width << "x" << height;
            ASSERT_LE(fitHeight, 1024) << width << "x" << height;
            ASSERT_TRUE(fitWidth == 1280 || fitHeight == 1024) << width << "x" << height;
        }
    }
}

}  // namespace
