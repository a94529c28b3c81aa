// The HTTP transfer worker: one GET through WinINet on a thread of its own, the body collected
// in memory, progress sent to the owner window and the end posted to it.
//
//     Transfer transfer;   // the application's one transfer, in the main window's state
//     TransferRequest request;
//     request.address = NewestListAddress(settings);
//     request.requestFlags = kReloadTransferFlags;
//     request.tag = kTransferTagNewestList;
//     request.owner = window;
//     if (!StartTransfer(transfer, request)) ...;          // nothing runs
//
//     // WM_APP_TRANSFER_DONE (wParam the tag, lParam the transfer's completion):
//     TransferOutcome outcome;
//     if (!FinishTransfer(transfer, lParam, outcome)) return 0;   // a completion of a stopped transfer
//     ... outcome.result, outcome.body.Text() ...       // the body is freed with `outcome`
//
//     // the window closes:
//     (void)StopTransfer(transfer, WorkerStopWait::PumpingMessages);
//
// The worker: a connectivity check (skipped for an address on this machine), WinINet opened
// with the user agent "TQClient/1.0.01 (Windows)" and the request's time-outs, a GET of the
// address with the request's flags (plus INTERNET_FLAG_SECURE for "https://"), 404 ends it with
// result 2, then reads of 16384 bytes until the server ends the body, the announced length is
// reached or the transfer is stopped. With a progress code, every read is reported by a WM_APP_PROGRESS sent to the
// owner (wParam the code, position the percentage of the announced length). At the end the worker posts
// WM_APP_TRANSFER_DONE, unless it was stopped or the owner is gone: a stopped transfer posts nothing and leaves no data
// behind.
//
// Ownership: the transfer's job (request, result, body) is shared by the owner's Transfer and
// the thread, so a worker stuck in a slow read past StopTransfer's patience still has its
// memory; whichever lets go last frees it. The completion message only names the job, and
// FinishTransfer takes it only from the transfer that posted it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/online/transfer_body.h"
#include "ui/worker_thread_win32.h"

// An address holds at most this many characters.
constexpr size_t kTransferAddressLength = 2047;

constexpr char kTransferUserAgent[] = "TQClient/1.0.01 (Windows)";

// How long WinINet waits to connect, for the next bytes of a reply and to send the request,
// in milliseconds. A server that stops answering ends the transfer after these (result 9 before
// the body, 10 or 0 within it) instead of holding it for ever.
struct TransferTimeouts {
    DWORD connect = 30000;
    DWORD receive = 30000;
    DWORD send = 30000;
};

// What to fetch, for whom.
struct TransferRequest {
    std::string address;         // at most kTransferAddressLength characters
    uint32_t requestFlags = 0;   // INTERNET_FLAG_* for InternetOpenUrl
    uint32_t tag = 0;            // what the transfer is for; the completion's wParam
    uintptr_t progressCode = 0;  // 0: no progress reports; otherwise their wParam
    HWND owner = nullptr;        // receives the progress and the completion
    TransferTimeouts timeouts;
};

// What the owner gets when the transfer has ended.
struct TransferOutcome {
    TransferRequest request;  // as it was started
    TransferResult result = TransferResult::Running;
    ReceivedBody body;  // the reply (Complete, Truncated); empty otherwise
};

struct TransferJob;  // shared by the owner and the worker thread (transfer_worker_win32.cpp)

// The application's one transfer: its worker thread and its job. Empty when nothing runs.
struct Transfer {
    WorkerThread worker;
    std::shared_ptr<TransferJob> job;
};

// Starts a transfer of `request` on a new thread. False, with nothing running, when a transfer
// is still held by `transfer` (finish or stop it first), the address is empty or too long, or
// the thread cannot be started.
[[nodiscard]] bool StartTransfer(Transfer& transfer, const TransferRequest& request);

// Whether `transfer` holds a started transfer that was neither finished nor stopped.
[[nodiscard]] bool IsTransferActive(const Transfer& transfer);

// For WM_APP_TRANSFER_DONE: when `completion` (the message's lParam) names the job of
// `transfer`, joins its thread (answering messages meanwhile), hands the request, result and
// body to `outcome` and empties `transfer`. False, changing nothing, for any other lParam: a
// completion that was posted just before its transfer was stopped.
[[nodiscard]] bool FinishTransfer(Transfer& transfer, LPARAM completion, TransferOutcome& outcome);

// Asks the worker to stop, waits for it and empties `transfer`, dropping its body. The worker
// notices after its current read; it then posts nothing. The owner's thread must wait with
// PumpingMessages when the transfer reports progress to it: a Blocking wait would leave it and
// a worker that is sending a progress message waiting for each other. False when a pumping wait
// ran out of patience: the thread then ends on its own within the time-outs and frees what it
// holds. Nothing running: true.
[[nodiscard]] bool StopTransfer(Transfer& transfer, WorkerStopWait wait);

// The thread routine; `argument` is the job's shared owner that StartTransfer made for the
// thread, which the routine takes over. Returns 0.
unsigned __stdcall TransferWorker(void* argument);
