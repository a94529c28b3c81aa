// Worker threads on real threads: started and stopped with a plain wait and with a wait that
// answers messages, including a worker that sends to the very window thread that waits for it
// (a plain wait would leave both waiting for ever) and one that never looks at its stop event.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/tests/skin_test_support_win32.h"
#include "ui/window_messages_win32.h"
#include "ui/worker_thread_win32.h"
#include "win32/window_state_win32.h"

namespace {

struct Job {
    const WorkerThread* worker = nullptr;
    HWND window = nullptr;  // told of progress once the stop has been asked for
    bool progressSent = false;
    HANDLE release = nullptr;   // the only thing a stubborn worker waits for
    HANDLE finished = nullptr;  // set by a stubborn worker as it ends
    bool stopStillSet = false;
};

unsigned __stdcall WatchfulWorker(void* argument) {
    auto* job = static_cast<Job*>(argument);
    HANDLE stop = job->worker->stopEvent.Get();
    while (!StopRequested(stop)) Sleep(5);
    if (job->window != nullptr) job->progressSent = SendProgress(job->window, kProgressImport, 40, "half way");
    return 0;
}

unsigned __stdcall StubbornWorker(void* argument) {
    auto* job = static_cast<Job*>(argument);
    HANDLE stop = job->worker->stopEvent.Get();
    WaitForSingleObject(job->release, INFINITE);
    job->stopStillSet = WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
    SetEvent(job->finished);
    return 0;
}

struct ProgressWindow {
    std::vector<WPARAM> displays;
    std::vector<int32_t> positions;
    std::vector<std::string> texts;
};

LRESULT CALLBACK ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ProgressWindow* state = AttachedWindowState<ProgressWindow>(window, message, lParam);
    if (state == nullptr || message != WM_APP_PROGRESS) return DefWindowProcA(window, message, wParam, lParam);
    const auto* record = reinterpret_cast<const ProgressRecord*>(lParam);
    state->displays.push_back(wParam);
    state->positions.push_back(record->position);
    state->texts.push_back(record->text != nullptr ? record->text : "(none)");
    // The program's loop must still end after a wait that took its quit message.
    PostQuitMessage(5);
    return 0;
}

bool IsEmpty(const WorkerThread& worker) {
    return !worker.stopEvent.IsValid() && !worker.thread.IsValid() && worker.threadId == 0;
}

TEST(WorkerThreads, StartAndPlainStopEmptyTheRecordAndStoppingIsHarmlessWithoutAThread) {
    WorkerThread never;
    EXPECT_TRUE(StopWorkerThread(never, WorkerStopWait::Blocking));
    EXPECT_TRUE(IsEmpty(never));

    WorkerThread worker;
    Job job;
    job.worker = &worker;
    ASSERT_TRUE(StartWorkerThread(WatchfulWorker, &job, worker));
    EXPECT_TRUE(worker.stopEvent.IsValid());
    EXPECT_NE(worker.threadId, 0u);
    const HANDLE running = worker.thread.Get();
    EXPECT_FALSE(StartWorkerThread(WatchfulWorker, &job, worker)) << "a busy record is not started again";
    EXPECT_EQ(worker.thread.Get(), running);

    EXPECT_TRUE(StopWorkerThread(worker, WorkerStopWait::Blocking));
    EXPECT_TRUE(IsEmpty(worker));
    EXPECT_TRUE(StopWorkerThread(worker, WorkerStopWait::Blocking));
}

TEST(WorkerThreads, APumpingStopAnswersTheWorkersMessagesAndKeepsTheQuitMessage) {
    ProgressWindow heard;
    HWND window = skin_test::CreateParentWindow("TapestriqueWorkerTest_WndClass", ProgressProcedure, &heard, 10, 10);
    ASSERT_NE(window, nullptr);
    WorkerThread worker;
    Job job;
    job.worker = &worker;
    job.window = window;
    ASSERT_TRUE(StartWorkerThread(WatchfulWorker, &job, worker));

    EXPECT_TRUE(StopWorkerThread(worker, WorkerStopWait::PumpingMessages));
    EXPECT_TRUE(IsEmpty(worker));
    EXPECT_TRUE(job.progressSent);
    EXPECT_EQ(heard.displays, std::vector<WPARAM>{kProgressImport});
    EXPECT_EQ(heard.positions, std::vector<int32_t>{40});
    EXPECT_EQ(heard.texts, std::vector<std::string>{"half way"});
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 5u);

    DestroyWindow(window);
    EXPECT_FALSE(SendProgress(window, kProgressImport, 50, "gone"));
    EXPECT_FALSE(SendProgress(nullptr, kProgressImport, 50, "nobody"));
    EXPECT_EQ(heard.positions.size(), 1u);
}

TEST(WorkerThreads, AWorkerThatIgnoresItsStopEventIsGivenUpAfterThePatience) {
    WorkerThread worker;
    Job job;
    job.worker = &worker;
    OwnedHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OwnedHandle finished(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    job.release = release.Get();
    job.finished = finished.Get();
    ASSERT_TRUE(StartWorkerThread(StubbornWorker, &job, worker));

    const DWORD start = GetTickCount();
    EXPECT_FALSE(StopWorkerThread(worker, WorkerStopWait::PumpingMessages, 300));
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 250u);
    EXPECT_LT(waited, 5000u);
    EXPECT_TRUE(IsEmpty(worker));

    // Left to run on its own, the worker can still test its stop event: open, and set.
    SetEvent(release.Get());
    ASSERT_EQ(WaitForSingleObject(finished.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(job.stopStillSet);
}

}  // namespace
