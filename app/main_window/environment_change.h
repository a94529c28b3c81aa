// What a change of the system's settings (WM_WININICHANGE) means for the wallpaper. The main
// window keeps the screen as it last read it; after reading it again it asks this whether
// the wallpaper must be composed again and whether the preview must be redrawn on the new
// desktop colour.
#pragma once

#include "app/wallpaper/apply_wallpaper.h"

// The desktop colour before its first reading; a COLORREF never has its top byte set.
constexpr uint32_t kDesktopColourUnread = 0xFFFFFFFF;

struct EnvironmentChange {
    bool reapplyWallpaper = false;  // send WM_APP_APPLY_WALLPAPER, once
    bool redrawPreview = false;     // run the selection change again
};

// A new desktop colour (after an earlier reading) or screen size always re-applies the
// wallpaper; a new work area only when the pictures use the work area alone. The preview is
// redrawn for a new colour while a picture is selected.
[[nodiscard]] EnvironmentChange DecideEnvironmentChange(const WallpaperScreen& previous,
                                                        const WallpaperScreen& current,
                                                        bool useOnlyWorkArea,
                                                        bool pictureSelected);
