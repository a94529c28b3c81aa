#include "app/online/transfer_worker_win32.h"

#include <wininet.h>

#include <atomic>
#include <utility>

#include "app/online/transfer_address.h"
#include "ui/window_messages_win32.h"
#include "win32/unique_handle.h"

// The job one transfer runs on: written by the starting thread before the worker runs, then by
// the worker alone until it posts its completion (or ends stopped), read by the owner only after
// it has joined the worker.
struct TransferJob {
    TransferRequest request;
    TransferResult result = TransferResult::Running;
    ReceivedBody body;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> completionPosted{false};
};

namespace {

using OwnedInternetHandle = UniqueHandle<HandleClosedBy<HINTERNET, InternetCloseHandle>>;

constexpr DWORD kReadSize = 16384;

// Two public sites that answer around the clock, asked when the system knows of no connection.
constexpr const char* kWellKnownSites[] = {"http://www.debian.org/", "http://www.wikipedia.org/"};

bool IsConnected(const std::string& address) {
    if (IsLoopbackAddress(address)) return true;
    if (InternetCheckConnectionA(nullptr, FLAG_ICC_FORCE_CONNECTION, 0)) return true;
    for (const char* site : kWellKnownSites) {
        if (InternetCheckConnectionA(site, FLAG_ICC_FORCE_CONNECTION, 0)) return true;
    }
    return false;
}

// Applied to the internet handle (the connection's time-out) and again to the request handle:
// some WinINet implementations take the time-outs of a request only from the request itself.
void SetTimeouts(HINTERNET handle, const TransferTimeouts& timeouts) {
    DWORD connect = timeouts.connect;
    DWORD receive = timeouts.receive;
    DWORD send = timeouts.send;
    // Failures leave WinINet's own time-outs.
    (void)InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    (void)InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
    (void)InternetSetOptionA(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receive, sizeof receive);
    (void)InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof send);
    (void)InternetSetOptionA(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, &send, sizeof send);
}

// An http or https address split into what a connection and its request need.
struct AddressParts {
    char host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    char object[kTransferAddressLength + 1] = {};  // path and query
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool SplitAddress(const std::string& address, AddressParts& parts) {
    char path[kTransferAddressLength + 1] = {};
    char query[kTransferAddressLength + 1] = {};
    URL_COMPONENTSA components = {};
    components.dwStructSize = sizeof components;
    components.lpszHostName = parts.host;
    components.dwHostNameLength = sizeof parts.host;
    components.lpszUrlPath = path;
    components.dwUrlPathLength = sizeof path;
    components.lpszExtraInfo = query;
    components.dwExtraInfoLength = sizeof query;
    if (!InternetCrackUrlA(address.c_str(), 0, 0, &components)) return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS) return false;
    parts.port = components.nPort;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    // Both fit: together they are part of an address of at most kTransferAddressLength.
    std::string object = path[0] != '\0' ? path : "/";
    object += query;
    if (object.size() > kTransferAddressLength) return false;
    object.copy(parts.object, object.size());
    return true;
}

// A numeric header of the reply, or false when the server sent none.
bool QueryNumber(HINTERNET request, DWORD query, DWORD& number) {
    DWORD size = sizeof number;
    return HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr) != FALSE;
}

// Reads the body into the job until the server ends it (or it reaches the announced length), a
// read fails or the owner stops the transfer.
TransferResult ReadBody(TransferJob& job, HINTERNET request, ContentLength announced) {
    // A reply announced larger than any body kept would only be thrown away at the limit.
    if (announced.known && announced.bytes > kReceivedBodyLimit) return TransferResult::OutOfMemory;
    unsigned char chunk[kReadSize];
    const TransferRequest& asked = job.request;
    while (!job.stopRequested.load()) {
        DWORD wanted = kReadSize;
        if (announced.known) {
            // Bytes past the announced length belong to no reply; not every WinINet stops there.
            const uint64_t left = announced.bytes - job.body.Size();
            if (left == 0) break;
            if (left < wanted) wanted = static_cast<DWORD>(left);
        }
        DWORD read = 0;
        const bool more = InternetReadFile(request, chunk, wanted, &read) != FALSE;
        // A read that timed out may still have delivered what came before the silence.
        if (read > wanted) read = 0;
        if (read > 0 && !job.body.Append(chunk, read)) return TransferResult::OutOfMemory;
        if (!more || read == 0) break;
        const int32_t position = TransferProgressPosition(job.body.Size(), announced);
        if (asked.progressCode != 0 && position >= 0 && !job.stopRequested.load()) {
            (void)SendProgress(asked.owner, static_cast<ProgressDisplay>(asked.progressCode), position, nullptr);
        }
    }
    return FinalTransferResult(job.body.Size(), announced);
}

// One GET of the job's address. The request is made in steps (connection, request, send)
// rather than in one InternetOpenUrl so that the time-outs are on the request before it is
// sent: a server that accepts the connection and never answers then ends the transfer too.
TransferResult Fetch(TransferJob& job) {
    const TransferRequest& asked = job.request;
    if (!IsConnected(asked.address)) return TransferResult::NoConnection;
    OwnedInternetHandle session(InternetOpenA(kTransferUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.IsValid()) return TransferResult::NoConnection;
    SetTimeouts(session.Get(), asked.timeouts);

    AddressParts parts;
    if (!SplitAddress(asked.address, parts)) return TransferResult::NoBody;
    OwnedInternetHandle connection(
        InternetConnectA(session.Get(), parts.host, parts.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.IsValid()) return TransferResult::NoBody;
    DWORD flags = asked.requestFlags;
    if (parts.secure) flags |= INTERNET_FLAG_SECURE;
    const char* acceptTypes[] = {"*/*", nullptr};
    OwnedInternetHandle request(
        HttpOpenRequestA(connection.Get(), "GET", parts.object, nullptr, nullptr, acceptTypes, flags, 0));
    if (!request.IsValid()) return TransferResult::NoBody;
    SetTimeouts(request.Get(), asked.timeouts);
    if (!HttpSendRequestA(request.Get(), nullptr, 0, nullptr, 0)) return TransferResult::NoBody;

    DWORD status = 0;
    if (QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE, status) && status == 404) return TransferResult::NotFound;
    ContentLength announced;
    DWORD length = 0;
    if (QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH, length)) {
        announced.known = true;
        announced.bytes = length;
    }
    return ReadBody(job, request.Get(), announced);
}

}  // namespace

unsigned __stdcall TransferWorker(void* argument) {
    // The thread's own share of the job: it lives until this routine returns, whatever the
    // owner has done meanwhile.
    std::shared_ptr<TransferJob> job = std::move(*static_cast<std::shared_ptr<TransferJob>*>(argument));
    delete static_cast<std::shared_ptr<TransferJob>*>(argument);

    job->result = Fetch(*job);
    if (job->result != TransferResult::Complete && job->result != TransferResult::Truncated) job->body.Clear();

    const HWND owner = job->request.owner;
    if (!job->stopRequested.load() && IsWindow(owner)) {
        job->completionPosted.store(true);
        if (PostMessageA(owner, WM_APP_TRANSFER_DONE, job->request.tag, reinterpret_cast<LPARAM>(job.get()))) {
            return 0;
        }
        job->completionPosted.store(false);
    }
    job->body.Clear();
    return 0;
}

bool StartTransfer(Transfer& transfer, const TransferRequest& request) {
    if (transfer.job != nullptr || transfer.worker.stopEvent.IsValid()) return false;
    if (request.address.empty() || request.address.size() > kTransferAddressLength) return false;
    auto job = std::make_shared<TransferJob>();
    job->request = request;
    auto* threadShare = new std::shared_ptr<TransferJob>(job);
    if (!StartWorkerThread(TransferWorker, threadShare, transfer.worker)) {
        delete threadShare;
        return false;
    }
    transfer.job = std::move(job);
    return true;
}

bool IsTransferActive(const Transfer& transfer) {
    return transfer.job != nullptr;
}

bool FinishTransfer(Transfer& transfer, LPARAM completion, TransferOutcome& outcome) {
    TransferJob* job = transfer.job.get();
    if (job == nullptr || reinterpret_cast<TransferJob*>(completion) != job || !job->completionPosted.load()) {
        return false;
    }
    // The worker has nothing left to do but return; joining it orders its writes before ours.
    (void)StopWorkerThread(transfer.worker, WorkerStopWait::PumpingMessages);
    outcome.request = job->request;
    outcome.result = job->result;
    outcome.body = std::move(job->body);
    transfer.job.reset();
    return true;
}

bool StopTransfer(Transfer& transfer, WorkerStopWait wait) {
    if (transfer.job != nullptr) transfer.job->stopRequested.store(true);
    const bool ended = StopWorkerThread(transfer.worker, wait);
    transfer.job.reset();
    return ended;
}
