// A picture of the collection alone on the whole screen: the full-screen preview of the
// selected picture, and the window that shows a picture file named on the command line. Both
// compose the picture for the screen the same way and paint it as their background.
#pragma once

#include <windows.h>

#include "app/collection/owned_picture.h"
#include "app/wallpaper/apply_wallpaper.h"
#include "win32/gdi_owners_win32.h"

struct ScreenPicture {
    OwnedBitmap bitmap;
    int width = 0;
    int height = 0;
};

// The picture composed at the screen's size on the desktop colour, with its title, fitted or
// centred by its size; an empty bitmap when it cannot be composed.
[[nodiscard]] ScreenPicture ComposeScreenPicture(const PictureRecord& record,
                                                 const WallpaperScreen& screen,
                                                 HWND window);

// Paints the picture over the whole client area (the windows' background).
void PaintScreenPicture(const ScreenPicture& picture, HDC dc);

// The full-screen preview: a topmost window over the screen that shows `record` and closes on
// any key, any mouse button, the loss of activation or a mouse move of more than 100 pixels
// from where the cursor was when it opened. It owns the record. False when nothing is shown.
[[nodiscard]] bool ShowFullScreenPreview(OwnedPicture record, const WallpaperScreen& screen);
