#include "screensaver/music/screensaver_music_win32.h"

#include "base/directory_listing.h"
#include "base/system_time.h"
#include "screensaver/music/music_tracks.h"
#include "ui/window_messages_win32.h"

namespace {

// The event code that asks for the next track: the graph's end of stream (EC_COMPLETE), and
// the request that starts the music.
constexpr WPARAM kNextTrack = EC_COMPLETE;

}  // namespace

bool ScreensaverMusic::Start(const char* musicFolder, HWND window) {
    Stop();
    if (!CanCreateMediaGraph()) return false;
    if (random_ == &ownRandom_) SeedRandom(ownRandom_, CurrentUtcTime());
    folder_ = musicFolder;
    tracks_ = ListMusicTracks(musicFolder);
    previous_ = -1;
    window_ = window;
    on_ = !tracks_.empty() && PostMessageA(window, WM_APP_MEDIA_EVENT, kNextTrack, 0);
    return on_;
}

void ScreensaverMusic::OnPlayerEvent(WPARAM wParam, LPARAM) {
    if (wParam != kNextTrack || !on_) return;
    player_.Close();
    // Closing answers the window's messages while it waits: the close request may have come.
    if (!on_) return;
    // A track that will not play is skipped; the music ends only when as many tries in a row
    // as there are tracks found nothing to play.
    const int count = static_cast<int>(tracks_.size());
    for (int tries = 0; tries < count; ++tries) {
        const int next = ChooseNextTrack(previous_, count, *random_);
        if (next < 0) break;
        const std::string path = PathInFolder(folder_, tracks_[static_cast<size_t>(next)]);
        if (player_.Open(path.c_str(), window_) && player_.Play()) return;
        player_.Close();
    }
    on_ = false;
}

void ScreensaverMusic::Stop() {
    on_ = false;
    player_.Close();
}
