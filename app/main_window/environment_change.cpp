#include "app/main_window/environment_change.h"

namespace {

bool SameArea(const AreaRect& a, const AreaRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

EnvironmentChange DecideEnvironmentChange(const WallpaperScreen& previous,
                                          const WallpaperScreen& current,
                                          bool useOnlyWorkArea,
                                          bool pictureSelected) {
    bool colourChanged =
        previous.desktopColour != kDesktopColourUnread && previous.desktopColour != current.desktopColour;
    bool screenChanged = previous.width != current.width || previous.height != current.height;
    bool workAreaChanged = !SameArea(previous.workArea, current.workArea);
    EnvironmentChange change;
    change.reapplyWallpaper = colourChanged || screenChanged || (workAreaChanged && useOnlyWorkArea);
    change.redrawPreview = colourChanged && pictureSelected;
    return change;
}
