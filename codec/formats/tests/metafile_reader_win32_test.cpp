#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

// Draws the test picture in logical units of a 200 x 100 box: the left half red, a blue
// square in the right half's middle; the rest is left undrawn.
void DrawPicture(HDC dc) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT left = {0, 0, 100, 100};
    RECT square = {130, 30, 170, 70};
    FillRect(dc, &left, red);
    FillRect(dc, &square, blue);
    DeleteObject(red);
    DeleteObject(blue);
}

Bytes MakeEnhanced() {
    // 100 x 50 millimetres; one logical unit is a half millimetre.
    RECT frame = {0, 0, 10000, 5000};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    int pixelsX = GetDeviceCaps(dc, HORZRES) * 100 / GetDeviceCaps(dc, HORZSIZE);  // per 100 mm
    int pixelsY = GetDeviceCaps(dc, VERTRES) * 50 / GetDeviceCaps(dc, VERTSIZE);   // per 50 mm
    SetWindowExtEx(dc, 200, 100, nullptr);
    SetViewportExtEx(dc, pixelsX, pixelsY, nullptr);
    DrawPicture(dc);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    Bytes bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(metafile);
    return bytes;
}

Bytes MakeWindowsMetafile() {
    HDC dc = CreateMetaFileA(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 200, 100, nullptr);
    DrawPicture(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    Bytes bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return bytes;
}

// The placeable header: key, handle, bounding box, units per inch, reserved, checksum.
Bytes MakePlaceable(const Bytes& metafile, int right, int bottom, int unitsPerInch) {
    Bytes bytes(22 + metafile.size(), 0);
    WriteLe32(&bytes[0], 0x9AC6CDD7);
    WriteLe16(&bytes[10], static_cast<uint16_t>(right));
    WriteLe16(&bytes[12], static_cast<uint16_t>(bottom));
    WriteLe16(&bytes[14], static_cast<uint16_t>(unitsPerInch));
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2) checksum ^= ReadLe16(&bytes[i]);
    WriteLe16(&bytes[20], checksum);
    std::copy(metafile.begin(), metafile.end(), bytes.begin() + 22);
    return bytes;
}

struct Colour {
    int red, green, blue;
};

Colour At(const RgbImage& image, double fx, double fy) {
    int x = static_cast<int>(fx * image.width);
    int y = static_cast<int>(fy * image.height);
    const unsigned char* p = image.pixels + (static_cast<size_t>(y) * image.width + x) * 3;
    return {p[0], p[1], p[2]};
}

}  // namespace

bool Contains(const RgbImage& image, Colour colour) {
    for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i) {
        const unsigned char* p = image.pixels + i * 3;
        if (p[0] == colour.red && p[1] == colour.green && p[2] == colour.blue) return true;
    }
    return false;
}

TEST(MetafileReader, PlaysEveryKindAtItsNaturalSizeOverBlack) {
    test_support::TempDir folder;
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    struct Case {
        const char* name;
        Bytes bytes;
        int width;  // 0: only the 2:1 shape is known
        int height;
    };
    const Bytes plain = MakeWindowsMetafile();
    const Case cases[] = {
        {"enhanced.emf", MakeEnhanced(), 0, 0},
        // Two inches by one inch in units of 1/1440 inch.
        {"placeable.wmf", MakePlaceable(plain, 2880, 1440, 1440), 2 * dpiX, dpiY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.File(c.name);
        test_support::WriteFileBytes(path, c.bytes);
        RgbImage image;
        ASSERT_EQ(ReadMetafileImage(path.c_str(), image), kCodecOk);
        if (c.width != 0) {
            EXPECT_EQ(image.width, c.width);
            EXPECT_EQ(image.height, c.height);
        }
        ASSERT_GT(image.height, 8);
        EXPECT_NEAR(image.width, 2 * image.height, 2 + image.height / 20);
        Colour left = At(image, 0.25, 0.5);
        Colour square = At(image, 0.75, 0.5);
        Colour background = At(image, 0.95, 0.1);
        EXPECT_EQ(left.red, 255);
        EXPECT_EQ(left.green + left.blue, 0);
        EXPECT_EQ(square.blue, 255);
        EXPECT_EQ(square.red + square.green, 0);
        EXPECT_EQ(background.red + background.green + background.blue, 0);
        ReleaseRgbImage(image);
    }
}

// A plain metafile carries no size of its own: the platform fits it to the screen, so only
// its content is certain.
TEST(MetafileReader, PlaysAPlainMetafileAtThePlatformsSize) {
    test_support::TempDir folder;
    std::string path = folder.File("plain.wmf");
    test_support::WriteFileBytes(path, MakeWindowsMetafile());
    RgbImage image;
    ASSERT_EQ(ReadMetafileImage(path.c_str(), image), kCodecOk);
    ASSERT_GT(image.width, 8);
    ASSERT_GT(image.height, 8);
    Colour topLeft = At(image, 0.05, 0.05);
    EXPECT_EQ(topLeft.red, 255);
    EXPECT_EQ(topLeft.green + topLeft.blue, 0);
    EXPECT_TRUE(Contains(image, {0, 0, 255}));
    EXPECT_TRUE(Contains(image, {0, 0, 0}));
    ReleaseRgbImage(image);
}

TEST(MetafileReader, FailsWithoutAPlayableFile) {
    test_support::TempDir folder;
    const Bytes plain = MakeWindowsMetafile();
    struct Case {
        const char* name;
        Bytes bytes;
        int expected;
    };
    const Case cases[] = {
        {"text.wmf",
         Bytes{'n', 'o', 't', ' ', 'a', ' ', 'm', 'e', 't', 'a', 'f', 'i', 'l', 'e', '!', '!', '!', '!', '!'},
         kCodecNotMetafile},
        {"empty.emf", Bytes{}, kCodecNotMetafile},
        {"zero-inch.wmf", MakePlaceable(plain, 2880, 1440, 0), kCodecNotMetafile},
        {"empty-box.wmf", MakePlaceable(plain, 0, 1440, 1440), kCodecNotMetafile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.File(c.name);
        test_support::WriteFileBytes(path, c.bytes);
        RgbImage image;
        EXPECT_EQ(ReadMetafileImage(path.c_str(), image), c.expected);
        EXPECT_EQ(image.pixels, nullptr);
    }
    RgbImage image;
    EXPECT_EQ(ReadMetafileImage(folder.File("missing.emf").c_str(), image), kCodecCannotOpen);
    // From a memory source there is no file to play.
    EXPECT_EQ(ReadMetafileImage(nullptr, image), kCodecBadArgument);
    EXPECT_EQ(image.pixels, nullptr);
}
