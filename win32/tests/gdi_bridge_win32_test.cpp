// The Windows bridge, checked by reading pixels back from a DIB-section frame that stands
// in for the screen: device bitmaps keep the picture, transparent drawing leaves the key
// colour's pixels alone, and text lands where and in the colour it was asked for.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "win32/dib_frame_win32.h"
#include "win32/gdi_bridge_win32.h"

namespace {

using Pixels = std::vector<unsigned char>;

// A frame filled with one colour, standing in for the screen.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) {
        EXPECT_TRUE(frame_.Create(width, height));
        const Frame view = frame_.View();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                view.Row(y)[x] = FramePixel(GetRValue(fill), GetGValue(fill), GetBValue(fill));
        }
    }
    HDC Dc() const { return frame_.Dc(); }
    COLORREF At(int x, int y) const {
        const uint32_t pixel = frame_.View().Row(y)[x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    DibFrame frame_;
};

// A 5 × 3 picture with a different colour in every pixel; pixel (1, 1) is magenta.
Pixels TestPicture() {
    Pixels rgb(5 * 3 * 3);
    for (int i = 0; i < 15; ++i) {
        rgb[i * 3] = static_cast<unsigned char>(10 * i);
        rgb[i * 3 + 1] = static_cast<unsigned char>(200 - 10 * i);
        rgb[i * 3 + 2] = static_cast<unsigned char>(7 * i + 1);
    }
    unsigned char magenta[3] = {255, 0, 255};
    std::memcpy(&rgb[(1 * 5 + 1) * 3], magenta, 3);
    return rgb;
}

COLORREF PictureColour(const Pixels& rgb, int x, int y) {
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * 5 + x) * 3];
    return RGB(p[0], p[1], p[2]);
}

TEST(GdiBridge, BitmapsKeepThePictureAndDrawWhereAsked) {
    Pixels picture = TestPicture();
    Canvas canvas(12, 8, RGB(1, 2, 3));
    OwnedBitmap owned = RgbToBitmap(ConstRgbView(picture.data(), 5, 3, 15), nullptr, canvas.Dc());
    ASSERT_TRUE(owned.IsValid()) << GetLastCodecError();
    HBITMAP bitmap = owned.Get();
    ASSERT_TRUE(DrawBitmapToDc(canvas.Dc(), bitmap, 4, 2, 5, 3, nullptr));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            bool inside = x >= 4 && x < 9 && y >= 2 && y < 5;
            COLORREF expected = inside ? PictureColour(picture, x - 4, y - 2) : RGB(1, 2, 3);
            ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
    }

    // Transparent drawing: the magenta pixel leaves the background visible.
    Canvas second(12, 8, RGB(9, 9, 9));
    ASSERT_TRUE(DrawBitmapTransparent(second.Dc(), bitmap, 0, 0, RGB(255, 0, 255)));
    EXPECT_EQ(second.At(1, 1), RGB(9, 9, 9));
    EXPECT_EQ(second.At(0, 0), PictureColour(picture, 0, 0));
    EXPECT_EQ(second.At(2, 1), PictureColour(picture, 2, 1));
    EXPECT_EQ(second.At(4, 2), PictureColour(picture, 4, 2));
    EXPECT_EQ(second.At(5, 0), RGB(9, 9, 9));  // beyond the bitmap's own size

    // One call: convert, draw stretched to twice the size, delete.
    Canvas third(10, 6, RGB(0, 0, 0));
    ASSERT_TRUE(DrawRgbToDc(third.Dc(), ConstRgbView(picture.data(), 5, 3, 15), RECT{0, 0, 10, 6}));
    EXPECT_EQ(third.At(0, 0), PictureColour(picture, 0, 0));
    EXPECT_EQ(third.At(9, 5), PictureColour(picture, 4, 2));
    EXPECT_EQ(third.At(3, 3), PictureColour(picture, 1, 1));

    EXPECT_FALSE(RgbToBitmap(ConstRgbView(nullptr, 5, 3, 15), nullptr, canvas.Dc()).IsValid());
    EXPECT_EQ(GetLastCodecError(), kCodecBadArgument);
}

LOGFONTA TestFont() {
    LOGFONTA font = {};
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

// The tests' pictures are 120 × 60 without padding.
RgbView View(Pixels& pixels) {
    return RgbView{pixels.data(), 120, 60, 120 * 3};
}

struct TextBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};

// Where pixels of `colour` lie in the RGB buffer.
TextBox FindColour(const Pixels& rgb, int width, int height, const unsigned char colour[3]) {
    TextBox box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (std::memcmp(&rgb[(static_cast<size_t>(y) * width + x) * 3], colour, 3) != 0) continue;
            ++box.count;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

TEST(GdiBridge, TextLandsInItsBoxInItsColour) {
    const int width = 120, height = 60;
    const unsigned char orange[3] = {250, 120, 10};
    const COLORREF orangeColour = RGB(250, 120, 10);
    LOGFONTA font = TestFont();

    Pixels measured(static_cast<size_t>(width) * height * 3, 0);
    ASSERT_TRUE(DrawTextRgb(View(measured), "Hello", font, RECT{10, 5, 110, 55}, 0, 0, orangeColour));
    TextBox box = FindColour(measured, width, height, orange);
    ASSERT_GT(box.count, 20);
    EXPECT_GE(box.left, 10);
    EXPECT_GE(box.top, 5);
    EXPECT_LT(box.bottom, 5 + 24);

    // Swapped colour for blue-first buffers.
    Pixels swapped(measured.size(), 0);
    ASSERT_TRUE(DrawTextRgb(View(swapped), "Hello", font, RECT{10, 5, 110, 55}, 0, kTextSwapRedBlue, orangeColour));
    const unsigned char blueFirst[3] = {10, 120, 250};
    EXPECT_EQ(FindColour(swapped, width, height, blueFirst).count, box.count);

    // Measured from the bottom: the text keeps its shape and moves down.
    Pixels fromBottom(measured.size(), 0);
    ASSERT_TRUE(DrawTextRgb(View(fromBottom), "Hello", font, RECT{10, 5, 110, 55}, 0, kTextFromBottom, orangeColour));
    TextBox lower = FindColour(fromBottom, width, height, orange);
    EXPECT_EQ(lower.count, box.count);
    EXPECT_GT(lower.top, box.top + 20);
    EXPECT_LE(lower.bottom, height - 5);

    // Wide characters, right-aligned in the rectangle.
    Pixels right(measured.size(), 0);
    ASSERT_TRUE(DrawTextRgb(View(right), L"Hello", font, RECT{0, 0, 120, 30}, DT_RIGHT | DT_SINGLELINE | DT_CALCRECT,
                            kTextWideCharacters, orangeColour));
    TextBox rightBox = FindColour(right, width, height, orange);
    EXPECT_EQ(rightBox.count, box.count);
    EXPECT_GT(rightBox.left, 60);
    EXPECT_LE(rightBox.right, 119);

    // Nothing drawn: empty text, a rectangle that does not lie inside the picture.
    struct NothingCase {
        const char* text;
        int left, top, right, bottom;
    };
    const NothingCase nothing[] = {
        {"", 0, 0, 50, 50},    {"Hi", 30, 0, 20, 50}, {"Hi", 0, 40, 50, 30},
        {"Hi", 0, 0, 121, 50}, {"Hi", 0, 0, 50, 61},  {"Hi", -1, 0, 50, 50},
    };
    for (const NothingCase& c : nothing) {
        Pixels untouched(measured.size(), 0);
        EXPECT_TRUE(
            DrawTextRgb(View(untouched), c.text, font, RECT{c.left, c.top, c.right, c.bottom}, 0, 0, orangeColour));
        EXPECT_EQ(FindColour(untouched, width, height, orange).count, 0) << c.left << "," << c.right;
    }
}

}  // namespace

namespace {

// The generic read plays metafiles from their file; from memory they cannot be played.
TEST(GdiBridge, GenericReadPlaysMetafilesFromFilesOnly) {
    char folder[MAX_PATH], path[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameA(folder, "tqm", 0, path), 0u);
    std::strcat(path, ".emf");
    HDC recorder = CreateEnhMetaFileA(nullptr, path, nullptr, nullptr);
    ASSERT_NE(recorder, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
    RECT area = {0, 0, 40, 30};
    FillRect(recorder, &area, brush);
    DeleteObject(brush);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ASSERT_NE(metafile, nullptr);
    DeleteEnhMetaFile(metafile);

    ImageSource* source = OpenFileSource(path);
    ASSERT_NE(source, nullptr);
    RgbImage image;
    ASSERT_TRUE(ReadImageRgb24(source, image)) << GetLastCodecError();
    EXPECT_GT(image.width, 0);
    EXPECT_GT(image.height, 0);
    EXPECT_EQ(image.pixels[1], 200);  // the top-left pixel is the rectangle's green
    FreeImageRgb24(image);
    CloseSource(source);

    std::vector<unsigned char> bytes(1 << 16);
    FILE* file = std::fopen(path, "rb");
    ASSERT_NE(file, nullptr);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    source = OpenMemorySource(bytes.data(), bytes.size());
    EXPECT_FALSE(ReadImageRgb24(source, image));
    EXPECT_EQ(GetLastCodecError(), kCodecSourceUnusable);
    CloseSource(source);
    DeleteFileA(path);
}

}  // namespace
