#include "app/startup/program_icons_win32.h"

#include "win32/gdi_owners_win32.h"

namespace {

// Written at start-up and at exit on the main thread only; read-only in between.
OwnedIcon g_smallIcon;
OwnedIcon g_largeIcon;

HICON LoadIconAtResourceSize(HINSTANCE instance, const char* name) {
    // Width and height 0 without LR_DEFAULTSIZE: the size the resource holds, not the system's.
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

bool LoadProgramIcons(HINSTANCE instance) {
    g_smallIcon.Reset(LoadIconAtResourceSize(instance, "ICONTAPESTRIQUE16X16"));
    g_largeIcon.Reset(LoadIconAtResourceSize(instance, "ICONTAPESTRIQUE32X32"));
    return g_smallIcon.IsValid() && g_largeIcon.IsValid();
}

void DestroyProgramIcons() {
    g_smallIcon.Reset();
    g_largeIcon.Reset();
}

HICON SmallProgramIcon() {
    return g_smallIcon.Get();
}

HICON LargeProgramIcon() {
    return g_largeIcon.Get();
}
