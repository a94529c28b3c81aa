#include "screensaver/music/track_player_win32.h"

#include <string>

#include "ui/window_messages_win32.h"

namespace {

// Paths come in the system code page, as the programs keep them; the graph wants UTF-16.
std::wstring WidenPath(const char* path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length) != length) return {};
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// A new filter graph with the file rendered into it, or none.
ComPtr<IGraphBuilder> RenderedGraph(const char* path) {
    ComPtr<IGraphBuilder> graph;
    const std::wstring widePath = WidenPath(path);
    if (widePath.empty()) return graph;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.ReceiveVoid()))) {
        return graph;
    }
    if (FAILED(graph->RenderFile(widePath.c_str(), nullptr))) graph.Reset();
    return graph;
}

}  // namespace

TrackPlayer::~TrackPlayer() {
    Close();
}

bool TrackPlayer::Open(const char* path, HWND notifyWindow) {
    Close();
    ComPtr<IGraphBuilder> graph = RenderedGraph(path);
    if (!graph.IsValid()) return false;
    HANDLE graphEvent = nullptr;
    if (FAILED(graph->QueryInterface(IID_IMediaControl, control_.ReceiveVoid())) ||
        FAILED(graph->QueryInterface(IID_IMediaEvent, events_.ReceiveVoid())) ||
        FAILED(events_->GetEventHandle(reinterpret_cast<OAEVENT*>(&graphEvent)))) {
        Close();
        return false;
    }
    watch_ = {&watcher_, events_.Get(), graphEvent, notifyWindow};
    if (!StartWorkerThread(WatchEvents, &watch_, watcher_)) {
        Close();
        return false;
    }
    return true;
}

bool TrackPlayer::Play() {
    if (!IsOpen()) return false;
    if (FAILED(control_->Run())) {
        Close();
        return false;
    }
    playing_ = true;
    return true;
}

void TrackPlayer::Stop() {
    if (IsOpen()) control_->Stop();
    playing_ = false;
}

void TrackPlayer::Close() {
    // The watcher goes first: it uses the event interface until it has ended.
    (void)StopWorkerThread(watcher_, WorkerStopWait::PumpingMessages);
    watch_ = {};
    Stop();
    events_.Reset();
    control_.Reset();
}

unsigned __stdcall TrackPlayer::WatchEvents(void* argument) {
    const auto* watch = static_cast<const EventWatch*>(argument);
    // The graph is free-threaded; this thread only needs COM of its own to call it.
    ScopedComInitialization com(COINIT_MULTITHREADED);
    const HANDLE waitFor[2] = {watch->worker->stopEvent.Get(), watch->graphEvent};
    while (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        long code = 0;
        LONG_PTR first = 0;
        LONG_PTR second = 0;
        if (FAILED(watch->events->GetEvent(&code, &first, &second, 0))) continue;
        PostMessageA(watch->notifyWindow, WM_APP_MEDIA_EVENT, static_cast<WPARAM>(code), 0);
        watch->events->FreeEventParams(code, first, second);
    }
    return 0;
}

bool CanCreateMediaGraph() {
    ComPtr<IMediaControl> control;
    return SUCCEEDED(
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaControl, control.ReceiveVoid()));
}

bool IsTrackPlayable(const char* path) {
    return RenderedGraph(path).IsValid();
}
