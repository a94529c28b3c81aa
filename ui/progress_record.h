// What a progress message (WM_APP_PROGRESS) carries: the record that the sender passes by
// address, which display of the receiver it is meant for, and the bar positions of the
// start-up, when the main thread reads the collection while the initialization window shows
// how far it got. Portable: the sending and the windows that answer are Windows-only
// (ui/worker_thread_win32.h, ui/initialization_window_win32.h).
#pragma once

#include <cstdint>

// Which progress display of the receiving window a progress message is meant for (its wParam);
// a window acts only on its own display and ignores the others.
enum ProgressDisplay : uintptr_t {
    kProgressDownload = 1,        // the new-image window's download percentage
    kProgressImport = 2,          // an import dialog
    kProgressInitialization = 3,  // the initialization window
};

// Position of a record that leaves the bar where it is.
constexpr int32_t kProgressUnchanged = -1;

// Valid only while the message is handled: the sender waits for the receiver (SendMessage),
// so the record and its text may live on the sender's stack.
struct ProgressRecord {
    int32_t position = kProgressUnchanged;  // 0 to 100, or kProgressUnchanged
    const char* text = nullptr;             // new status text; null leaves it as it is
};

// The bar at the start-up's stages: the list is about to be read, and the list is complete.
constexpr int32_t kStartupListReadingPosition = 5;
constexpr int32_t kStartupListCompletePosition = 100;

// The bar after `filesRead` of the `filesCounted` picture files counted beforehand have been
// read: 5 + 95 × read / counted in integer arithmetic. Files that appear between the count and
// the read never push it past 100, and an empty count gives 100 (nothing is left to read).
[[nodiscard]] int32_t StartupProgressPosition(int filesRead, int filesCounted);
