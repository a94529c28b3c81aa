// Every thread that the programs start besides their window threads (the HTTP transfer, the
// imports, the media-event watcher, the screensaver's loader and display, the initialization
// window's thread) starts, stops and reports the same way:
//
//     struct TransferJob { const WorkerThread* worker; HWND window; ... };
//
//     unsigned __stdcall TransferThread(void* argument) {
//         auto* job = static_cast<TransferJob*>(argument);
//         HANDLE stop = job->worker->stopEvent.Get();   // made before the thread started
//         while (!StopRequested(stop)) {
//             ...
//             (void)SendProgress(job->window, kProgressDownload, percent, nullptr);
//         }
//         return 0;
//     }
//
//     WorkerThread worker;   // stays in place while its thread runs
//     TransferJob job = {&worker, window};
//     if (!StartWorkerThread(TransferThread, &job, worker)) ...;
//     ...
//     (void)StopWorkerThread(worker, WorkerStopWait::PumpingMessages);
//
// A thread reports only by messages. A window thread that waits for a worker which sends it
// messages must stop it with PumpingMessages: a SendMessage from the worker is then answered
// while the window thread waits, where a plain wait would leave both waiting for each other.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/progress_record.h"
#include "win32/system_handles_win32.h"

using WorkerProcedure = unsigned(__stdcall*)(void* argument);

// Owned by whoever starts the thread. Empty (no event, no thread) before the start and after
// the stop; stop it before it goes, as the thread may still be reading its stop event.
struct WorkerThread {
    OwnedHandle stopEvent;  // manual reset, set to ask the thread to end
    OwnedHandle thread;
    unsigned threadId = 0;
};

// How long a pumping stop waits for a thread that does not end before it gives up on it.
constexpr DWORD kWorkerStopPatience = 10000;

enum class WorkerStopWait {
    Blocking,         // wait without limit and without answering messages
    PumpingMessages,  // answer the calling thread's messages while waiting, for a bounded time
};

// Makes the stop event, then starts `procedure(argument)` at once on a thread of its own.
// False, leaving the record empty, when the event or the thread cannot be made, or when the
// record still holds a thread that was not stopped.
[[nodiscard]] bool StartWorkerThread(WorkerProcedure procedure, void* argument, WorkerThread& worker);

// Asks the thread to end (sets the stop event), waits for it and empties the record; a record
// without a stop event is left alone, so stopping twice is harmless. True when the thread has
// ended (or there was none). False when a pumping wait ran out of patience: the thread is
// left to run on its own and a line goes to the debug log (never to the user); its stop event
// stays open (and set), as the thread may still test it. A WM_QUIT that the pumping wait takes
// from the queue is posted again afterwards, so the caller's own loop still ends.
[[nodiscard]] bool StopWorkerThread(WorkerThread& worker,
                                    WorkerStopWait wait,
                                    DWORD patienceMilliseconds = kWorkerStopPatience);

// For a worker's loop: whether its stop event has been set (or can no longer be tested).
[[nodiscard]] bool StopRequested(HANDLE stopEvent);

// Sends `window` a progress message for `display` and returns once the window has handled it
// (true). False, sending nothing, when `window` is null or no longer a window.
[[nodiscard]] bool SendProgress(HWND window, ProgressDisplay display, int32_t position, const char* text);
