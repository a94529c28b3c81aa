// Looks at a running Tapestrique.exe from outside, as another program on the same desktop
// sees it, and drives what a user's input cannot reach cheaply. Used by the tapestrique_exe
// scenarios; it must run on the program's desktop. Prints lines of key=value.
//
//   tapestrique_probe state                 the main window: window, visible, tray (its icon),
//                                           rect (x y width height), count and details (the
//                                           labels' texts), picture (a picture window is open)
//   tapestrique_probe wait CONDITION SECONDS   waits until the main window is "shown", "hidden"
//                                           (in the tray) or "gone" (window and tray icon),
//                                           then prints the state
//   tapestrique_probe command open|exit|screensaver   posts the menu command to the main window
//   tapestrique_probe system-close          sends the main window the system close command
//   tapestrique_probe control-centre ID     centre: the middle of a main-window control
//   tapestrique_probe processes NAME        processes: how many run the program NAME
//   tapestrique_probe install-dialog SECONDS   waits for the installation dialog: dialog,
//                                           close (its button's text), centre (the button's
//                                           middle), link (the download link exists)
//   tapestrique_probe picture-window SECONDS   waits for a picture opened from a command line
//                                           or downloaded: picture (its title), save (it has a
//                                           Save button), save_centre and centre (the middles of
//                                           its Save and Close buttons)
//   tapestrique_probe announcement shown|hidden SECONDS [HEADLINE]   waits until the new-image
//                                           notification is shown (with a headline that begins
//                                           with HEADLINE) or hidden: visible, headline,
//                                           description, rect, centre (its close button's middle),
//                                           workarea (left top right bottom of the desktop's)
//   tapestrique_probe menu SECONDS          waits for a popup menu to open: menu (its rect)
//   tapestrique_probe full-screen SECONDS   another program in front: a borderless window over
//                                           the whole screen, taken back to the foreground
//                                           whenever it loses it, until it is closed or the time
//                                           is up; prints full_screen (its rect) once in front
//   tapestrique_probe close-full-screen     closes that window
//
// Coordinates are the desktop's. Exit codes: 0 done, 1 the window or the condition did not
// come in time, 64 wrong usage.
#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/main_window/menu_commands.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/online/new_image_window_win32.h"
#include "tests/scenarios/tapestrique_exe/exe_windows_win32.h"
#include "ui/control_ids.h"
#include "win32/system_handles_win32.h"

namespace {

constexpr char kPopupMenuClass[] = "#32768";
constexpr char kFullScreenClass[] = "TapestriqueProbeFullScreen";
constexpr UINT_PTR kForegroundTimer = 1;

std::string ControlText(HWND window, int id) {
    char text[256] = {};
    HWND control = GetDlgItem(window, id);
    if (control != nullptr) GetWindowTextA(control, text, sizeof text);
    return text;
}

// The visible top-level window of the class (and title, unless null): windows that have
// closed may leave hidden ones of the same class behind, menus in particular.
HWND FindVisibleWindow(const char* className, const char* title) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

void PrintCentre(HWND control, const char* key = "centre") {
    RECT rect = {};
    if (control != nullptr) GetWindowRect(control, &rect);
    std::printf("%s=%ld %ld\n", key, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void PrintState(HWND window) {
    RECT rect = {};
    if (window != nullptr) GetWindowRect(window, &rect);
    std::printf("window=%d\nvisible=%d\ntray=%d\n", window != nullptr, window != nullptr && IsWindowVisible(window),
                IsTrayIconPresent(window));
    std::printf("rect=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::printf("count=%s\ndetails=%s\n", ControlText(window, kMainCountLabel).c_str(),
                ControlText(window, kMainDetailsLabel).c_str());
    std::printf("picture=%d\n", FindVisibleWindow(kPictureWindowClass, nullptr) != nullptr);
}

// The visible window of the class (and title), once it has come within the time; null if not.
HWND WaitForVisibleWindow(const char* className, const char* title, int seconds) {
    HWND window = nullptr;
    (void)WaitUntil([&] { return (window = FindVisibleWindow(className, title)) != nullptr; }, seconds);
    return window;
}

bool IsCondition(const char* condition) {
    return std::strcmp(condition, "shown") == 0 || std::strcmp(condition, "hidden") == 0 ||
           std::strcmp(condition, "gone") == 0;
}

int Wait(const char* condition, int seconds) {
    // The window seen last, so that its tray icon can still be asked for once it has gone.
    HWND last = FindMainWindow();
    const bool reached = WaitUntil(
        [&] {
            HWND window = FindMainWindow();
            if (window != nullptr) last = window;
            if (std::strcmp(condition, "shown") == 0) return window != nullptr && IsWindowVisible(window) != FALSE;
            if (std::strcmp(condition, "hidden") == 0) {
                return window != nullptr && !IsWindowVisible(window) && IsTrayIconPresent(window);
            }
            return window == nullptr && !IsTrayIconPresent(last);
        },
        seconds);
    PrintState(FindMainWindow());
    return reached ? 0 : 1;
}

int PostCommand(UINT command) {
    HWND window = FindMainWindow();
    return window != nullptr && PostMessageA(window, WM_COMMAND, command, 0) ? 0 : 1;
}

int SystemClose() {
    HWND window = FindMainWindow();
    if (window == nullptr) return 1;
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

int ControlCentre(int id) {
    HWND control = GetDlgItem(FindMainWindow(), id);
    if (control == nullptr) return 1;
    PrintCentre(control);
    return 0;
}

int CountProcesses(const char* name) {
    // The snapshot reports failure with INVALID_HANDLE_VALUE, as files do.
    OwnedFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return 1;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, name) == 0) ++count;
    }
    std::printf("processes=%d\n", count);
    return 0;
}

int DescribeInstallDialog(int seconds) {
    HWND dialog = WaitForVisibleWindow(reinterpret_cast<LPCSTR>(WC_DIALOG), kMainWindowTitle, seconds);
    std::printf("dialog=%d\n", dialog != nullptr);
    if (dialog == nullptr) return 1;
    std::printf("close=%s\nlink=%d\n", ControlText(dialog, kDialogCancel).c_str(),
                GetDlgItem(dialog, kLinkLabel) != nullptr);
    PrintCentre(GetDlgItem(dialog, kDialogCancel));
    return 0;
}

int DescribePictureWindow(int seconds) {
    HWND window = WaitForVisibleWindow(kPictureWindowClass, nullptr, seconds);
    if (window == nullptr) return 1;
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    std::printf("picture=%s\n", title);
    HWND buttons = FindPictureButtons(window);
    HWND save = buttons != nullptr ? GetDlgItem(buttons, kOpenTqiFileSave) : nullptr;
    std::printf("save=%d\n", save != nullptr);
    PrintCentre(save, "save_centre");
    PrintCentre(buttons != nullptr ? GetDlgItem(buttons, kDialogCancel) : nullptr);
    return 0;
}

int DescribeAnnouncement(const char* condition, int seconds, const char* headline) {
    const bool shown = std::strcmp(condition, "shown") == 0;
    HWND window = nullptr;
    const bool reached = WaitUntil(
        [&] {
            window = FindWindowA(kNewImageWindowClassName, kMainWindowTitle);
            if (window == nullptr) return false;
            if (!shown) return IsWindowVisible(window) == FALSE;
            return IsWindowVisible(window) != FALSE &&
                   ControlText(window, kNewImageHeadline).starts_with(headline != nullptr ? headline : "");
        },
        seconds);
    RECT rect = {};
    if (window != nullptr) GetWindowRect(window, &rect);
    std::printf("visible=%d\nheadline=%s\ndescription=%s\n", window != nullptr && IsWindowVisible(window),
                ControlText(window, kNewImageHeadline).c_str(), ControlText(window, kNewImageDescription).c_str());
    std::printf("rect=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    PrintCentre(window != nullptr ? GetDlgItem(window, kNewImageCloseButton) : nullptr);
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    std::printf("workarea=%ld %ld %ld %ld\n", workArea.left, workArea.top, workArea.right, workArea.bottom);
    return reached ? 0 : 1;
}

int DescribePopupMenu(int seconds) {
    HWND menu = WaitForVisibleWindow(kPopupMenuClass, nullptr, seconds);
    if (menu == nullptr) return 1;
    RECT rect;
    GetWindowRect(menu, &rect);
    std::printf("menu=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

LRESULT CALLBACK FullScreenProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int ShowFullScreen(int seconds) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FullScreenProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kFullScreenClass;
    if (RegisterClassA(&windowClass) == 0) return 1;
    // Not topmost: a window in front counts as full screen only by covering the whole screen.
    HWND window = CreateWindowExA(0, kFullScreenClass, "full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    SetForegroundWindow(window);
    SetTimer(window, kForegroundTimer, 200, nullptr);
    const DWORD start = GetTickCount();
    bool reported = false;
    MSG message;
    while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        if (!reported && GetForegroundWindow() == window) {
            RECT rect;
            GetWindowRect(window, &rect);
            std::printf("full_screen=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
            std::fflush(stdout);
            reported = true;
        }
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) return 0;
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    return 1;
}

int CloseFullScreen() {
    HWND window = FindWindowA(kFullScreenClass, nullptr);
    return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tapestrique_probe state | wait shown|hidden|gone SECONDS | command open|exit|screensaver |\n"
                 "       system-close | control-centre ID | processes NAME | install-dialog SECONDS |\n"
                 "       picture-window SECONDS | menu SECONDS | announcement shown|hidden SECONDS [HEADLINE] |\n"
                 "       full-screen SECONDS | close-full-screen\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string action = argv[1];
    if (action == "state") {
        PrintState(FindMainWindow());
        return 0;
    }
    if (action == "system-close") return SystemClose();
    if (action == "close-full-screen") return CloseFullScreen();
    if (argc < 3) return Usage();
    if (action == "wait" && argc == 4 && IsCondition(argv[2])) return Wait(argv[2], std::atoi(argv[3]));
    if (action == "command" && std::strcmp(argv[2], "open") == 0) return PostCommand(kCommandOpen);
    if (action == "command" && std::strcmp(argv[2], "exit") == 0) return PostCommand(kCommandExit);
    if (action == "command" && std::strcmp(argv[2], "screensaver") == 0) return PostCommand(kCommandEnableScreensaver);
    if (action == "control-centre") return ControlCentre(std::atoi(argv[2]));
    if (action == "processes") return CountProcesses(argv[2]);
    if (action == "install-dialog") return DescribeInstallDialog(std::atoi(argv[2]));
    if (action == "picture-window") return DescribePictureWindow(std::atoi(argv[2]));
    if (action == "menu") return DescribePopupMenu(std::atoi(argv[2]));
    if (action == "full-screen") return ShowFullScreen(std::atoi(argv[2]));
    if (action == "announcement" && argc >= 4 &&
        (std::strcmp(argv[2], "shown") == 0 || std::strcmp(argv[2], "hidden") == 0)) {
        return DescribeAnnouncement(argv[2], std::atoi(argv[3]), argc >= 5 ? argv[4] : nullptr);
    }
    return Usage();
}
