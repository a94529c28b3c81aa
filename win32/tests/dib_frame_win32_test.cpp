// A frame backed by a DIB section is one set of pixels seen two ways: what GDI draws through
// the frame's context is read through its view in the frame's byte order, what is written
// through the view reaches another context by Present, and moving the frame moves the
// pixels without copying them.
#include <gtest/gtest.h>

#include <windows.h>

#include "codec/pixels/rgb_to_frame.h"
#include "win32/dib_frame_win32.h"

namespace {

TEST(DibFrame, GdiAndTheViewShareThePixels) {
    DibFrame frame;
    ASSERT_TRUE(frame.Create(40, 30));
    Frame view = frame.View();
    ASSERT_EQ(view.width, 40);
    ASSERT_EQ(view.height, 30);
    ASSERT_EQ(view.stride, 160);
    EXPECT_EQ(view.Row(29)[39], 0u) << "a new frame is black";

    // GDI draws a rectangle; the view sees it at the same place, top row first.
    OwnedBrush orange(CreateSolidBrush(RGB(250, 120, 10)));
    RECT area = {5, 2, 12, 9};
    FillRect(frame.Dc(), &area, orange.Get());
    view = frame.View();
    EXPECT_EQ(view.Row(2)[5], FramePixel(250, 120, 10));
    EXPECT_EQ(view.Row(8)[11], FramePixel(250, 120, 10));
    EXPECT_EQ(view.Row(9)[11], 0u);
    EXPECT_EQ(view.Row(8)[12], 0u);

    // A picture written through the view is what GDI reads and what Present copies.
    const unsigned char rgb[2 * 3] = {10, 20, 30, 200, 100, 50};
    ConvertRgbToFrame(ConstRgbView(rgb, 2, 1, 6), view);
    EXPECT_EQ(GetPixel(frame.Dc(), 1, 0), RGB(200, 100, 50));
    DibFrame screen;
    ASSERT_TRUE(screen.Create(50, 40));
    ASSERT_TRUE(frame.Present(screen.Dc(), 10, 10));
    EXPECT_EQ(screen.View().Row(10)[10], FramePixel(10, 20, 30));
    EXPECT_EQ(screen.View().Row(12)[15], FramePixel(250, 120, 10));
    EXPECT_EQ(screen.View().Row(9)[10], 0u);

    // Only the asked-for area of a repaint is copied, to the same place.
    DibFrame repainted;
    ASSERT_TRUE(repainted.Create(40, 30));
    ASSERT_TRUE(frame.PresentArea(repainted.Dc(), RECT{6, 3, 8, 5}));
    EXPECT_EQ(repainted.View().Row(3)[6], FramePixel(250, 120, 10));
    EXPECT_EQ(repainted.View().Row(2)[5], 0u);

    // Moving hands over the same pixels; the moved-from frame is empty and draws nothing.
    uint8_t* pixels = frame.View().pixels;
    DibFrame moved = std::move(frame);
    EXPECT_EQ(moved.View().pixels, pixels);
    EXPECT_EQ(moved.View().Row(2)[5], FramePixel(250, 120, 10));
    EXPECT_TRUE(frame.IsEmpty());
    EXPECT_FALSE(frame.Present(screen.Dc(), 0, 0));
    moved = std::move(screen);
    EXPECT_EQ(moved.View().width, 50);

    DibFrame refused;
    EXPECT_FALSE(refused.Create(0, 10));
    EXPECT_FALSE(refused.Create(1 << 30, 1));
    EXPECT_TRUE(refused.IsEmpty());
}

}  // namespace
