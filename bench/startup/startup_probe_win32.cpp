// Watches Tapestrique.exe from another process on the same desktop: how long its start takes
// and how much memory it holds (the start-up benchmark), and when its main window shows, so
// that `make run` photographs the window and then ends the program the way a user does.
//
//   startup_probe launch SECONDS PROGRAM [ARGUMENTS]
//       starts PROGRAM and waits until its tray icon is present and, unless the arguments hold
//       "/hidden", its main window is shown; waits until it is idle, then prints
//       "tray_ms=N window_ms=N peak_working_set_kb=N cpu_ms=N" (window_ms -1 when hidden), ends it
//       with Exit and waits for the process
//   startup_probe wait-shown SECONDS
//       waits until the main window of a running Tapestrique is shown and idle, and prints its
//       rectangle "X Y WIDTH HEIGHT"
//   startup_probe exit SECONDS
//       ends a running Tapestrique with Exit and waits until its process has ended
//
// Exit codes: 0 done; 1 nothing happened in SECONDS, or the program ended with another code
// than 0; 2 wrong usage.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/main_window/menu_commands.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/startup/single_instance_win32.h"
#include "win32/system_handles_win32.h"

namespace {

constexpr DWORD kPollMilliseconds = 20;

HWND FindMainWindow() {
    return FindWindowA(kMainWindowClassName, kMainWindowTitle);
}

bool MainWindowShown(HWND window) {
    return window != nullptr && IsWindowVisible(window);
}

// Milliseconds since it was made.
class Stopwatch {
public:
    [[nodiscard]] long long Milliseconds() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Polls `ready` until it holds or the clock passes `deadlineMs`; true when it held.
template <typename Condition>
bool WaitUntil(const Stopwatch& clock, long long deadlineMs, Condition ready) {
    while (!ready()) {
        if (clock.Milliseconds() > deadlineMs) return false;
        Sleep(kPollMilliseconds);
    }
    return true;
}

OwnedHandle OpenWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OwnedHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
}

// The processor time the process has used so far, user and kernel: unlike the time to the
// tray, it hardly depends on what else the machine does.
long long ProcessorMilliseconds(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    auto ticks = [](const FILETIME& time) {
        return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                      time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000;
}

// Exit from the menu, then the process's end and its exit code.
int ExitAndWait(HWND window, HANDLE process, DWORD milliseconds) {
    PostMessageA(window, WM_COMMAND, kCommandExit, 0);
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "startup_probe: the program did not end after Exit\n");
        return 1;
    }
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    if (code != 0) std::fprintf(stderr, "startup_probe: the program ended with code %lu\n", code);
    return code == 0 ? 0 : 1;
}

int Launch(DWORD seconds, int argumentCount, char** arguments) {
    std::string commandLine = std::string("\"") + arguments[0] + "\"";
    bool hidden = false;
    for (int index = 1; index < argumentCount; ++index) {
        commandLine += std::string(" ") + arguments[index];
        if (_stricmp(arguments[index], "/hidden") == 0) hidden = true;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    Stopwatch clock;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        std::fprintf(stderr, "startup_probe: cannot start %s (error %lu)\n", arguments[0], GetLastError());
        return 1;
    }
    OwnedHandle process(started.hProcess);
    OwnedHandle thread(started.hThread);
    const long long deadline = seconds * 1000LL;

    HWND window = nullptr;
    long long trayMs = -1;
    long long windowMs = -1;
    bool ready = WaitUntil(clock, deadline, [&] {
        if (window == nullptr) window = FindMainWindow();
        if (window == nullptr) return false;
        if (trayMs < 0 && IsTrayIconPresent(window)) trayMs = clock.Milliseconds();
        if (!hidden && windowMs < 0 && MainWindowShown(window)) windowMs = clock.Milliseconds();
        return trayMs >= 0 && (hidden || windowMs >= 0);
    });
    if (!ready) {
        std::fprintf(stderr, "startup_probe: no %s in %lu s (window %p)\n",
                     hidden ? "tray icon" : "tray icon and window", seconds, static_cast<void*>(window));
        TerminateProcess(process.Get(), 1);
        return 1;
    }
    // The start is over once the program waits for input; the peak covers all of it.
    WaitForInputIdle(process.Get(), seconds * 1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process.Get(), &memory, sizeof memory)) memory.PeakWorkingSetSize = 0;
    std::printf("tray_ms=%lld window_ms=%lld peak_working_set_kb=%llu cpu_ms=%lld\n", trayMs, windowMs,
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
                ProcessorMilliseconds(process.Get()));
    std::fflush(stdout);
    return ExitAndWait(window, process.Get(), seconds * 1000);
}

int WaitShown(DWORD seconds) {
    Stopwatch clock;
    HWND window = nullptr;
    if (!WaitUntil(clock, seconds * 1000LL, [&] { return MainWindowShown(window = FindMainWindow()); })) {
        std::fprintf(stderr, "startup_probe: the main window did not show in %lu s\n", seconds);
        return 1;
    }
    OwnedHandle process = OpenWindowProcess(window);
    if (process.IsValid()) WaitForInputIdle(process.Get(), seconds * 1000);
    RECT rectangle{};
    GetWindowRect(window, &rectangle);
    std::printf("%ld %ld %ld %ld\n", rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                rectangle.bottom - rectangle.top);
    return 0;
}

int Exit(DWORD seconds) {
    HWND window = FindMainWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "startup_probe: no main window to end\n");
        return 1;
    }
    OwnedHandle process = OpenWindowProcess(window);
    if (!process.IsValid()) {
        std::fprintf(stderr, "startup_probe: cannot open the program's process\n");
        return 1;
    }
    return ExitAndWait(window, process.Get(), seconds * 1000);
}

}  // namespace

int main(int argumentCount, char** arguments) {
    const DWORD seconds = argumentCount >= 3 ? std::strtoul(arguments[2], nullptr, 10) : 0;
    if (seconds > 0 && std::strcmp(arguments[1], "launch") == 0 && argumentCount >= 4)
        return Launch(seconds, argumentCount - 3, arguments + 3);
    if (seconds > 0 && std::strcmp(arguments[1], "wait-shown") == 0 && argumentCount == 3) return WaitShown(seconds);
    if (seconds > 0 && std::strcmp(arguments[1], "exit") == 0 && argumentCount == 3) return Exit(seconds);
    std::fprintf(stderr,
                 "usage: startup_probe launch SECONDS PROGRAM [ARGUMENTS] | wait-shown SECONDS | exit SECONDS\n");
    return 2;
}
