// The new-image notification: a small skinned window ("SkinNewImage") that slides up above the
// work area's bottom-right corner when the online service has a picture the user has not seen
// yet. It shows a headline (control 123), the picture's thumbnail (124, clickable) and its
// title (125), and has a close button (122). The window only shows what it is given and passes
// every click on to the main window, which decides what the click means:
//
//     NewImageWindow announcement;                      // outlives its window
//     (void)CreateNewImageWindow(announcement, mainWindow, workArea);   // hidden
//     SetAnnouncementHeadline(announcement, Text(TextId::NewImageAvailable));
//     SetAnnouncementPicture(announcement, thumbnail);  // null: the skin's own picture
//     SetAnnouncementDescription(announcement, "Evening Sky");
//     ShowAnnouncement(announcement);
//     StartAnnouncementHideTimer(announcement);         // slides out after 30 seconds
//     ...
//     DestroyNewImageWindow(announcement);
//
// The window never owns the thumbnail: its holder keeps it alive while it is shown.
#pragma once

#include <windows.h>

#include "ui/skinned_window_win32.h"

constexpr char kNewImageWindowClassName[] = "TapestriqueExeNewestImages_WndClass";
constexpr UINT_PTR kAnnouncementHideTimer = 101;
constexpr UINT kAnnouncementHideDelay = 30000;
// Between the window's right edge and the work area's right edge; its bottom edge lies on the
// work area's bottom edge.
constexpr int kAnnouncementRightGap = 8;

struct NewImageWindow {
    HWND window = nullptr;
    HWND mainWindow = nullptr;  // receives the controls' commands
    RECT workArea = {};         // the main window's reading of the desktop's work area
    SkinnedWindow skinned;
    UINT_PTR hideTimer = 0;  // the running hide timer, 0 when it is not running
};

// Creates the hidden window with its skin in the current language, placed in `workArea`.
// Null when the window cannot be made; without its skin the window exists but is empty.
HWND CreateNewImageWindow(NewImageWindow& state, HWND mainWindow, const RECT& workArea);
void DestroyNewImageWindow(NewImageWindow& state);

// Slides the window up into view; nothing when it is already visible.
void ShowAnnouncement(NewImageWindow& state);
// Stops the hide timer, then slides the window down out of view; nothing more when it is
// already hidden.
void HideAnnouncement(NewImageWindow& state);
// Starts the 30-second hide timer unless it is already running.
void StartAnnouncementHideTimer(NewImageWindow& state);

void SetAnnouncementHeadline(NewImageWindow& state, const char* text);
// Shows `thumbnail` in the picture control, or the skin's own picture for null.
void SetAnnouncementPicture(NewImageWindow& state, HBITMAP thumbnail);
void SetAnnouncementDescription(NewImageWindow& state, const char* text);

// After a change of language: the skin is made again in the new language and the window
// placed again by its new size, with the headline "New image available:". The caller puts the
// picture and the description back.
void ReloadNewImageSkin(NewImageWindow& state, const RECT& workArea);

// Whether `control` is one of the notification's controls (its commands reach the main window
// with it as their sender).
[[nodiscard]] bool IsNewImageControl(const NewImageWindow& state, HWND control);
