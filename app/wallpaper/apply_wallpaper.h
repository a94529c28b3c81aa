// Making the current picture the desktop wallpaper: compose it at screen size with the
// user's presentation, write it as a 24-bit BMP file, set the desktop's registry values and
// tell the shell. The shell calls go through WallpaperShell, so everything but them runs and
// is tested on any system; wallpaper_shell_win32.h gives the Windows shell.
//
//     WallpaperContext context{&settings, &store, &shell, collectionFolder, wallpaperFile, screen};
//     ApplyWallpaper(context);
//
// Failures are never shown: a picture that cannot be read, composed or written leaves the
// previous wallpaper file as it was, and that file is applied again.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/wallpaper/picture_layout.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

// The shell's side of an application, in the order ApplyWallpaper calls it.
class WallpaperShell {
public:
    virtual ~WallpaperShell() = default;
    // The active-desktop object's SetWallpaper and ApplyChanges; nothing when it is absent.
    virtual void SetActiveDesktopWallpaper(const char* path) = 0;
    // SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE).
    virtual void SetSystemWallpaper(const char* path) = 0;
    // WM_WININICHANGE to the main window, so it re-reads the environment.
    virtual void NotifySettingsChanged() = 0;
};

// The screen as the main window keeps it.
struct WallpaperScreen {
    int width = 0;
    int height = 0;
    AreaRect workArea;
    uint32_t desktopColour = 0;  // COLORREF
};

struct WallpaperContext {
    const Settings* settings = nullptr;
    SettingsStore* store = nullptr;
    WallpaperShell* shell = nullptr;
    const char* collectionFolder = nullptr;   // the folder Images of the installation
    const char* wallpaperFilePath = nullptr;  // built once by BuildWallpaperFilePath
    WallpaperScreen screen;
};

// Composes and applies the current wallpaper (szCurrentWallpaper; empty gives an empty
// wallpaper path). Nothing at all happens when btEnableWallpaperChanger is 0.
void ApplyWallpaper(const WallpaperContext& context);

// How composing the wallpaper file ended: written, or the step that stopped it.
enum class WallpaperFileResult : uint8_t {
    Written,
    NoFilePath,          // the wallpaper file path is missing
    PictureUnreadable,   // the name is not a picture of the collection, or its file does not read
    PictureNotComposed,  // the payload does not decode or memory ran out
    FileNotWritten,      // the BMP file could not be written or put in place
};

// Steps that compose the current picture into the wallpaper file: read "<name>.tqi" from the
// collection folder, compose it, write the BMP beside the old file and only then replace it.
[[nodiscard]] WallpaperFileResult ComposeWallpaperFile(const WallpaperContext& context);

// The wallpaper file: "<windows folder>\Tapestrique - <user>.bmp", or "<windows
// folder>\Tapestrique.bmp" when the user name is empty. A trailing backslash of the folder is
// dropped. False when the path does not fit `size` bytes.
[[nodiscard]] bool BuildWallpaperFilePath(const char* windowsFolder, const char* userName, char* out, size_t size);

// Makes `name` the current picture in memory and in the registry (szCurrentWallpaper). A
// name that does not fit the 127-character slot is refused (false) and changes nothing.
[[nodiscard]] bool StoreCurrentWallpaperName(SettingsStore& store, Settings& settings, const char* name);
