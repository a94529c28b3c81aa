#include "ui/worker_thread_win32.h"

#include <process.h>

#include <cstdio>

#include "ui/window_messages_win32.h"

namespace {

// Waits for `thread` while answering the calling thread's messages, sent ones included.
// Returns true when the thread ended within `patience`.
bool WaitPumpingMessages(HANDLE thread, DWORD patience) {
    const DWORD start = GetTickCount();
    bool quitTaken = false;
    WPARAM quitCode = 0;
    bool ended = false;
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= patience) break;
        // Wakes for the thread's end and for any message, including those already queued but
        // not yet looked at, so nothing waits for a time slice to pass.
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &thread, patience - waited, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) {
            ended = true;
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Kept for the caller's own loop, which would otherwise never see it.
                quitTaken = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (quitTaken) PostQuitMessage(static_cast<int>(quitCode));
    return ended;
}

void ReportUnstoppedWorker(unsigned threadId) {
    char line[96];
    std::snprintf(line, sizeof line, "Tapestrique: worker thread %u did not stop; left running\n", threadId);
    OutputDebugStringA(line);
}

}  // namespace

bool StartWorkerThread(WorkerProcedure procedure, void* argument, WorkerThread& worker) {
    if (worker.stopEvent.IsValid() || worker.thread.IsValid()) return false;
    worker.threadId = 0;
    worker.stopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!worker.stopEvent.IsValid()) return false;
    worker.thread.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, procedure, argument, 0, &worker.threadId)));
    if (!worker.thread.IsValid()) {
        worker.stopEvent.Reset();
        worker.threadId = 0;
        return false;
    }
    return true;
}

bool StopWorkerThread(WorkerThread& worker, WorkerStopWait wait, DWORD patienceMilliseconds) {
    if (!worker.stopEvent.IsValid()) return true;
    SetEvent(worker.stopEvent.Get());
    bool ended = true;
    if (worker.thread.IsValid()) {
        if (wait == WorkerStopWait::PumpingMessages) {
            ended = WaitPumpingMessages(worker.thread.Get(), patienceMilliseconds);
        } else {
            ended = WaitForSingleObject(worker.thread.Get(), INFINITE) == WAIT_OBJECT_0;
        }
        if (!ended) ReportUnstoppedWorker(worker.threadId);
        worker.thread.Reset();
    }
    if (ended) {
        worker.stopEvent.Reset();
    } else {
        // Closing it under the running thread could let the handle value name another object
        // by the time the thread tests it; one event is the price of a thread that will not end.
        (void)worker.stopEvent.Release();
    }
    worker.threadId = 0;
    return ended;
}

bool StopRequested(HANDLE stopEvent) {
    return WaitForSingleObject(stopEvent, 0) != WAIT_TIMEOUT;
}

bool SendProgress(HWND window, ProgressDisplay display, int32_t position, const char* text) {
    if (window == nullptr || !IsWindow(window)) return false;
    ProgressRecord record;
    record.position = position;
    record.text = text;
    SendMessageA(window, WM_APP_PROGRESS, display, reinterpret_cast<LPARAM>(&record));
    return true;
}
