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
    auto track = std::make_unique<OpenTrack>();
    track->notifyWindow = notifyWindow;
    if (FAILED(graph->QueryInterface(IID_IMediaControl, track->control.ReceiveVoid())) ||
        FAILED(graph->QueryInterface(IID_IMediaEvent, track->events.ReceiveVoid())) ||
        FAILED(track->events->GetEventHandle(reinterpret_cast<OAEVENT*>(&track->graphEvent))) ||
        !StartWorkerThread(WatchEvents, track.get(), track->watcher)) {
        return false;
    }
    track_ = std::move(track);
    return true;
}

bool TrackPlayer::Play() {
    if (!IsOpen()) return false;
    if (FAILED(track_->control->Run())) {
        Close();
        return false;
    }
    playing_ = true;
    return true;
}

void TrackPlayer::Stop() {
    if (IsOpen()) track_->control->Stop();
    playing_ = false;
}

void TrackPlayer::Close() {
    Stop();
    std::unique_ptr<OpenTrack> ending = std::move(track_);
    if (ending == nullptr) return;
    if (!StopWorkerThread(ending->watcher, WorkerStopWait::PumpingMessages)) {
        // The watcher still reads the record and its interfaces: they stay with it.
        (void)ending.release();
    }
}

unsigned __stdcall TrackPlayer::WatchEvents(void* argument) {
    const auto* track = static_cast<const OpenTrack*>(argument);
    // The graph is free-threaded; this thread only needs COM of its own to call it.
    ScopedComInitialization com(COINIT_MULTITHREADED);
    const HANDLE waitFor[2] = {track->watcher.stopEvent.Get(), track->graphEvent};
    while (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        long code = 0;
        LONG_PTR first = 0;
        LONG_PTR second = 0;
        if (FAILED(track->events->GetEvent(&code, &first, &second, 0))) continue;
        PostMessageA(track->notifyWindow, WM_APP_MEDIA_EVENT, static_cast<WPARAM>(code), 0);
        track->events->FreeEventParams(code, first, second);
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
