// The wallpaper on the main window: making a picture current or removing it, the changes to
// the next picture, the scheduler's tick, and the wallpaper at start-up. The decisions are
// the scheduler's (app/scheduler/change_rules.h); this carries them out.
#include <cstring>

#include "app/collection/collection_commands_win32.h"
#include "app/main_window/main_window_win32.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/scheduler/change_rules.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/resource_sound.h"
#include "ui/window_messages_win32.h"

namespace {

void ApplyAfterNameChange(MainWindow& state) {
    UpdateTrayTooltip(state);
    SendMessageA(state.window, WM_APP_UPDATE_BUTTONS, 0, 0);
    SendMessageA(state.window, WM_APP_APPLY_WALLPAPER, 0, 0);
}

// The desktop behind the icons covers the screen too, but it is no program in front: the
// shell's window, the desktop window itself, or the worker window the shell puts in front of it
// when the desktop is shown.
bool IsDesktopWindow(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "WorkerW") == 0 || std::strcmp(className, "Progman") == 0;
}

}  // namespace

bool IsFullScreenForeground(const MainWindow& state) {
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr || IsDesktopWindow(foreground)) return false;
    RECT client = {};
    GetClientRect(foreground, &client);
    const bool topmost = (GetWindowLongA(foreground, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return IsFullScreenClientArea(client.right, client.bottom, topmost, state.screen.width, state.screen.height);
}

void ApplyCurrentWallpaper(MainWindow& state) {
    if (!state.shell) return;
    WallpaperContext context;
    context.settings = &state.settings();
    context.store = &state.store;
    context.shell = state.shell.get();
    context.collectionFolder = state.imagesFolder.c_str();
    context.wallpaperFilePath = state.wallpaperFile;
    context.screen = state.screen;
    ApplyWallpaper(context);
    SetTimer(state.window, kRepaintTimer, kRepaintDelay, nullptr);
}

void SetCurrentWallpaper(MainWindow& state, const char* name) {
    if (!StoreCurrentWallpaperName(state.store, state.settings(), name)) return;
    ApplyAfterNameChange(state);
}

void RemoveWallpaper(MainWindow& state) {
    (void)StoreCurrentWallpaperName(state.store, state.settings(), "");
    ApplyAfterNameChange(state);
}

bool ChangeToNextPicture(MainWindow& state, bool notify) {
    const Settings& settings = state.settings();
    const int current = FindPictureIndex(state.titles, settings.szCurrentWallpaper);
    const int next =
        ChooseNextPicture(static_cast<int>(state.titles.size()), current, settings.szCurrentWallpaper[0] != '\0',
                          settings.btWallpaperImagesSelectionMode, state.random);
    if (next < 0) return false;
    SelectPicture(state, next);
    const std::string name = state.titles[static_cast<size_t>(next)];
    SetCurrentWallpaper(state, name.c_str());

    const AfterChange after = DecideAfterChange(settings, notify, notify && IsFullScreenForeground(state));
    if (after.playSound) (void)PlayResourceSound("WavGlock");
    if (after.showPicture) PreviewSelectedPicture(state);
    return true;
}

void EnableWallpaperChanger(MainWindow& state, bool on) {
    Settings& settings = state.settings();
    if (on) {
        settings.btEnableWallpaperChanger = 1;
        UpdateMainWindowButtons(state);
        if (IsWindowEnabled(MainControl(state, kMainSetWallpaperButton)) && !state.selectedName.empty()) {
            const std::string name = state.selectedName;
            SetCurrentWallpaper(state, name.c_str());
        } else {
            (void)ChangeToNextPicture(state, false);
        }
    } else {
        RemoveWallpaper(state);  // while the switch is still on, so the empty wallpaper reaches the shell
        settings.btEnableWallpaperChanger = 0;
        UpdateMainWindowButtons(state);
    }
    (void)WriteSetting(state.store, settings, settings.btEnableWallpaperChanger);
}

bool IsChangeDue(MainWindow& state, bool send) {
    if (!IsChangeDueAt(state.settings(), CurrentUtcTime())) return false;
    if (send) {
        SendMessageA(state.window, WM_APP_SCHEDULED_CHANGE, 0, 0);
    } else {
        PostMessageA(state.window, WM_APP_SCHEDULED_CHANGE, 0, 0);
    }
    return true;
}

void OnScheduledChange(MainWindow& state) {
    if (state.settings().btEnableWallpaperChanger == 0) return;
    RecordScheduledChange(state.store, state.settings(), CurrentUtcTime());
    (void)ChangeToNextPicture(state, true);
}

void ApplyStartUpWallpaper(MainWindow& state) {
    const bool enabled = state.settings().btEnableWallpaperChanger == 1;
    const bool changeRequested = enabled && IsChangeDue(state, false);
    switch (DecideStartUpWallpaper(state.settings(), changeRequested)) {
        case StartUpWallpaper::ScheduledChange:
            PostMessageA(state.window, WM_APP_SCHEDULED_CHANGE, 0, 0);
            break;
        case StartUpWallpaper::ReapplyCurrent:
            // The set-as-wallpaper command for the selected entry, which is the current picture.
            PostMessageA(state.window, WM_COMMAND, MAKEWPARAM(kMainSetWallpaperButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(MainControl(state, kMainSetWallpaperButton)));
            break;
        case StartUpWallpaper::Nothing:
            break;
    }
}
