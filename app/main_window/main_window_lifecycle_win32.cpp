// The main window's start-up sequence (WM_CREATE), its closing and its tear-down.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/main_window/environment_change.h"
#include "app/main_window/main_window_win32.h"
#include "app/main_window/popup_menu_win32.h"
#include "app/main_window/system_probes_win32.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/main_window/window_presence.h"
#include "app/scheduler/change_rules.h"
#include "app/startup/application_flags.h"
#include "app/startup/command_line.h"
#include "app/startup/installation_check.h"
#include "base/directory_listing.h"
#include "base/text_case.h"
#include "base/whole_file.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/initialization_window_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_messages_win32.h"

namespace {

constexpr char kDefaultSkinEntry[] = "SkinDefault";
constexpr char kDefaultSkinName[] = "Default";

bool AskRetry(TextId message) {
    return MessageBoxA(nullptr, Text(message), "Tapestrique", MB_ICONWARNING | MB_RETRYCANCEL) == IDRETRY;
}

bool ParseMainSkin(MainWindow& state, unsigned char* record, size_t size) {
    const bool parsed = ParseSkin(record, size, state.skinned.skin, state.window, true, true) == 0;
    std::free(record);
    return parsed;
}

bool LoadUserSkin(MainWindow& state, const char* name) {
    const std::string path =
        PathInFolder(PathInFolder(state.settings().InstallDir, "Skins"), std::string(name) + ".tqs");
    unsigned char* record = nullptr;
    size_t size = 0;
    if (ReadWholeFile(path.c_str(), &record, &size) != kFileOk) return false;
    return ParseMainSkin(state, record, size);
}

bool LoadDefaultSkin(MainWindow& state) {
    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(kDefaultSkinEntry, &record, &size) != kDataResourceOk) return false;
    return ParseMainSkin(state, record, size);
}

void MakeFolders(MainWindow& state) {
    const char* install = state.settings().InstallDir;
    state.imagesFolder = PathInFolder(install, "Images");
    state.exportedFolder = PathInFolder(install, "Exported");
    state.musicFolder = PathInFolder(install, "Music");
    state.applicationPath = PathInFolder(install, kApplicationFileName);
    state.screensaver = MakeScreensaverPaths(state.process->windowsFolder);
    if (!GetWallpaperFilePath(state.wallpaperFile, sizeof state.wallpaperFile)) state.wallpaperFile[0] = '\0';
}

void CreateComObjects(MainWindow& state) {
    state.com = std::make_unique<ScopedComInitialization>();
    state.shell = std::make_unique<Win32WallpaperShell>(state.window);
    (void)state.shell->CreateActiveDesktop();  // absent under Wine: the registry and the system call still apply
    state.SetFlag(kFlagTransitionsAvailable, AreTransitionsAvailable());
    state.SetFlag(kFlagNoDirectShowPlayback, !CanPlayDirectShow());
}

// The current picture must be one of the list; a name that is not is forgotten.
void ValidateCurrentPicture(MainWindow& state) {
    Settings& settings = state.settings();
    const int index = FindPictureIndex(state.titles, settings.szCurrentWallpaper);
    if (index < 0 && settings.szCurrentWallpaper[0] != '\0') {
        settings.szCurrentWallpaper[0] = '\0';
        (void)WriteSetting(state.store, settings, settings.szCurrentWallpaper);
    }
    SelectPicture(state, index);
}

void PostPictureArgument(MainWindow& state) {
    const std::string& commandLine = state.process->commandLine;
    if (!HasSwitch(commandLine, kSwitchFile)) return;
    auto copy = std::make_unique<char[]>(commandLine.size() + 1);
    std::memcpy(copy.get(), commandLine.c_str(), commandLine.size() + 1);
    if (PostMessageA(state.window, WM_APP_OPEN_ARGUMENT, 0, reinterpret_cast<LPARAM>(copy.get()))) {
        (void)copy.release();  // the receiver frees it
    }
}

}  // namespace

// Without any skin the window has no face, but the tray, the menu, the hotkeys and the timer
// still work.
void LoadMainSkin(MainWindow& state) {
    FreeSkin(state.skinned.skin);
    const char* name = state.settings().szCurrentSkin;
    if (name[0] != '\0' && !EqualNoCaseAscii(name, kDefaultSkinName)) {
        while (!LoadUserSkin(state, name)) {
            if (!AskRetry(TextId::CurrentSkinFailed)) break;
        }
        if (!state.skinned.skin.elements.empty() || state.skinned.skin.background.IsValid()) return;
    }
    while (!LoadDefaultSkin(state)) {
        if (!AskRetry(TextId::DefaultSkinFailed)) return;
    }
}

void PlaceMainWindow(MainWindow& state) {
    const Skin& skin = state.skinned.skin;
    const WindowPoint at = MainWindowPosition(state.settings().ptTapestriqueExeWindowPosition, state.screen.width,
                                              state.screen.height, skin.backgroundWidth, skin.backgroundHeight);
    MoveWindow(state.window, at.x, at.y, skin.backgroundWidth, skin.backgroundHeight, TRUE);
}

LRESULT OnMainWindowCreate(MainWindow& state, HWND window) {
    state.window = window;
    state.frontWindow = window;
    state.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    MakeFolders(state);
    state.SetFlag(kFlagMachineKeyWritable, CanWriteMachineSoftwareKey());
    SeedRandom(state.random, CurrentUtcTime());
    CreateComObjects(state);
    (void)LoadPopupMenu(state);
    LoadApplicationSettings(state.store, state.settings());

    // The first reading of the environment: the screen as start-up found it, the desktop colour
    // not read yet, so this reading never counts as a change.
    state.screen = ReadWallpaperScreen();
    state.screen.desktopColour = kDesktopColourUnread;
    const uint8_t screensaverSetting = state.settings().btEnableScreensaver;
    SendMessageA(window, WM_WININICHANGE, 0, 0);
    // A fresh installation installs its screensaver (the setting's default) rather than
    // taking over the system's choice.
    if (state.HasFlag(kFlagFirstRun) && state.settings().btEnableScreensaver != screensaverSetting) {
        SetSystemScreensaver(screensaverSetting == 1, state.screensaver);
    }

    LoadMainSkin(state);
    PlaceMainWindow(state);

    InitializationWindow initialization;
    (void)OpenInitializationWindow(initialization);
    WriteRunEntry(state.settings(), state.applicationPath);
    RegisterHotkeys(state);
    FillPictureList(state, initialization.window);
    if (state.settings().btShowSystemTrayIcon == 1) AddTrayIcon(state, "Tapestrique");
    ValidateCurrentPicture(state);
    ApplyStartUpWallpaper(state);
    state.skinned.focused = MainControl(state, kMainPictureList);
    PostPictureArgument(state);
    CloseInitializationWindow(initialization);

    SetTimer(window, kSchedulerTimer, kSchedulerPeriod, nullptr);
    CreateAnnouncementWindow(state);
    return 0;
}

LRESULT OnMainWindowClose(MainWindow& state) {
    if (state.HasFlag(kFlagMainWindowClosing)) return 0;  // a second request while the first runs
    state.SetFlag(kFlagMainWindowClosing, true);
    if (state.HasFlag(kFlagTrayIconPresent)) DeleteTrayIcon(state);
    StopOnlineTransfer(state);
    return 1;  // the default handling destroys the window
}

void OnMainWindowDestroy(MainWindow& state) {
    Settings& settings = state.settings();
    (void)WriteSetting(state.store, settings, settings.ptTapestriqueExeWindowPosition);
    DestroyAnnouncementWindow(state);  // with its thumbnail
    KillTimer(state.window, kSchedulerTimer);
    KillTimer(state.window, kRepaintTimer);
    UnregisterHotkeys(state);
    FreeSkin(state.skinned.skin);
    state.previewBitmap.Reset();
    state.menu.menu.Reset();
    state.shell.reset();  // releases the active desktop before COM ends
    state.com.reset();
    PostQuitMessage(0);
}
