#include "app/wallpaper/compose_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/wallpaper/tests/test_pictures.h"
#include "app/wallpaper/title_text.h"

namespace {

using wallpaper_test::Colour;
using wallpaper_test::Describe;
using wallpaper_test::IsColour;
using wallpaper_test::IsNear;
using wallpaper_test::MakePicture;

constexpr Colour kRed{200, 30, 30};
constexpr Colour kBlue{20, 40, 210};
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kDesktop = 0x00804020;  // red 0x20, green 0x40, blue 0x80

Colour Solid(int, int) {
    return kRed;
}

// Holds a record and a composed picture and frees both.
struct Composition {
    PictureRecord record;
    OwnedRgbImage out;
    int result = -1;
    ~Composition() { FreePicturePayload(record); }
};

void Compose(Composition& c,
             int width,
             int height,
             const AreaRect* area,
             uint8_t presentation,
             uint32_t background,
             uint32_t flags = 0,
             int filter = kResizeBicubic) {
    ComposeRequest request{width, height, filter, std::nullopt, presentation, background, flags};
    if (area != nullptr) request.area = *area;
    c.result = ComposePicture(c.record, request, c.out);
}

// Expects the rows [top, bottom) and columns [left, right) to be exactly the colour.
void ExpectBlock(const ConstRgbView& image,
                 int left,
                 int top,
                 int right,
                 int bottom,
                 uint32_t colour,
                 const char* what) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!IsColour(image, x, y, colour)) {
                ADD_FAILURE() << what << ": " << Describe(image, x, y);
                return;
            }
        }
    }
}

// Expects every pixel of the block to be near the colour.
void ExpectNearBlock(const ConstRgbView& image,
                     int left,
                     int top,
                     int right,
                     int bottom,
                     Colour colour,
                     const char* what) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!IsNear(image, x, y, colour)) {
                ADD_FAILURE() << what << ": " << Describe(image, x, y);
                return;
            }
        }
    }
}

struct PlacementCase {
    const char* description;
    int pictureWidth, pictureHeight;
    int screenWidth, screenHeight;
    uint8_t presentation;
    int left, top, right, bottom;  // where the picture must be; background elsewhere
};

TEST(ComposePictureTest, PicturesLandWhereTheLayoutSays) {
    const PlacementCase cases[] = {
        {"800x600 centred on 1024x768", 800, 600, 1024, 768, 1, 112, 84, 912, 684},
        {"1600x1200 fit on 1280x1024", 1600, 1200, 1280, 1024, 3, 0, 32, 1280, 992},
        {"640x480 enlarged on 1280x1024", 640, 480, 1280, 1024, 3, 0, 32, 1280, 992},
        {"4000x3000 decoded reduced, laid out full", 4000, 3000, 1280, 1024, 3, 0, 32, 1280, 992},
        {"tall picture fit", 600, 1200, 1024, 768, 3, 320, 0, 704, 768},
        {"stretched", 300, 200, 640, 480, 2, 0, 0, 640, 480},
        {"stretched from a large picture", 3000, 3000, 640, 480, 2, 0, 0, 640, 480},
    };
    for (const PlacementCase& c : cases) {
        Composition composition;
        composition.record = MakePicture("Title", c.pictureWidth, c.pictureHeight, Solid);
        Compose(composition, c.screenWidth, c.screenHeight, nullptr, c.presentation, kBlack);
        ASSERT_EQ(composition.result, 0) << c.description;
        const ConstRgbView out = composition.out.View();
        ASSERT_EQ(out.width, c.screenWidth);
        ASSERT_EQ(out.height, c.screenHeight);
        ExpectBlock(out, 0, 0, c.screenWidth, c.top, kBlack, c.description);
        ExpectBlock(out, 0, c.bottom, c.screenWidth, c.screenHeight, kBlack, c.description);
        ExpectBlock(out, 0, c.top, c.left, c.bottom, kBlack, c.description);
        ExpectBlock(out, c.right, c.top, c.screenWidth, c.bottom, kBlack, c.description);
        ExpectNearBlock(out, c.left, c.top, c.right, c.bottom, kRed, c.description);
    }
}

TEST(ComposePictureTest, CentringRoundsExactHalvesDown) {
    // Left half blue, right half red; the edge at picture column 512 is on a JPEG block
    // boundary, so it stays sharp.
    auto halves = [](int x, int) { return x < 512 ? kBlue : kRed; };
    const struct {
        int width;
        int edgeOnScreen;  // first red column
    } cases[] = {{1023, 512}, {1025, 511}, {1024, 512}, {1016, 516}};
    for (const auto& c : cases) {
        Composition composition;
        composition.record = MakePicture("Title", c.width, 64, halves);
        Compose(composition, 1024, 64, nullptr, 1, kBlack);
        ASSERT_EQ(composition.result, 0);
        EXPECT_TRUE(IsNear(composition.out.View(), c.edgeOnScreen - 1, 32, kBlue))
            << c.width << " " << Describe(composition.out.View(), c.edgeOnScreen - 1, 32);
        EXPECT_TRUE(IsNear(composition.out.View(), c.edgeOnScreen, 32, kRed))
            << c.width << " " << Describe(composition.out.View(), c.edgeOnScreen, 32);
    }
    // 1023 wide: offset 0, so the last column is background.
    Composition narrow;
    narrow.record = MakePicture("Title", 1023, 64, halves);
    Compose(narrow, 1024, 64, nullptr, 1, kBlack);
    ASSERT_EQ(narrow.result, 0);
    ExpectBlock(narrow.out.View(), 1023, 0, 1024, 64, kBlack, "1023 wide");
    EXPECT_TRUE(IsNear(narrow.out.View(), 0, 10, kBlue));
}

TEST(ComposePictureTest, TilingDrawsSixteenClippedCopies) {
    // A blue 16x16 corner marks each copy's top left.
    auto marked = [](int x, int y) { return x < 16 && y < 16 ? kBlue : kRed; };
    Composition composition;
    composition.record = MakePicture("Title", 300, 200, marked);
    Compose(composition, 1024, 768, nullptr, 0, kBlack);
    ASSERT_EQ(composition.result, 0);
    int copies = 0;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            int x = column * 300;
            int y = row * 200;
            EXPECT_TRUE(IsNear(composition.out.View(), x + 4, y + 4, kBlue))
                << Describe(composition.out.View(), x + 4, y + 4);
            EXPECT_TRUE(IsNear(composition.out.View(), x + 40, y + 40, kRed))
                << Describe(composition.out.View(), x + 40, y + 40);
            ++copies;
        }
    }
    EXPECT_EQ(copies, 16);
    // The right and bottom copies are clipped; nothing of the background shows.
    EXPECT_TRUE(IsNear(composition.out.View(), 1023, 767, kRed));
    EXPECT_TRUE(IsNear(composition.out.View(), 1023, 0, kRed));
    // A picture larger than the area shows its top left part.
    Composition large;
    large.record = MakePicture("Title", 2000, 1000, marked);
    Compose(large, 1024, 768, nullptr, 0, kBlack);
    ASSERT_EQ(large.result, 0);
    EXPECT_TRUE(IsNear(large.out.View(), 4, 4, kBlue));
    EXPECT_TRUE(IsNear(large.out.View(), 1000, 700, kRed));
}

struct AreaCase {
    const char* description;
    AreaRect area;
    uint8_t presentation;
    int left, top, right, bottom;  // where the picture must be
};

TEST(ComposePictureTest, WorkAreaConfinesTheLayout) {
    const AreaCase cases[] = {
        {"taskbar at the bottom, stretched", {0, 0, 1024, 738}, 2, 0, 0, 1024, 738},
        {"taskbar at the top, stretched", {0, 30, 1024, 768}, 2, 0, 30, 1024, 768},
        {"taskbar at the left, centred", {100, 0, 1024, 768}, 1, 162, 84, 962, 684},
        {"taskbar at the bottom, fit", {0, 0, 1024, 738}, 3, 20, 0, 1004, 738},
    };
    for (const AreaCase& c : cases) {
        Composition composition;
        composition.record = MakePicture("Title", 800, 600, Solid);
        Compose(composition, 1024, 768, &c.area, c.presentation, kDesktop);
        ASSERT_EQ(composition.result, 0) << c.description;
        const ConstRgbView out = composition.out.View();
        ASSERT_EQ(out.width, 1024);
        ASSERT_EQ(out.height, 768);
        ExpectBlock(out, 0, 0, 1024, c.top, kDesktop, c.description);
        ExpectBlock(out, 0, c.bottom, 1024, 768, kDesktop, c.description);
        ExpectBlock(out, 0, c.top, c.left, c.bottom, kDesktop, c.description);
        ExpectBlock(out, c.right, c.top, 1024, c.bottom, kDesktop, c.description);
        ExpectNearBlock(out, c.left, c.top, c.right, c.bottom, kRed, c.description);
    }
}

TEST(ComposePictureTest, TitleFollowsTheAreaAndIsDrawnOnlyWhenAsked) {
    ASSERT_TRUE(IsTitleDrawingAvailable()) << "the title font is missing: tools/setup.sh installs fonts-liberation";
    const struct {
        AreaRect area;
        bool withArea;
        uint32_t flags;
        int firstRow;  // first row the green title may use; -1: no title at all
    } cases[] = {
        {{}, false, kComposeTitle, 10},
        {{0, 30, 1024, 768}, true, kComposeTitle, 40},
        {{}, false, 0, -1},
        {{}, false, kComposeGreyscale, -1},
    };
    for (const auto& c : cases) {
        Composition composition;
        composition.record = MakePicture("Lighthouse", 1024, 768, [](int, int) { return Colour{0, 0, 0}; });
        Compose(composition, 1024, 768, c.withArea ? &c.area : nullptr, 2, kBlack, c.flags);
        ASSERT_EQ(composition.result, 0);
        int greenTop = -1;
        int greenRight = -1;
        for (int y = 0; y < 768 && greenTop < 0; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (IsColour(composition.out.View(), x, y, 0x00FF00)) {
                    greenTop = y;
                    break;
                }
            }
        }
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (IsColour(composition.out.View(), x, y, 0x00FF00) && x > greenRight) greenRight = x;
            }
        }
        if (c.firstRow < 0) {
            EXPECT_EQ(greenTop, -1);
            continue;
        }
        EXPECT_GE(greenTop, c.firstRow);
        EXPECT_LE(greenTop, c.firstRow + 5);
        EXPECT_LE(greenRight, 1024 - 13);
        EXPECT_GE(greenRight, 1024 - 16);
    }
}

TEST(ComposePictureTest, GreyscaleKeepsTheBackgroundColour) {
    auto colourful = [](int x, int y) {
        return Colour{static_cast<unsigned char>(x), static_cast<unsigned char>(y), 90};
    };
    Composition composition;
    composition.record = MakePicture("Title", 200, 100, colourful);
    Compose(composition, 400, 300, nullptr, 1, kDesktop, kComposeGreyscale);
    ASSERT_EQ(composition.result, 0);
    ExpectBlock(composition.out.View(), 0, 0, 400, 100, kDesktop, "margin above");
    for (int y = 100; y < 200; y += 7) {
        for (int x = 100; x < 300; x += 11) {
            Colour c = wallpaper_test::PixelAt(composition.out.View(), x, y);
            ASSERT_TRUE(c.red == c.green && c.green == c.blue) << Describe(composition.out.View(), x, y);
        }
    }
}

TEST(ComposePictureTest, UnknownPresentationLeavesTheBackground) {
    for (uint8_t presentation : {uint8_t{4}, uint8_t{200}}) {
        Composition composition;
        composition.record = MakePicture("Title", 100, 100, Solid);
        Compose(composition, 320, 200, nullptr, presentation, kDesktop);
        ASSERT_EQ(composition.result, 0);
        ExpectBlock(composition.out.View(), 0, 0, 320, 200, kDesktop, "unknown presentation");
    }
}

TEST(ComposePictureTest, FailuresReturnTheirCodeAndAllocateNothing) {
    const struct {
        const char* description;
        int width, height;
        AreaRect area;
        bool withArea;
        bool corruptPayload;
        bool noPayload;
        int filter;
        int expected;
    } cases[] = {
        {"payload that is not a JPEG", 640, 480, {}, false, true, false, kResizeBicubic, 1},
        {"no payload", 640, 480, {}, false, false, true, kResizeBicubic, 1},
        {"zero target", 0, 480, {}, false, false, false, kResizeBicubic, 1},
        {"empty area", 640, 480, {10, 10, 10, 400}, true, false, false, kResizeBicubic, 1},
        {"inverted area", 640, 480, {100, 100, 50, 400}, true, false, false, kResizeBicubic, 1},
        {"area wider than any picture",
         640,
         480,
         {INT32_MIN, 0, INT32_MAX, 400},
         true,
         false,
         false,
         kResizeBicubic,
         1},
        {"Lanczos to a target narrower than its support", 2, 480, {}, false, false, false, kFilterLanczos3, 1},
        {"unknown filter", 640, 480, {}, false, false, false, 99, 1},
    };
    for (const auto& c : cases) {
        Composition composition;
        composition.record = MakePicture("Title", 64, 48, Solid);
        if (c.corruptPayload) std::memset(composition.record.payload + 100, 0xFF, composition.record.payloadSize - 100);
        if (c.corruptPayload) composition.record.payload[0] = 'X';
        if (c.noPayload) FreePicturePayload(composition.record);
        Compose(composition, c.width, c.height, c.withArea ? &c.area : nullptr, 2, kBlack, 0, c.filter);
        EXPECT_EQ(composition.result, c.expected) << c.description;
        EXPECT_TRUE(composition.out.IsEmpty()) << c.description;
    }
}

TEST(ComposePictureTest, LanczosPreviewsAndBicubicWallpapersAgreeOnLayout) {
    for (int filter : {kResizeBicubic, int{kFilterLanczos3}}) {
        Composition composition;
        composition.record = MakePicture("Title", 1600, 1200, Solid);
        Compose(composition, 120, 90, nullptr, 3, kBlack, 0, filter);
        ASSERT_EQ(composition.result, 0) << filter;
        ExpectNearBlock(composition.out.View(), 4, 4, 116, 86, kRed, "thumbnail");
    }
}

}  // namespace
