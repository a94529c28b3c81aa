// One desktop application per logon session. The first instance holds a named mutex for its
// whole life; a second start finds the mutex taken, hands its request to the first instance's
// main window and ends. The screensaver holds a mutex of its own, which the application only
// tests. Windows only.
//
//     FirstInstanceClaim claim = ClaimFirstInstance(kApplicationMutexName);
//     if (claim.otherInstanceRunning) {
//         HandOverToFirstInstance(commandLine);
//         return 0;
//     }
//     ...                                      // claim.mutex stays held until the program ends
#pragma once

#include <string>

#include "win32/system_handles_win32.h"

constexpr char kApplicationMutexName[] = "TapestriqueExe_Mutex_FirstInstance";
constexpr char kScreensaverMutexName[] = "TapestriqueScr_Mutex_FirstInstance";

// The main window as a second start looks for it.
constexpr char kMainWindowClassName[] = "TapestriqueExe_WndClass";
constexpr char kMainWindowTitle[] = "Tapestrique";

struct FirstInstanceClaim {
    bool otherInstanceRunning = false;
    OwnedHandle mutex;  // held by the first instance; empty when another instance holds it
};

// Creates the named mutex (not owned, default security). When it already existed, another
// instance runs and the handle is closed at once. A mutex that cannot be created at all does
// not stop the program: it runs without the mark.
[[nodiscard]] FirstInstanceClaim ClaimFirstInstance(const char* mutexName);

// Whether a program holds the named mutex now; nothing is kept.
[[nodiscard]] bool IsProgramRunning(const char* mutexName);

// Passes a second start's request to the first instance's main window: a command line with a
// picture file goes over whole by WM_COPYDATA, anything else opens the main window. Nothing
// happens while the first instance has no main window yet.
void HandOverToFirstInstance(const std::string& commandLine);
