// Device bitmaps from the BMP pictures of the data-resource file and of skins. Windows only.
#pragma once

#include <windows.h>

#include <cstddef>

#include "codec/pixels/rgb_view.h"
#include "win32/gdi_owners_win32.h"

struct ResourceBitmap {
    OwnedBitmap bitmap;
    int width = 0;
    int height = 0;
};

// Looks the Bitmap entry up, decodes it and makes a device bitmap compatible with `window`'s
// device context. Returns an empty result when any step fails.
[[nodiscard]] ResourceBitmap LoadResourceBitmap(const char* name, HWND window);

// The same from a BMP file image in memory, and from a decoded picture.
[[nodiscard]] ResourceBitmap MakeBitmapFromBmp(const unsigned char* bmp, size_t size, HWND window);
[[nodiscard]] ResourceBitmap MakeBitmapFromImage(const ConstRgbView& image, HWND window);

// The pictures are drawn for 96 dots per inch; on a scaled display they are stretched once to
// the size they take there. Pixels are repeated, never blended, so that a key colour stays
// exact and leaves no fringe. A copy of `picture` (width × height) at the new size, compatible
// with `window`'s device context; an empty owner when it cannot be made.
[[nodiscard]] OwnedBitmap StretchedPicture(HBITMAP picture,
                                           int width,
                                           int height,
                                           int newWidth,
                                           int newHeight,
                                           HWND window);
