// Title text in the Windows build: the system draws the text into a one-bit mask the size of
// the box (right-aligned, in Arial bold at a character height of 16 pixels), and the mask's
// set pixels take the colour on the canvas.
#include <windows.h>

#include <cstring>

#include "app/wallpaper/title_text.h"

namespace {

// Owners of the GDI objects the mask needs; not copyable.
class ScopedDc {
public:
    ScopedDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~ScopedDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    ScopedDc(const ScopedDc&) = delete;
    ScopedDc& operator=(const ScopedDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

class ScopedObject {
public:
    explicit ScopedObject(HGDIOBJ object) : object_(object) {}
    ~ScopedObject() {
        if (object_ != nullptr) DeleteObject(object_);
    }
    ScopedObject(const ScopedObject&) = delete;
    ScopedObject& operator=(const ScopedObject&) = delete;
    HGDIOBJ Get() const { return object_; }

private:
    HGDIOBJ object_;
};

class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

struct MonochromeInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

}  // namespace

bool DrawRightAlignedText(RgbImage& canvas, const char* text, const AreaRect& box, uint32_t colour) {
    if (text == nullptr || text[0] == 0) return true;
    if (box.right < box.left || box.bottom < box.top || box.left < 0 || box.top < 0 || box.right > canvas.width ||
        box.bottom > canvas.height) {
        return true;
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width == 0 || height == 0) return true;

    ScopedDc dc;
    if (dc.Get() == nullptr) return false;
    MonochromeInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down rows
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    void* bits = nullptr;
    ScopedObject mask(
        CreateDIBSection(dc.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (mask.Get() == nullptr || bits == nullptr) return false;
    ScopedObject font(CreateFontA(-kTitleFontHeight, 0, 0, 0, kTitleFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  "Arial"));
    if (font.Get() == nullptr) return false;

    const size_t rowBytes = ((static_cast<size_t>(width) + 31) / 32) * 4;
    {
        ScopedSelect selectMask(dc.Get(), mask.Get());
        ScopedSelect selectFont(dc.Get(), font.Get());
        std::memset(bits, 0, rowBytes * height);
        SetTextColor(dc.Get(), RGB(255, 255, 255));
        SetBkMode(dc.Get(), TRANSPARENT);
        RECT rectangle = {0, 0, width, height};
        if (DrawTextA(dc.Get(), text, -1, &rectangle, DT_RIGHT) == 0) return false;
        GdiFlush();
    }

    const unsigned char* maskBits = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = maskBits + static_cast<size_t>(y) * rowBytes;
        unsigned char* target = canvas.pixels + (static_cast<size_t>(box.top + y) * canvas.width + box.left) * 3;
        for (int x = 0; x < width; ++x) {
            if ((row[x >> 3] & (0x80 >> (x & 7))) == 0) continue;
            target[x * 3] = static_cast<unsigned char>(colour);
            target[x * 3 + 1] = static_cast<unsigned char>(colour >> 8);
            target[x * 3 + 2] = static_cast<unsigned char>(colour >> 16);
        }
    }
    return true;
}

bool IsTitleDrawingAvailable() {
    return true;
}
