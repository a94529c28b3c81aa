// Plays one audio file (MP3, WAV, WMA: whatever the system's DirectShow filters render)
// through a filter graph, and tells a window what the graph reports: WM_APP_MEDIA_EVENT with
// the graph's event code as wParam, EC_COMPLETE (1) once the track has played to its end,
// EC_ERRORABORT when playback broke off. The events come from a watcher thread of the
// player's own, which only posts; everything else runs on the window's thread, which has COM
// initialised.
//
//     TrackPlayer player;
//     if (!player.Open(path, window) || !player.Play()) ...;   // nothing left open
//     ...
//     case WM_APP_MEDIA_EVENT:
//         if (wParam == EC_COMPLETE) player.Close();
//
// Close ends playback and may be called at any time, also twice; the destructor closes.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <memory>

#include "ui/worker_thread_win32.h"
#include "win32/com_owners_win32.h"

class TrackPlayer {
public:
    TrackPlayer() = default;
    ~TrackPlayer();
    TrackPlayer(const TrackPlayer&) = delete;
    TrackPlayer& operator=(const TrackPlayer&) = delete;

    // Builds a graph for the file at `path` (in the system code page) and starts watching its
    // events for `notifyWindow`. False, with nothing left open, when the file cannot be
    // rendered or the watcher cannot start. An open player is closed first.
    [[nodiscard]] bool Open(const char* path, HWND notifyWindow);

    // Starts (or resumes) playback of the open file. False, closing the player, when the
    // graph will not run.
    [[nodiscard]] bool Play();

    // Halts playback; the file stays open, so Play starts it again from where it stood.
    void Stop();

    // Stops watching (answering the window thread's messages meanwhile, as the watcher may be
    // posting) and releases the graph, which ends playback. The player is empty before the
    // wait, so a message handled during it may open the player anew.
    void Close();

    [[nodiscard]] bool IsOpen() const { return track_ != nullptr; }
    [[nodiscard]] bool IsPlaying() const { return playing_; }

private:
    // One open file: its graph and the thread that watches it, which reads only `watcher`,
    // `events`, `graphEvent` and `notifyWindow`. On the heap, so it stays in place for the
    // thread however the player is used meanwhile.
    struct OpenTrack {
        WorkerThread watcher;
        ComPtr<IMediaControl> control;
        ComPtr<IMediaEvent> events;
        HANDLE graphEvent = nullptr;  // belongs to the graph, never closed here
        HWND notifyWindow = nullptr;
    };
    static unsigned __stdcall WatchEvents(void* argument);

    std::unique_ptr<OpenTrack> track_;
    bool playing_ = false;
};

// Whether a filter graph can be made at all: without one there is no music on this system.
[[nodiscard]] bool CanCreateMediaGraph();

// Whether the file at `path` (system code page) can be rendered by the system's filters,
// without playing it.
[[nodiscard]] bool IsTrackPlayable(const char* path);
