// A window-procedure hook that the settings probe puts on the whole desktop, so that the system
// loads this library into Tapestrique.exe: every position given to a progress bar there is
// posted to the probe's watching window. A progress dialog that closes the moment it reaches
// 100 shows that last position too briefly for any look from outside.
#include <windows.h>

#include <commctrl.h>

#include "tests/scenarios/settings_sheet/progress_watch_win32.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    WatchProgressPositions(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION) {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        char className[32] = {};
        // Other classes take messages of the same number (WM_USER + 2) for other purposes.
        if (call.message == PBM_SETPOS && GetClassNameA(call.hwnd, className, sizeof className) > 0 &&
            lstrcmpiA(className, PROGRESS_CLASSA) == 0) {
            if (HWND watcher = FindWindowA(kProgressWatcherClass, nullptr)) {
                PostMessageA(watcher, kProgressPositionMessage, call.wParam, 0);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
