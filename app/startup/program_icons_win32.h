// The program's two icons, "ICONTAPESTRIQUE16X16" and "ICONTAPESTRIQUE32X32", loaded once at
// start-up at the sizes the resources hold, shared read-only by the window classes and the
// tray icon, and destroyed at exit after every window. Windows only.
//
//     LoadProgramIcons(instance);        // a missing icon leaves its accessor null
//     windowClass.hIcon = LargeProgramIcon();
//     windowClass.hIconSm = SmallProgramIcon();
//     ...
//     DestroyProgramIcons();
#pragma once

#include <windows.h>

// Loads both icons from `instance` (again after DestroyProgramIcons); false when one is missing.
[[nodiscard]] bool LoadProgramIcons(HINSTANCE instance);
void DestroyProgramIcons();

// The 16 x 16 icon (small class icon, tray) and the 32 x 32 one; null before LoadProgramIcons.
[[nodiscard]] HICON SmallProgramIcon();
[[nodiscard]] HICON LargeProgramIcon();
