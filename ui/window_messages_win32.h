// The programs' private window messages: requests between the main window, its child
// windows and the worker threads. One table, so that no two meanings share a number.
#pragma once

#include <windows.h>

enum AppMessage : UINT {
    WM_APP_APPLY_WALLPAPER = WM_APP + 0,
    WM_APP_UPDATE_BUTTONS = WM_APP + 1,
    WM_APP_OPEN_ARGUMENT = WM_APP + 3,  // lParam: a heap copy of a command line; the receiver frees it
    WM_APP_SCHEDULED_CHANGE = WM_APP + 4,
    WM_APP_SET_FOCUS_CONTROL = WM_APP + 5,  // wParam: the control that now has the focus
    WM_APP_MEDIA_EVENT = WM_APP + 6,        // wParam: a track player's event code, 1 the end of the track
    WM_APP_PROGRESS = WM_APP + 7,           // wParam: which progress display; lParam: the progress record
    WM_APP_TRAY_NOTIFY = WM_APP + 8,        // lParam: the mouse message over the tray icon
    WM_APP_LIST_ITEM = WM_APP + 10,         // one picture file found
    WM_APP_SHOW_PICTURE = WM_APP + 11,      // wParam: the read's result code; lParam: the picture record
    WM_APP_TRANSFER_DONE = WM_APP + 12,
    // From an import worker to the main window, which owns the collection: lParam the picture
    // to store, wParam the window that owns any question; answers 1 when it was stored.
    WM_APP_ADD_PICTURE = WM_APP + 13,
};
