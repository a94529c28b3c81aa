// Text into an RGB buffer: the platform renders the text into a one-bit mask the size of
// the text box, and the mask's set pixels are painted in the colour, clipped to the picture.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "win32/gdi_bridge_win32.h"
#include "win32/gdi_owners_win32.h"

namespace {

bool IsEmptyText(const void* text, bool wide) {
    if (text == nullptr) return true;
    return wide ? *static_cast<const wchar_t*>(text) == L'\0' : *static_cast<const char*>(text) == '\0';
}

int DrawPlatformText(HDC dc, const void* text, bool wide, RECT* box, UINT format) {
    if (wide) return DrawTextW(dc, static_cast<const wchar_t*>(text), -1, box, format);
    return DrawTextA(dc, static_cast<const char*>(text), -1, box, format);
}

// The mask as rows of bits (top-down, 32-bit aligned), read back from the monochrome bitmap.
struct MaskBits {
    unsigned char* bits = nullptr;
    size_t rowBytes = 0;
    ~MaskBits() { std::free(bits); }
    bool IsSet(int x, int y) const { return (bits[static_cast<size_t>(y) * rowBytes + (x >> 3)] >> (7 - (x & 7))) & 1; }
};

}  // namespace

bool DrawTextRgb(const RgbView& picture,
                 const void* text,
                 const LOGFONTA& font,
                 const RECT& box,
                 UINT format,
                 int options,
                 COLORREF colour) {
    if (!BeginCodecCall()) return false;
    const int width = picture.width;
    const int height = picture.height;
    if (picture.pixels == nullptr || width <= 0 || height <= 0 ||
        static_cast<long long>(picture.stride) < width * 3LL) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    int left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    const bool wide = (options & kTextWideCharacters) != 0;
    if (IsEmptyText(text, wide)) return true;
    if (right < left || bottom < top || left < 0 || top < 0 || right > width || bottom > height) return true;
    format &= ~static_cast<UINT>(DT_CALCRECT);

    MemoryDc dc(CreateCompatibleDC(nullptr));
    OwnedFont hfont(CreateFontIndirectA(&font));
    if (!dc.IsValid() || hfont.Get() == nullptr) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    ScopedSelect fontSelected(dc.Get(), hfont.Get());

    int boxWidth = right - left;
    int boxHeight = bottom - top;
    if (format == 0) {
        RECT measured = {0, 0, 0, 0};
        DrawPlatformText(dc.Get(), text, wide, &measured, DT_CALCRECT);
        boxWidth = measured.right - measured.left;
        boxHeight = measured.bottom - measured.top;
    }
    if (boxWidth <= 0 || boxHeight <= 0) return true;
    if (options & kTextFromBottom) top = height - boxHeight - top;

    // White text on black in a monochrome bitmap: set bits are the text's pixels.
    OwnedBitmap maskBitmap(CreateBitmap(boxWidth, boxHeight, 1, 1, nullptr));
    if (maskBitmap.Get() == nullptr) {
        SetCodecError(kCodecNoDeviceBitmap);
        return false;
    }
    {
        ScopedSelect maskSelected(dc.Get(), maskBitmap.Get());
        PatBlt(dc.Get(), 0, 0, boxWidth, boxHeight, BLACKNESS);
        SetTextColor(dc.Get(), RGB(255, 255, 255));
        SetBkMode(dc.Get(), TRANSPARENT);
        RECT box = {0, 0, boxWidth, boxHeight};
        DrawPlatformText(dc.Get(), text, wide, &box, format);
    }

    MaskBits mask;
    mask.rowBytes = ((static_cast<size_t>(boxWidth) + 31) / 32) * 4;
    mask.bits = static_cast<unsigned char*>(std::calloc(mask.rowBytes * static_cast<size_t>(boxHeight), 1));
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = boxWidth;
    info.header.biHeight = -boxHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    if (mask.bits == nullptr || GetDIBits(dc.Get(), maskBitmap.Get(), 0, static_cast<UINT>(boxHeight), mask.bits,
                                          reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0) {
        SetCodecError(mask.bits == nullptr ? kCodecOutOfMemory : kCodecNoDeviceBitmap);
        return false;
    }
    // Which DIB index the white text got depends on the colour table GetDIBits returned.
    const bool textIsOne = !(info.colours[0].rgbRed > info.colours[1].rgbRed);

    unsigned char red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    if (options & kTextSwapRedBlue) {
        unsigned char swap = red;
        red = blue;
        blue = swap;
    }
    for (int y = 0; y < boxHeight; ++y) {
        long long row = static_cast<long long>(top) + y;
        if (row < 0 || row >= height) continue;
        unsigned char* out = picture.pixels + static_cast<size_t>(row) * static_cast<size_t>(picture.stride);
        for (int x = 0; x < boxWidth; ++x) {
            long long column = static_cast<long long>(left) + x;
            if (column < 0 || column >= width) continue;
            if (mask.IsSet(x, y) != textIsOne) continue;
            unsigned char* pixel = out + static_cast<size_t>(column) * 3;
            pixel[0] = red;
            pixel[1] = green;
            pixel[2] = blue;
        }
    }
    return true;
}
