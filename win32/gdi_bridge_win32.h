// The codec layer's bridge to the Windows graphics interface: 24-bit RGB pictures to device
// bitmaps and onto device contexts, transparent drawing with a key colour, and text drawn
// into an RGB buffer. Windows build only. Failures leave their code in the calling thread's
// codec state (23 when a device bitmap or context cannot be created, 5 for bad arguments).
#pragma once

#include <windows.h>

#include "codec/pixels/rgb_view.h"
#include "win32/gdi_owners_win32.h"

// A device bitmap compatible with `dc` holding the picture. The palette, when given, is
// selected and realised in `dc` first. An empty owner on failure.
[[nodiscard]] OwnedBitmap RgbToBitmap(const ConstRgbView& picture, HPALETTE palette, HDC dc);

// Copies width × height pixels of the bitmap onto `dc` at (x, y) through a compatible memory
// context, realising the palette first when one is given.
[[nodiscard]] bool DrawBitmapToDc(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, HPALETTE palette);

// Draws the bitmap at (x, y) at its own size, leaving every pixel of colour `key` unpainted:
// a monochrome mask made from the key colour is combined with the picture by raster
// operations. The bitmap itself is not changed.
[[nodiscard]] bool DrawBitmapTransparent(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key);

// Converts the picture to a device bitmap and draws it into `target` (stretched when the
// rectangle's size differs from the picture's). Frames drawn often go faster through a
// DIB section (win32/dib_frame_win32.h), which needs no conversion on the way to the screen.
[[nodiscard]] bool DrawRgbToDc(HDC dc, const ConstRgbView& picture, const RECT& target);

// Options of DrawTextRgb.
enum DrawTextOptions : int {
    kTextSwapRedBlue = 1,    // the colour's red and blue are exchanged (for blue-first buffers)
    kTextFromBottom = 2,     // the box's top is measured from the bottom of the picture
    kTextWideCharacters = 4  // `text` is a UTF-16 string, else one in the system code page
};

// Draws `text` in `font` into the picture in `colour` (a COLORREF), at full opacity.
// `format` holds DrawText flags (DT_CALCRECT is ignored); with 0 the text box is the text's
// measured size placed at the box's top-left corner, otherwise it is the box. The text is
// rendered into a one-bit mask the size of the box and the mask blended in, clipped to the
// picture. Nothing is drawn, and the call succeeds, for an empty text or a box that does not
// lie inside the picture.
[[nodiscard]] bool DrawTextRgb(const RgbView& picture,
                               const void* text,
                               const LOGFONTA& font,
                               const RECT& box,
                               UINT format,
                               int options,
                               COLORREF colour);
