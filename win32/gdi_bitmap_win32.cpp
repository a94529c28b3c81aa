// Device bitmaps from RGB pictures and the blits that draw them. Every handle created here
// has a small owner so that an early return cannot leak it.
#include <cstdlib>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "win32/gdi_bridge_win32.h"
#include "win32/gdi_owners_win32.h"

namespace {

// The picture as a bottom-up-free DIB: blue-green-red rows padded to 4 bytes, top-down.
struct PackedDib {
    BITMAPINFO info = {};
    unsigned char* bits = nullptr;

    PackedDib() = default;
    ~PackedDib() { std::free(bits); }
    PackedDib(const PackedDib&) = delete;
    PackedDib& operator=(const PackedDib&) = delete;

    bool Fill(const unsigned char* pixels, int width, int height) {
        size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        if (rowBytes > SIZE_MAX / static_cast<size_t>(height)) return false;
        bits = static_cast<unsigned char*>(std::malloc(rowBytes * static_cast<size_t>(height)));
        if (bits == nullptr) return false;
        for (int y = 0; y < height; ++y) {
            const unsigned char* in = pixels + static_cast<size_t>(y) * width * 3;
            unsigned char* out = bits + static_cast<size_t>(y) * rowBytes;
            for (int x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            std::memset(out, 0, rowBytes - static_cast<size_t>(width) * 3);
        }
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        return true;
    }
};

}  // namespace

HBITMAP RgbToBitmap(const unsigned char* pixels, int width, int height, HPALETTE palette, HDC dc) {
    if (!BeginCodecCall()) return nullptr;
    if (pixels == nullptr || dc == nullptr || width <= 0 || height <= 0 || width > 0x7FFFFFF) {
        SetCodecError(kCodecBadArgument);
        return nullptr;
    }
    PackedDib dib;
    if (!dib.Fill(pixels, width, height)) {
        SetCodecError(kCodecOutOfMemory);
        return nullptr;
    }
    ScopedPalette selected(dc, palette);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    if (bitmap == nullptr) {
        SetCodecError(kCodecNoDeviceBitmap);
        return nullptr;
    }
    if (SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), dib.bits, &dib.info, DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        SetCodecError(kCodecNoDeviceBitmap);
        return nullptr;
    }
    return bitmap;
}

bool DrawBitmapToDc(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, HPALETTE palette) {
    if (!BeginCodecCall()) return false;
    if (dc == nullptr || bitmap == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    ScopedPalette selected(dc, palette);
    MemoryDc memory(dc);
    if (!memory.IsValid()) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    ScopedSelect chosen(memory.Get(), bitmap);
    return BitBlt(dc, x, y, width, height, memory.Get(), 0, 0, SRCCOPY) != FALSE;
}

bool DrawBitmapTransparent(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key) {
    if (!BeginCodecCall()) return false;
    BITMAP description = {};
    if (dc == nullptr || bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) == 0) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    const int width = description.bmWidth;
    const int height = description.bmHeight;
    MemoryDc picture(dc), mask(dc), work(dc);
    OwnedBitmap maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    OwnedBitmap workBitmap(CreateCompatibleBitmap(dc, width, height));
    if (!picture.IsValid() || !mask.IsValid() || !work.IsValid() || maskBitmap.Get() == nullptr ||
        workBitmap.Get() == nullptr) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    ScopedSelect pictureSelected(picture.Get(), bitmap);
    ScopedSelect maskSelected(mask.Get(), maskBitmap.Get());
    ScopedSelect workSelected(work.Get(), workBitmap.Get());

    // Mask: 1 where the picture has the key colour (a colour-to-monochrome copy sets the
    // pixels that match the source's background colour).
    COLORREF oldBackground = SetBkColor(picture.Get(), key);
    BitBlt(mask.Get(), 0, 0, width, height, picture.Get(), 0, 0, SRCCOPY);
    SetBkColor(picture.Get(), oldBackground);

    // The picture with its key pixels turned black, in a work copy. Monochrome to colour
    // maps 0 to the text colour and 1 to the background colour.
    BitBlt(work.Get(), 0, 0, width, height, picture.Get(), 0, 0, SRCCOPY);
    SetTextColor(work.Get(), RGB(255, 255, 255));
    SetBkColor(work.Get(), RGB(0, 0, 0));
    BitBlt(work.Get(), 0, 0, width, height, mask.Get(), 0, 0, SRCAND);

    // The destination cleared where the picture is opaque, then the picture added in.
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    oldBackground = SetBkColor(dc, RGB(255, 255, 255));
    BOOL done = BitBlt(dc, x, y, width, height, mask.Get(), 0, 0, SRCAND);
    done = done && BitBlt(dc, x, y, width, height, work.Get(), 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBackground);
    return done != FALSE;
}

bool DrawRgbToDc(HDC dc,
                 const unsigned char* pixels,
                 int pictureWidth,
                 int pictureHeight,
                 int x,
                 int y,
                 int width,
                 int height) {
    if (!BeginCodecCall()) return false;
    OwnedBitmap bitmap(RgbToBitmap(pixels, pictureWidth, pictureHeight, nullptr, dc));
    if (bitmap.Get() == nullptr) return false;
    if (width == pictureWidth && height == pictureHeight)
        return DrawBitmapToDc(dc, bitmap.Get(), x, y, width, height, nullptr);
    MemoryDc memory(dc);
    if (!memory.IsValid()) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    ScopedSelect chosen(memory.Get(), bitmap.Get());
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    BOOL done = StretchBlt(dc, x, y, width, height, memory.Get(), 0, 0, pictureWidth, pictureHeight, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return done != FALSE;
}
