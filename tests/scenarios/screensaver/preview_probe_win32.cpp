// Stands in for the system's screensaver settings: a window with a small "monitor" child in
// which Tapestrique.scr previews, started with "/p" or "/t" and the monitor's handle. The
// probe reports, one line at a time into RESULT_FILE:
//   child X Y WIDTH HEIGHT CLASS      the screensaver's window in the monitor (screen position)
//   alive 0|1                          after HOLD seconds: the screensaver still runs
//   announced 0|1                      a WM_COPYDATA (1, 4 bytes, the child's handle) came
//   second EXIT_CODE MILLISECONDS WINDOW  a second full-screen start: how it ended, and
//                                      whether a full-screen window of it appeared (0|1)
//   ended 0|1 MILLISECONDS             the monitor closed: the screensaver ended by itself
//   usage: preview_probe.exe SCREENSAVER RESULT_FILE p|t HOLD_SECONDS
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kProbeClass[] = "TapestriquePreviewProbe";
constexpr char kMonitorClass[] = "TapestriquePreviewMonitor";
constexpr char kScreensaverClass[] = "TapestriqueScr_WndClass";

HWND g_monitor = nullptr;
bool g_announced = false;
FILE* g_result = nullptr;

void Report(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(g_result, format, arguments);
    va_end(arguments);
    std::fputc('\n', g_result);
    std::fflush(g_result);
}

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        HWND child = GetWindow(g_monitor, GW_CHILD);
        uint32_t handle = 0;
        if (data->cbData == sizeof handle) std::memcpy(&handle, data->lpData, sizeof handle);
        g_announced = wParam == 0 && data->dwData == 1 && data->cbData == 4 && child != nullptr &&
                      handle == static_cast<uint32_t>(reinterpret_cast<uintptr_t>(child));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Answers the messages of this thread for `milliseconds`.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool Start(const std::string& commandLine, PROCESS_INFORMATION& process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != 0;
}

// Waits for the process while answering messages; the milliseconds it took, or -1.
long WaitEnd(HANDLE process, DWORD patience) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < patience) {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return static_cast<long>(GetTickCount() - start);
        Pump(50);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const std::string screensaver = argv[1];
    g_result = std::fopen(argv[2], "w");
    if (g_result == nullptr) return 2;
    const char mode = argv[3][0];
    const DWORD hold = static_cast<DWORD>(std::atoi(argv[4])) * 1000;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    WNDCLASSA probeClass = {};
    probeClass.lpfnWndProc = ProbeProcedure;
    probeClass.hInstance = instance;
    probeClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    probeClass.lpszClassName = kProbeClass;
    WNDCLASSA monitorClass = probeClass;
    monitorClass.lpfnWndProc = DefWindowProcA;
    monitorClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    monitorClass.lpszClassName = kMonitorClass;
    if (!RegisterClassA(&probeClass) || !RegisterClassA(&monitorClass)) return 2;
    HWND probe = CreateWindowExA(0, kProbeClass, "Preview probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                 60, 60, 400, 300, nullptr, nullptr, instance, nullptr);
    g_monitor = CreateWindowExA(0, kMonitorClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 152, 112, probe,
                                nullptr, instance, nullptr);
    if (probe == nullptr || g_monitor == nullptr) return 2;
    Pump(200);

    char arguments[64];
    std::snprintf(arguments, sizeof arguments, " /%c %u", mode,
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(g_monitor)));
    PROCESS_INFORMATION preview = {};
    if (!Start("\"" + screensaver + "\"" + arguments, preview)) return 3;

    HWND child = nullptr;
    for (int waited = 0; waited < 200 && (child = GetWindow(g_monitor, GW_CHILD)) == nullptr; ++waited) Pump(50);
    if (child != nullptr) {
        RECT area = {};
        GetWindowRect(child, &area);
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        Report("child %ld %ld %ld %ld %s", area.left, area.top, area.right - area.left, area.bottom - area.top,
               className);
    } else {
        Report("child none");
    }
    Pump(hold);
    Report("alive %d", WaitForSingleObject(preview.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0);
    Report("announced %d", g_announced ? 1 : 0);

    PROCESS_INFORMATION second = {};
    if (Start("\"" + screensaver + "\"", second)) {
        bool fullScreenWindow = false;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000 && WaitForSingleObject(second.hProcess, 0) == WAIT_TIMEOUT) {
            fullScreenWindow = fullScreenWindow || FindWindowA(kScreensaverClass, nullptr) != nullptr;
            Pump(20);
        }
        DWORD exitCode = 9999;
        GetExitCodeProcess(second.hProcess, &exitCode);
        Report("second %lu %lu %d", exitCode, GetTickCount() - start, fullScreenWindow ? 1 : 0);
        CloseHandle(second.hThread);
        CloseHandle(second.hProcess);
    }

    DestroyWindow(probe);
    const long took = WaitEnd(preview.hProcess, 10000);
    Report("ended %d %ld", took >= 0 ? 1 : 0, took);
    if (took < 0) TerminateProcess(preview.hProcess, 1);
    CloseHandle(preview.hThread);
    CloseHandle(preview.hProcess);
    std::fclose(g_result);
    return 0;
}
