#include <cstdio>
#include <cstring>

#include "app/wallpaper/apply_wallpaper.h"
#include "settings/settings_loader.h"

bool BuildWallpaperFilePath(const char* windowsFolder, const char* userName, char* out, size_t size) {
    size_t folderLength = std::strlen(windowsFolder);
    if (folderLength > 0 && windowsFolder[folderLength - 1] == '\\') --folderLength;
    int written;
    if (userName != nullptr && userName[0] != 0) {
        written = std::snprintf(out, size, "%.*s\\%s - %s%s", static_cast<int>(folderLength), windowsFolder,
                                "Tapestrique", userName, ".bmp");
    } else {
        written = std::snprintf(out, size, "%.*s\\%s%s", static_cast<int>(folderLength), windowsFolder, "Tapestrique",
                                ".bmp");
    }
    if (written < 0 || static_cast<size_t>(written) >= size) {
        if (size > 0) out[0] = 0;
        return false;
    }
    return true;
}

bool StoreCurrentWallpaperName(SettingsStore& store, Settings& settings, const char* name) {
    size_t length = std::strlen(name);
    if (length >= sizeof settings.szCurrentWallpaper) return false;
    std::memcpy(settings.szCurrentWallpaper, name, length + 1);
    (void)WriteSetting(store, settings, settings.szCurrentWallpaper);
    return true;
}
