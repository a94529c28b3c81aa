// The main window of Tapestrique.exe: the skinned window that shows the collection, and the
// hub that stays alive, usually hidden, for the whole process. Its procedure receives the
// buttons' commands, the tray icon's popup menu, the global hotkeys, the one-minute timer of
// the wallpaper scheduler and the private messages of the other windows and threads.
//
//     ProcessFacts process = ...;                 // what start-up found out
//     MainWindow main{&process};                   // outlives its window
//     if (!RegisterMainWindowClass()) ...;
//     HWND window = CreateMainWindow(main);        // runs the whole start-up sequence
//
// The window's work is split by subject over main_window_*_win32.cpp; this header is what
// they share.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/collection/owned_picture.h"
#include "app/desktop/desktop_integration_win32.h"
#include "app/main_window/command_rules.h"
#include "app/main_window/menu_commands.h"
#include "app/online/new_image_window_win32.h"
#include "app/online/newest_images.h"
#include "app/online/service_pages.h"
#include "app/online/transfer_worker_win32.h"
#include "app/startup/single_instance_win32.h"  // the window class, title and mutex names
#include "app/wallpaper/apply_wallpaper.h"
#include "app/wallpaper/wallpaper_shell_win32.h"
#include "base/random.h"
#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "ui/progress_record.h"
#include "ui/skinned_window_win32.h"
#include "win32/com_owners_win32.h"
#include "win32/gdi_owners_win32.h"

constexpr UINT_PTR kSchedulerTimer = 100;  // the wallpaper scheduler's one-minute tick
constexpr UINT kSchedulerPeriod = 60000;
// A moment after a wallpaper is applied the program's windows paint themselves again: some
// desktops (Wine's) paint the new wallpaper over the windows above them.
constexpr UINT_PTR kRepaintTimer = 101;
constexpr UINT kRepaintDelay = 500;
constexpr UINT kDesktopPaintWait = 3000;  // at most, for the desktop to finish its paint

// What start-up found out before the main window exists; alive for the whole process.
struct ProcessFacts {
    HINSTANCE instance = nullptr;
    std::string commandLine;  // empty when it was too long to keep
    uint32_t flags = 0;       // ApplicationFlag bits
    int osVersionCode = 0;
    std::string windowsFolder;    // without a trailing backslash
    std::string temporaryFolder;  // likewise
    Settings settings = DefaultSettings();
};

// The popup menu and its five hotkeys.
struct MainWindowMenu {
    OwnedMenu menu;                                  // "MENUTAPESTRIQUE", one popup per language
    std::array<bool, kHotkeyCount> registered = {};  // per hotkey id
};

// The online picture service's side of the main window: the one transfer, what it is for, and
// the notification with the picture it announces.
struct OnlineClient {
    Transfer transfer;
    OnlineState state = OnlineState::Idle;
    int announcedIndex = -1;  // the picture of the last announcement
    NewImageWindow announcement;
    OwnedBitmap thumbnail;  // shown by the notification while it exists; none when composing failed
};

struct MainWindow {
    explicit MainWindow(ProcessFacts* facts) : process(facts) {}

    ProcessFacts* process;
    HWND window = nullptr;
    HWND frontWindow = nullptr;  // brought forward when the application is opened
    SkinnedWindow skinned;
    RegistryStore store;

    // Folders and names fixed when the window is created.
    std::string imagesFolder;
    std::string exportedFolder;
    std::string musicFolder;
    char wallpaperFile[MAX_PATH * 2] = {};
    std::string applicationPath;  // for the Run entry
    ScreensaverPaths screensaver;

    // The collection as the list shows it (the list box holds the same titles in this order).
    std::vector<std::string> titles;
    std::string selectedName;
    OwnedBitmap previewBitmap;

    WallpaperScreen screen;  // as last read by the environment checks
    bool screenRead = false;
    RandomState random;
    OpenDialog openDialog = OpenDialog::None;
    MainWindowMenu menu;
    UINT taskbarCreatedMessage = 0;
    OnlineClient online;

    std::unique_ptr<ScopedComInitialization> com;
    std::unique_ptr<Win32WallpaperShell> shell;

    Settings& settings() { return process->settings; }
    [[nodiscard]] bool HasFlag(uint32_t flag) const { return (process->flags & flag) != 0; }
    void SetFlag(uint32_t flag, bool on) { process->flags = on ? process->flags | flag : process->flags & ~flag; }
};

[[nodiscard]] bool RegisterMainWindowClass();

// Creates the (hidden) main window and runs its start-up sequence; null when it cannot be made.
[[nodiscard]] HWND CreateMainWindow(MainWindow& state);

// --- The subjects of the window, each in its own file. ---

// Start-up and tear-down (main_window_lifecycle_win32.cpp).
LRESULT OnMainWindowCreate(MainWindow& state, HWND window);
// The skin of the current language: the user's, else the built-in one, each tried again while
// the user asks; then the window at its place with the skin's size.
void LoadMainSkin(MainWindow& state);
void PlaceMainWindow(MainWindow& state);
void OnMainWindowDestroy(MainWindow& state);
LRESULT OnMainWindowClose(MainWindow& state);

// Commands, buttons and the popup menu (main_window_commands_win32.cpp).
[[nodiscard]] MainWindowState CurrentWindowState(MainWindow& state);
LRESULT OnMainWindowCommand(MainWindow& state, WPARAM wParam, LPARAM lParam);
void RunMenuCommand(MainWindow& state, MenuCommand command);
void UpdateMainWindowButtons(MainWindow& state);
void OpenMainWindow(MainWindow& state);
// Opens one of the online service's pages in the browser; a failure is silent.
void OpenServicePage(const MainWindow& state, ServicePage page);
void OnTrayNotify(MainWindow& state, LPARAM mouseMessage);
void OnHotkey(MainWindow& state, WPARAM hotkeyId);

// The picture list (main_window_list_win32.cpp).
void FillPictureList(MainWindow& state, HWND initializationWindow);
// Puts the titles into the list box (after its skin was made again) and sets the count label.
void ShowTitlesInList(MainWindow& state);
void SelectPicture(MainWindow& state, int index);  // -1: nothing; runs the selection change
void OnPictureListSelectionChanged(MainWindow& state);
void UpdateCountLabel(MainWindow& state);
// Adds a title where the collection's order puts it (the count follows); its index.
int InsertPictureTitle(MainWindow& state, const std::string& title);
// Removes the entry at `index` (the count follows); nothing for -1.
void RemovePictureTitle(MainWindow& state, int index);
[[nodiscard]] HWND MainControl(const MainWindow& state, uint32_t controlId);

// The wallpaper and its scheduler (main_window_wallpaper_win32.cpp).
void ApplyCurrentWallpaper(MainWindow& state);
void SetCurrentWallpaper(MainWindow& state, const char* name);
void RemoveWallpaper(MainWindow& state);
bool ChangeToNextPicture(MainWindow& state, bool notify);
void EnableWallpaperChanger(MainWindow& state, bool on);
bool IsChangeDue(MainWindow& state, bool send);
void OnScheduledChange(MainWindow& state);
void ApplyStartUpWallpaper(MainWindow& state);

// A picture file named on a command line, as read for result 0 (null otherwise).
void ShowPictureFile(MainWindow& state, int result, OwnedPicture record);
// Hands a picture file's reading to ShowPictureFile by WM_APP_SHOW_PICTURE (the record only
// for result 0); the receiver owns the record.
void PostPictureToShow(MainWindow& state, int result, OwnedPicture record);

// The online picture service (main_window_online_win32.cpp): the notification window made
// hidden at start-up and destroyed at tear-down, the timer's check, the transfers' ends and
// progress, and the notification's clicks.
void CreateAnnouncementWindow(MainWindow& state);
void DestroyAnnouncementWindow(MainWindow& state);
void OnlineTick(MainWindow& state);
LRESULT OnTransferDone(MainWindow& state, WPARAM tag, LPARAM completion);
void OnDownloadProgress(MainWindow& state, WPARAM display, const ProgressRecord* record);
void OnAnnouncementClick(MainWindow& state, UINT controlId);
void CloseAnnouncement(MainWindow& state);
// Stops a running transfer while the window closes, answering its messages meanwhile.
void StopOnlineTransfer(MainWindow& state);
// After a change of language: the notification's face again, with the announced picture.
void RestoreAnnouncementAfterLanguageSwitch(MainWindow& state);

// Whether a full-screen program is in front (main_window_wallpaper_win32.cpp).
[[nodiscard]] bool IsFullScreenForeground(const MainWindow& state);

// Switches the interface to another language at run time: the window is rebuilt from its skin
// in that language, keeping the list, the selection and the count (main_window_language_win32.cpp).
bool SwitchLanguage(MainWindow& state, int language);

// The system's settings (main_window_environment_win32.cpp).
void OnEnvironmentChange(MainWindow& state);
