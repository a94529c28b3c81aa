// The bitmap control: a child window of a dialog that shows a Bitmap entry of the
// data-resource file, opaque or with a key colour left out (the "_TrFF00FF" entries with
// magenta). It makes its device bitmap when it is created and frees it with itself; a missing
// entry leaves it empty. Windows only.
//
//     // the icon of a group box, 12 pixels in from its corner and 20 down
//     (void)CreateDialogBitmap(page, kGroupBox, 12, 20, 32, 32, "BitmapWallpaper_TrFF00FF", true, kMagenta);
#pragma once

#include <windows.h>

inline constexpr char kDialogBitmapClass[] = "TapestriqueDialogBitmap_WndClass";

// Registers the control's window class once per process; true when it is registered.
[[nodiscard]] bool RegisterDialogBitmapClass();

// Creates a visible bitmap control of width × height at (dx, dy) from the top-left corner of
// the dialog's control `referenceId` (or of the dialog's client area for 0), showing the
// entry. The size is the picture's at 96 dots per inch: on a scaled display the control and
// its picture grow with the dialog (the offsets are the caller's, in the dialog's pixels).
// Registers the class when needed. True when the window exists.
[[nodiscard]] bool CreateDialogBitmap(HWND dialog,
                                      int referenceId,
                                      int dx,
                                      int dy,
                                      int width,
                                      int height,
                                      const char* entryName,
                                      bool transparent,
                                      COLORREF keyColour);
