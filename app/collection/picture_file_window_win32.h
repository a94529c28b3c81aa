// The window that shows a picture file named on the command line ("/file:"): the picture over
// the whole screen with a small dialog to save it into the collection or close it, or, when
// the file could not be read, the message for the reason.
#pragma once

#include <windows.h>

#include <functional>

#include "app/collection/owned_picture.h"
#include "app/wallpaper/apply_wallpaper.h"

struct PictureFileRequest {
    int result = 0;       // how reading the file ended (base/file_result.h)
    OwnedPicture record;  // the picture read in full, for result 0
    WallpaperScreen screen;
    // Stores the picture into the collection (owner: the window to own its questions);
    // true when it was stored.
    std::function<bool(const PictureRecord& record, HWND owner)> save;
    // Opens the main window, before a message about a file that could not be read.
    std::function<void()> openMainWindow;
};

void ShowPictureFileWindow(PictureFileRequest request);
