// The initialization window: a small skinned window ("SkinInitialization") in the top right
// corner of the work area that shows how far a program's start-up got, with a status text
// (control 126) and a progress bar (control 127). The main thread is busy reading the
// collection and cannot pump messages, so the window lives on a user-interface thread of its
// own and the main thread drives it with sent progress messages:
//
//     InitializationWindow initialization;
//     (void)OpenInitializationWindow(initialization);   // start-up goes on without it
//     (void)SendProgress(initialization.window, kProgressInitialization,
//                        kStartupListReadingPosition, Text(TextId::ReadingImageList));
//     ...
//     CloseInitializationWindow(initialization);
//
// Needs the common controls (the progress bar class), the skin fonts and the data-resource
// path set up first, as every skinned window does. The window thread decodes the skin's
// pictures with the codec allocation functions of the thread that opens it.
#pragma once

#include <windows.h>

#include "ui/worker_thread_win32.h"

struct InitializationWindow {
    WorkerThread worker;
    // Written by the window's thread before it reports ready, read by the opener afterwards;
    // null when there is no window (progress sent to it is dropped).
    HWND window = nullptr;
};

// Starts the window's thread and waits until the window exists. False, leaving no thread
// behind, when there is no window: the thread, the ready signal or the window could not be made.
[[nodiscard]] bool OpenInitializationWindow(InitializationWindow& initialization);

// Closes the window on its thread and waits for the thread to end. Harmless when it never
// opened or is already closed.
void CloseInitializationWindow(InitializationWindow& initialization);
