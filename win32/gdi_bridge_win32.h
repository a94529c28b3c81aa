// The codec layer's bridge to the Windows graphics interface: 24-bit RGB pictures to device
// bitmaps and onto device contexts, transparent drawing with a key colour, and text drawn
// into an RGB buffer. Windows build only. Failures leave their code in the calling thread's
// codec state (23 when a device bitmap or context cannot be created, 5 for bad arguments).
#pragma once

#include <windows.h>

// A device bitmap compatible with `dc` holding the picture (red, green, blue rows top-down
// without padding). The palette, when given, is selected and realised in `dc` first. The
// caller deletes the bitmap (DeleteObject). Null on failure.
[[nodiscard]] HBITMAP RgbToBitmap(const unsigned char* pixels, int width, int height, HPALETTE palette, HDC dc);

// Copies width × height pixels of the bitmap onto `dc` at (x, y) through a compatible memory
// context, realising the palette first when one is given.
[[nodiscard]] bool DrawBitmapToDc(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, HPALETTE palette);

// Draws the bitmap at (x, y) at its own size, leaving every pixel of colour `key` unpainted:
// a monochrome mask made from the key colour is combined with the picture by raster
// operations. The bitmap itself is not changed.
[[nodiscard]] bool DrawBitmapTransparent(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key);

// Converts the picture to a device bitmap, draws it at (x, y) in width × height (stretched
// when that differs from the picture's size) and deletes the bitmap again.
[[nodiscard]] bool DrawRgbToDc(HDC dc,
                               const unsigned char* pixels,
                               int pictureWidth,
                               int pictureHeight,
                               int x,
                               int y,
                               int width,
                               int height);

// Options of DrawTextRgb.
enum DrawTextOptions : int {
    kTextSwapRedBlue = 1,    // the colour's red and blue are exchanged (for blue-first buffers)
    kTextFromBottom = 2,     // `top` is measured from the bottom of the picture
    kTextWideCharacters = 4  // `text` is a UTF-16 string, else one in the system code page
};

// Draws `text` in `font` into the 24-bit buffer in `colour` (a COLORREF), at full opacity.
// `format` holds DrawText flags (DT_CALCRECT is ignored); with 0 the text box is the text's
// measured size placed at (left, top), otherwise it is the rectangle. The text is rendered
// into a one-bit mask the size of the box and the mask blended in, clipped to the picture.
// Nothing is drawn, and the call succeeds, for an empty text or a rectangle that does not
// lie inside the picture.
[[nodiscard]] bool DrawTextRgb(unsigned char* pixels,
                               int width,
                               int height,
                               int stride,
                               const void* text,
                               const LOGFONTA& font,
                               int left,
                               int top,
                               int right,
                               int bottom,
                               UINT format,
                               int options,
                               COLORREF colour);
