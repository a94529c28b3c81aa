// The Screensaver page's state, shared by the page (screensaver_page_win32.cpp) and its
// audio-track library (audio_library_win32.cpp): the tracks in the installation's Music
// folder, listed, added after a playability test, deleted and previewed.
#pragma once

#include <string>
#include <vector>

#include "app/settings_sheet/settings_pages_win32.h"
#include "screensaver/music/track_player_win32.h"
#include "settings/settings.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skin_win32.h"

struct ScreensaverPage : SettingsPage {
    Skin pictures;  // the library buttons' pictures, renumbered to the page's ids
    DialogSkinFont trackListFont;
    HWND hovered = nullptr;  // the window last under the cursor
    int selectedTrack = -1;
    int playingTrack = -1;
    std::vector<DisplayMode> modes;  // line i + 1 of the video-mode list
    TrackPlayer player;              // the preview
    bool transitionsAvailable = false;
    bool audioAvailable = false;
};

// Recomputes which controls are available (after each button and selection change).
void UpdateScreensaverControls(ScreensaverPage& state);

// The library (audio_library_win32.cpp).
void FillTrackList(ScreensaverPage& state);
void StopPreview(ScreensaverPage& state);
void AddTracks(ScreensaverPage& state);
void DeleteSelectedTrack(ScreensaverPage& state);
void PlaySelectedTrack(ScreensaverPage& state);
void StopTrack(ScreensaverPage& state);
void OnTrackListNotification(ScreensaverPage& state, WORD notification);
