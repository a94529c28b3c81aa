#include "ui/window_helpers_win32.h"

#include <shellapi.h>

#include <string>

#include "ui/window_placement.h"

namespace {

bool g_interfaceEffects = true;
bool g_blending = true;
std::string g_browser;

ScreenRect ToScreenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool WantsPlainShow(DWORD duration, DWORD flags) {
    return duration == 0 || !g_interfaceEffects || ((flags & AW_BLEND) != 0 && !g_blending);
}

void ShowPlainly(HWND window, DWORD flags) {
    ShowWindow(window, (flags & AW_HIDE) != 0 ? SW_HIDE : SW_SHOWNORMAL);
}

// Looked up at each call: user32 of the oldest systems has no AnimateWindow.
using AnimateWindowFunction = BOOL(WINAPI*)(HWND, DWORD, DWORD);
AnimateWindowFunction FindAnimateWindow() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<AnimateWindowFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "AnimateWindow")));
}

}  // namespace

bool RegisterProgramWindowClass(const char* className, WNDPROC procedure, bool arrowCursor) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing)) return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "ICONTAPESTRIQUE32X32");
    windowClass.hIconSm = LoadIconA(instance, "ICONTAPESTRIQUE16X16");
    windowClass.hCursor = arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass) != 0;
}

void CenterWindow(HWND window, HWND reference, bool keepInside) {
    RECT windowRect, referenceRect, workArea;
    if (!GetWindowRect(window, &windowRect)) return;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) {
        workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const bool hasReference = reference != nullptr && GetWindowRect(reference, &referenceRect);
    const ScreenRect around = hasReference ? ToScreenRect(referenceRect) : ScreenRect{};
    const ScreenPoint at = CenteredPosition(ToScreenRect(windowRect), hasReference ? &around : nullptr,
                                            ToScreenRect(workArea), keepInside);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetWindowAnimationSupport(bool interfaceEffects, bool blending) {
    g_interfaceEffects = interfaceEffects;
    g_blending = blending;
}

bool ShowWindowAnimated(HWND window, DWORD duration, DWORD flags) {
    const bool hide = (flags & AW_HIDE) != 0;
    if ((IsWindowVisible(window) != FALSE) != hide) return false;
    AnimateWindowFunction animate = WantsPlainShow(duration, flags) ? nullptr : FindAnimateWindow();
    if (animate == nullptr || !animate(window, duration, flags)) ShowPlainly(window, flags);
    return true;
}

int ScaledPixels(HWND window, int pixels) {
    // GetDpiForWindow exists from Windows 10 on; older systems scale by the system's resolution.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    int dpi = dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
    if (dpi == 0) {
        HDC dc = GetDC(window);
        dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(window, dc);
    }
    return dpi > 0 ? MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI) : pixels;
}

bool SetControlEnabled(HWND control, bool enable) {
    if (control == nullptr || !IsWindow(control)) return false;
    if ((IsWindowEnabled(control) != FALSE) == enable) return false;
    EnableWindow(control, enable ? TRUE : FALSE);
    return true;
}

void SetBrowserProgram(const char* path) {
    g_browser = path != nullptr ? path : "";
}

bool OpenInBrowser(const char* address) {
    if (address == nullptr || *address == '\0') return false;
    if (!g_browser.empty()) {
        std::string commandLine = "\"" + g_browser + "\" " + address;
        return WinExec(commandLine.c_str(), SW_SHOWNORMAL) >= 32;
    }
    HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
