// The full-screen screensaver's background music: the tracks of the music folder, one after
// another at random, never the same one twice in a row, for as long as the screensaver runs.
// Everything happens on the screensaver window's thread (COM initialised), driven by
// WM_APP_MEDIA_EVENT:
//
//     struct ScreensaverWindow { RandomState random; ScreensaverMusic music{random}; ... };
//
//     creation:  (void)state.music.Start(musicFolder, window);   // posts the first request
//     case WM_APP_MEDIA_EVENT: state.music.OnPlayerEvent(wParam, lParam); return 0;
//     close:     state.music.Stop();
//
// A track that cannot be rendered or run ends the music until the screensaver ends, like a
// system without DirectShow; neither is reported.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/random.h"
#include "screensaver/music/track_player_win32.h"

class ScreensaverMusic {
public:
    // Draws from the screensaver's one random source, shared with the pictures and
    // transitions.
    explicit ScreensaverMusic(RandomState& random) : random_(&random) {}
    // Draws from a source of its own, seeded from the clock at Start.
    ScreensaverMusic() : random_(&ownRandom_) {}
    ScreensaverMusic(const ScreensaverMusic&) = delete;
    ScreensaverMusic& operator=(const ScreensaverMusic&) = delete;

    // Lists the tracks of `musicFolder` and, when there is any and a filter graph can be made,
    // posts `window` the request for the first one (WM_APP_MEDIA_EVENT, wParam 1). True when
    // music will play.
    [[nodiscard]] bool Start(const char* musicFolder, HWND window);

    // WM_APP_MEDIA_EVENT: wParam 1 (the start request, or the end of a track) plays the next
    // track; every other event code is ignored.
    void OnPlayerEvent(WPARAM wParam, LPARAM lParam);

    // Ends the music for good (the close request).
    void Stop();

    [[nodiscard]] int TrackCount() const { return static_cast<int>(tracks_.size()); }
    [[nodiscard]] bool IsPlaying() const { return player_.IsPlaying(); }

private:
    RandomState ownRandom_;
    RandomState* random_;
    std::string folder_;
    std::vector<std::string> tracks_;
    int previous_ = -1;
    HWND window_ = nullptr;
    bool on_ = false;
    TrackPlayer player_;
};
