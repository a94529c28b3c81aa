// Small operations on windows that the skinned windows and the dialogs share: registering a
// window class, centring, animated showing and hiding, distances at the display's scale,
// enabling a control, opening a web address. Windows only.
#pragma once

#include <windows.h>

// Registers one of the programs' window classes the one way they all are: no class style, no
// extra bytes, the program's icons, no background brush and no menu. Windows that set the
// cursor themselves on every WM_SETCURSOR (the skinned ones) have no class cursor; the others
// the arrow. True when the class is registered, also when it already was.
[[nodiscard]] bool RegisterProgramWindowClass(const char* className, WNDPROC procedure, bool arrowCursor);

// Centres the window on `reference` (or, without one, in the desktop's work area) and, with
// `keepInside`, pushes it back into the work area (ui/window_placement.h). Its size and
// z-order stay.
void CenterWindow(HWND window, HWND reference, bool keepInside);

// What the system allows the animations: set at start-up and again whenever the system
// reports a change of its settings. Without interface effects (the user's choice) windows
// show and hide plainly; blending needs Windows XP.
void SetWindowAnimationSupport(bool interfaceEffects, bool blending);

// Shows (or, with AW_HIDE in `flags`, hides) the window through AnimateWindow for `duration`
// milliseconds, plainly when the duration is 0, when the system does not allow the animation
// or when user32 has no AnimateWindow. False when the window already was in the asked state,
// in which case nothing happens.
[[nodiscard]] bool ShowWindowAnimated(HWND window, DWORD duration, DWORD flags);

// A distance of `pixels` at 96 dots per inch at the window's resolution, so that pictures
// placed beside dialog controls keep their place and size when the display is scaled.
[[nodiscard]] int ScaledPixels(HWND window, int pixels);

// Enables or disables the control; false when there is no control or it already was so.
[[nodiscard]] bool SetControlEnabled(HWND control, bool enable);

// The program that opens ".html" files, as start-up finds it; empty or null for none, and
// addresses then go to the shell.
void SetBrowserProgram(const char* path);

// Opens the web address in the browser, else through the shell. False when neither started;
// callers show nothing then.
[[nodiscard]] bool OpenInBrowser(const char* address);
