// The transfer worker against a server that misbehaves on purpose (hostile_service.py, started
// by with_hostile_service.sh, which names it in TQ_HOSTILE_SERVICE): the result of every kind
// of reply, the body handed over, the progress sent, a stop that posts nothing and a stalled
// server that ends within the time-outs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/online/newest_images.h"
#include "app/online/transfer_worker_win32.h"
#include "collection/tqi_file.h"
#include "ui/window_messages_win32.h"

namespace {

// A message-only window that keeps what the worker sends and posts it.
struct Listener {
    std::vector<int32_t> progress;
    std::vector<WPARAM> progressCodes;
    int completions = 0;
    WPARAM completedTag = 0;
    LPARAM completion = 0;
};

LRESULT CALLBACK ListenerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* listener = reinterpret_cast<Listener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (listener != nullptr && message == WM_APP_PROGRESS) {
        listener->progress.push_back(reinterpret_cast<const ProgressRecord*>(lParam)->position);
        listener->progressCodes.push_back(wParam);
        return 0;
    }
    if (listener != nullptr && message == WM_APP_TRANSFER_DONE) {
        ++listener->completions;
        listener->completedTag = wParam;
        listener->completion = lParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ListenerWindow {
public:
    ListenerWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ListenerProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TransferListener_WndClass";
        RegisterClassA(&windowClass);  // fails harmlessly when a previous case registered it
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&listener_));
    }
    ~ListenerWindow() { DestroyWindow(window_); }
    ListenerWindow(const ListenerWindow&) = delete;
    ListenerWindow& operator=(const ListenerWindow&) = delete;

    HWND Handle() const { return window_; }
    Listener& Heard() { return listener_; }

    // Answers messages until `done` says so or `milliseconds` have passed; false on time-out.
    template <typename Done>
    bool PumpUntil(Done done, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (!done()) {
            const DWORD waited = GetTickCount() - start;
            if (waited >= milliseconds) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        return true;
    }

private:
    Listener listener_;
    HWND window_ = nullptr;
};

std::string ServiceAddress(const char* path) {
    const char* base = std::getenv("TQ_HOSTILE_SERVICE");
    return std::string(base != nullptr ? base : "http://127.0.0.1:9/") + path;
}

TransferRequest MakeRequest(const std::string& address, HWND owner, uintptr_t progressCode = 0) {
    TransferRequest request;
    request.address = address;
    request.requestFlags = kReloadTransferFlags;
    request.tag = kTransferTagPictureFile;
    request.progressCode = progressCode;
    request.owner = owner;
    request.timeouts.connect = request.timeouts.receive = request.timeouts.send = 3000;
    return request;
}

// Runs one transfer to its end; false when no completion came within the test's patience.
bool RunTransfer(ListenerWindow& listener, const TransferRequest& request, TransferOutcome& outcome) {
    Transfer transfer;
    if (!StartTransfer(transfer, request)) return false;
    const bool completed = listener.PumpUntil([&] { return listener.Heard().completions > 0; }, 60000);
    if (!completed) {
        (void)StopTransfer(transfer, WorkerStopWait::PumpingMessages);
        return false;
    }
    EXPECT_EQ(listener.Heard().completedTag, request.tag);
    return FinishTransfer(transfer, listener.Heard().completion, outcome);
}

class TransferWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("TQ_HOSTILE_SERVICE"), nullptr) << "run through with_hostile_service.sh";
    }
};

struct ReplyCase {
    const char* path;
    TransferResult result;
    size_t size;
};

TEST_F(TransferWorkerTest, EveryKindOfReplyEndsWithItsResultAndKeepsOnlyWhatCounts) {
    const ReplyCase cases[] = {
        {"complete", TransferResult::Complete, 100000},
        {"no-length", TransferResult::Complete, 100000},  // complete when the server closes
        {"short-length", TransferResult::Complete, 10},   // what was announced, no more
        {"truncated", TransferResult::Truncated, 50000},  // the partial data is handed over
        {"missing", TransferResult::NotFound, 0},         // the error page is not the reply
        {"broken", TransferResult::Complete, 16},         // other statuses are not examined
        {"empty", TransferResult::NoBody, 0},
        {"huge-announced", TransferResult::OutOfMemory, 0},  // refused before reading
        {"huge", TransferResult::OutOfMemory, 0},            // refused at the limit
    };
    for (const ReplyCase& c : cases) {
        ListenerWindow listener;
        TransferOutcome outcome;
        ASSERT_TRUE(RunTransfer(listener, MakeRequest(ServiceAddress(c.path), listener.Handle()), outcome)) << c.path;
        EXPECT_EQ(outcome.result, c.result) << c.path;
        EXPECT_EQ(outcome.body.Size(), c.size) << c.path;
        if (!outcome.body.Empty()) {
            EXPECT_EQ(outcome.body.Data()[outcome.body.Size()], 0) << c.path;
        }
        EXPECT_EQ(outcome.request.address, ServiceAddress(c.path));
        EXPECT_TRUE(listener.Heard().progress.empty()) << "no progress was asked for: " << c.path;
    }

    ListenerWindow listener;
    TransferOutcome outcome;
    ASSERT_TRUE(RunTransfer(listener, MakeRequest("http://127.0.0.1:1/nothing", listener.Handle()), outcome));
    EXPECT_EQ(outcome.result, TransferResult::NoBody) << "an address that cannot be opened";
}

TEST_F(TransferWorkerTest, HostileRepliesReachTheProtocolIntactAndAreRefusedThere) {
    ListenerWindow listener;
    TransferOutcome token;
    ASSERT_TRUE(RunTransfer(listener, MakeRequest(ServiceAddress("token"), listener.Handle()), token));
    EXPECT_EQ(token.body.Text(), "error_Downloads");
    EXPECT_TRUE(IsServiceErrorToken(token.body.Text()));

    for (const char* path : {"list-garbage", "list-oversized"}) {
        ListenerWindow lists;
        TransferOutcome list;
        ASSERT_TRUE(RunTransfer(lists, MakeRequest(ServiceAddress(path), lists.Handle()), list)) << path;
        ASSERT_EQ(list.result, TransferResult::Complete) << path;
        NewestList parsed;
        EXPECT_TRUE(ParseNewestListReply(list.body.Text(), parsed)) << path;
        EXPECT_LE(parsed.count, kNewestImageSlots) << path;
        for (int i = 0; i < kNewestImageSlots; ++i) {
            EXPECT_LE(parsed.identifier[i].size(), kNewestImageTextLength) << path;
            EXPECT_LE(parsed.description[i].size(), kNewestImageTextLength) << path;
        }
    }

    ListenerWindow pictures;
    TransferOutcome picture;
    ASSERT_TRUE(RunTransfer(pictures, MakeRequest(ServiceAddress("not-a-tqi"), pictures.Handle()), picture));
    ASSERT_EQ(picture.result, TransferResult::Complete);
    PictureRecord record;
    EXPECT_NE(ReadPictureFile(PictureSource::FromMemory(picture.body.Data(), picture.body.Size()), record, true),
              kFileOk);
}

TEST_F(TransferWorkerTest, ProgressIsSentWithItsCodeAndEndsAtTheWholeBody) {
    ListenerWindow listener;
    TransferOutcome outcome;
    ASSERT_TRUE(
        RunTransfer(listener, MakeRequest(ServiceAddress("complete"), listener.Handle(), kProgressDownload), outcome));
    ASSERT_EQ(outcome.result, TransferResult::Complete);
    const Listener& heard = listener.Heard();
    ASSERT_GE(heard.progress.size(), 2u) << "100 000 bytes take several reads of 16 384";
    for (size_t i = 0; i < heard.progress.size(); ++i) {
        EXPECT_EQ(heard.progressCodes[i], kProgressDownload);
        if (i > 0) {
            EXPECT_GE(heard.progress[i], heard.progress[i - 1]);
        }
    }
    EXPECT_EQ(heard.progress.back(), 100);
}

TEST_F(TransferWorkerTest, StoppingMidwayPostsNothing) {
    ListenerWindow listener;
    Transfer transfer;
    ASSERT_TRUE(StartTransfer(transfer, MakeRequest(ServiceAddress("slow"), listener.Handle(), kProgressDownload)));
    ASSERT_TRUE(listener.PumpUntil([&] { return !listener.Heard().progress.empty(); }, 20000));
    EXPECT_FALSE(StartTransfer(transfer, MakeRequest(ServiceAddress("complete"), listener.Handle())))
        << "one transfer at a time";
    EXPECT_TRUE(StopTransfer(transfer, WorkerStopWait::PumpingMessages));
    EXPECT_FALSE(IsTransferActive(transfer));
    (void)listener.PumpUntil([] { return false; }, 500);
    EXPECT_EQ(listener.Heard().completions, 0);
    EXPECT_TRUE(StopTransfer(transfer, WorkerStopWait::PumpingMessages)) << "stopping twice is harmless";

    // The record is free for the next transfer at once.
    TransferOutcome outcome;
    ASSERT_TRUE(RunTransfer(listener, MakeRequest(ServiceAddress("complete"), listener.Handle()), outcome));
    EXPECT_EQ(outcome.result, TransferResult::Complete);
}

TEST_F(TransferWorkerTest, AStalledServerEndsTheTransferWithinTheTimeouts) {
    struct StallCase {
        const char* path;
        TransferResult result;
        size_t size;
    };
    for (const StallCase& c : {StallCase{"stall-body", TransferResult::Truncated, 1000},
                               StallCase{"stall-headers", TransferResult::NoBody, 0}}) {
        ListenerWindow listener;
        TransferOutcome outcome;
        const DWORD start = GetTickCount();
        ASSERT_TRUE(RunTransfer(listener, MakeRequest(ServiceAddress(c.path), listener.Handle()), outcome)) << c.path;
        EXPECT_LT(GetTickCount() - start, 20000u) << c.path << ": the time-outs are 3 s";
        EXPECT_EQ(outcome.result, c.result) << c.path;
        EXPECT_EQ(outcome.body.Size(), c.size) << c.path;
    }
}

TEST_F(TransferWorkerTest, ACompletionOfAnotherTransferIsNotTaken) {
    ListenerWindow listener;
    Transfer transfer;
    TransferOutcome outcome;
    EXPECT_FALSE(FinishTransfer(transfer, 0, outcome)) << "nothing runs";
    ASSERT_TRUE(StartTransfer(transfer, MakeRequest(ServiceAddress("complete"), listener.Handle())));
    ASSERT_TRUE(listener.PumpUntil([&] { return listener.Heard().completions > 0; }, 60000));
    EXPECT_FALSE(FinishTransfer(transfer, listener.Heard().completion + 8, outcome));
    EXPECT_TRUE(IsTransferActive(transfer));
    EXPECT_TRUE(FinishTransfer(transfer, listener.Heard().completion, outcome));
    EXPECT_FALSE(FinishTransfer(transfer, listener.Heard().completion, outcome)) << "taken once";
}

}  // namespace
