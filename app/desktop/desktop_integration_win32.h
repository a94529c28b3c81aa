// Where the application reaches into the Windows desktop besides the wallpaper: its entry in
// the user's Run key, its screensaver as the system's screensaver, starting the screensaver,
// and the desktop's icon list (hidden or shown, labels on a transparent background).
// Failures show nothing: a missing icon list (another shell, or none, as under Wine) makes
// the icon commands do nothing.
#pragma once

#include <windows.h>

#include <string>

#include "settings/settings.h"
#include "settings/settings_store.h"

// The screensaver as the system knows it: Tapestrique.scr in the Windows folder, and the short
// form of that path, which the system's files hold.
struct ScreensaverPaths {
    std::string path;
    std::string shortPath;
};
[[nodiscard]] ScreensaverPaths MakeScreensaverPaths(const std::string& windowsFolder);

// Writes the Run value "Tapestrique" ("\"<application>\" /hidden", or without /hidden when the
// program opens at start), or deletes it when the program does not start with Windows.
void WriteRunEntry(const Settings& settings, const std::string& applicationPath);

// Installs (on) or removes (off) the screensaver as the system's: the desktop's registry
// values, system.ini's [boot] scrnsave.exe and the system's screensaver switch, whose change
// notification brings btEnableScreensaver in line (SyncScreensaverState).
void SetSystemScreensaver(bool on, const ScreensaverPaths& screensaver);

// Brings btEnableScreensaver in line with the system: on only while system.ini names this
// screensaver by its short path and the system's screensaver is active. True when it changed
// (and was written).
bool SyncScreensaverState(SettingsStore& store, Settings& settings, const ScreensaverPaths& screensaver);

// Starts the screensaver in full-screen mode now.
void LaunchScreensaver(const ScreensaverPaths& screensaver);
[[nodiscard]] bool IsScreensaverRunning();

// The desktop's icon list: "Progman" titled "Program Manager", its "SHELLDLL_DefView", in that
// the "SysListView32"; null when any of them is missing.
[[nodiscard]] HWND FindDesktopIconList();
void ToggleDesktopIcons();
[[nodiscard]] bool AreDesktopIconsHidden();
// The icon labels drawn on a transparent background, so that the wallpaper shows through.
void MakeIconTextTransparent();
