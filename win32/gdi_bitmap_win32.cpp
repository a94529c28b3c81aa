// Device bitmaps from RGB pictures and the blits that draw them. Every handle created here
// has a small owner so that an early return cannot leak it.
#include <cstring>
#include <memory>
#include <new>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "win32/gdi_bridge_win32.h"

namespace {

// The picture as a DIB: blue-green-red rows padded to 4 bytes, top-down.
struct PackedDib {
    BITMAPINFO info = {};
    std::unique_ptr<unsigned char[]> bits;

    [[nodiscard]] bool Fill(const ConstRgbView& picture) {
        const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
        if (rowBytes > SIZE_MAX / static_cast<size_t>(picture.height)) return false;
        bits.reset(new (std::nothrow) unsigned char[rowBytes * static_cast<size_t>(picture.height)]);
        if (bits == nullptr) return false;
        for (int y = 0; y < picture.height; ++y) {
            const unsigned char* in = picture.pixels + static_cast<ptrdiff_t>(y) * picture.stride;
            unsigned char* out = bits.get() + static_cast<size_t>(y) * rowBytes;
            for (int x = 0; x < picture.width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            std::memset(out, 0, rowBytes - static_cast<size_t>(picture.width) * 3);
        }
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = picture.width;
        info.bmiHeader.biHeight = -picture.height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        return true;
    }
};

bool IsUsable(const ConstRgbView& picture) {
    return picture.pixels != nullptr && picture.width > 0 && picture.height > 0 && picture.width <= 0x7FFFFFF &&
           static_cast<long long>(picture.stride) >= picture.width * 3LL;
}

}  // namespace

OwnedBitmap RgbToBitmap(const ConstRgbView& picture, HPALETTE palette, HDC dc) {
    if (!BeginCodecCall()) return OwnedBitmap();
    if (dc == nullptr || !IsUsable(picture)) {
        SetCodecError(kCodecBadArgument);
        return OwnedBitmap();
    }
    PackedDib dib;
    if (!dib.Fill(picture)) {
        SetCodecError(kCodecOutOfMemory);
        return OwnedBitmap();
    }
    ScopedPalette selected(dc, palette);
    OwnedBitmap bitmap(CreateCompatibleBitmap(dc, picture.width, picture.height));
    if (!bitmap.IsValid() || SetDIBits(dc, bitmap.Get(), 0, static_cast<UINT>(picture.height), dib.bits.get(),
                                       &dib.info, DIB_RGB_COLORS) == 0) {
        SetCodecError(kCodecNoDeviceBitmap);
        return OwnedBitmap();
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
    MemoryDc memory(CreateCompatibleDC(dc));
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
    MemoryDc picture(CreateCompatibleDC(dc)), mask(CreateCompatibleDC(dc)), work(CreateCompatibleDC(dc));
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

bool DrawRgbToDc(HDC dc, const ConstRgbView& picture, const RECT& target) {
    if (!BeginCodecCall()) return false;
    OwnedBitmap bitmap = RgbToBitmap(picture, nullptr, dc);
    if (!bitmap.IsValid()) return false;
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == picture.width && height == picture.height) {
        return DrawBitmapToDc(dc, bitmap.Get(), target.left, target.top, width, height, nullptr);
    }
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory.IsValid()) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    ScopedSelect chosen(memory.Get(), bitmap.Get());
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL done = StretchBlt(dc, target.left, target.top, width, height, memory.Get(), 0, 0, picture.width,
                                 picture.height, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return done != FALSE;
}
