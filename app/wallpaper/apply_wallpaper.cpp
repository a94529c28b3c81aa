#include "app/wallpaper/apply_wallpaper.h"

#include <cstdio>
#include <cstring>

#include "settings/settings_loader.h"
#include "app/wallpaper/compose_picture.h"
#include "base/file_io.h"
#include "codec/formats/bmp_codec.h"
#include "codec/image_source.h"
#include "collection/tqi_file.h"

namespace {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

constexpr int kPathCapacity = 4096;

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kShellDesktopKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

// Writes the composed picture as a 24-bit BMP file next to the wallpaper file, then moves it
// over the old one, so a failed write never damages the wallpaper the desktop shows.
int WriteWallpaperBmp(const RgbImage& image, const char* path) {
    char temporary[kPathCapacity];
    if (!MakeSiblingTempPath(path, temporary, sizeof temporary)) return 1;
    ImageSink* sink = OpenFileSink(temporary);
    if (sink == nullptr) return 1;
    bool written = WriteBmp(sink, image.pixels, image.width, image.height, 24);
    bool closed = CloseSink(sink) == 0;
    if (!written || !closed || !ReplaceFileWith(path, temporary)) {
        (void)DeleteFilePath(temporary);
        return 1;
    }
    return 0;
}

void WriteDesktopValues(SettingsStore& store, const char* path) {
    ScopedStoreKey desktop(store);
    if (desktop.OpenForWrite(RegistryRoot::CurrentUser, kDesktopKey)) {
        const char* const values[][2] = {{"TileWallpaper", "0"}, {"WallpaperStyle", "0"}, {"Wallpaper", path}};
        for (const auto& value : values) {
            (void)store.SetValue(desktop.Get(), value[0], kRegistryString,
                                 reinterpret_cast<const unsigned char*>(value[1]),
                                 static_cast<uint32_t>(std::strlen(value[1]) + 1));
        }
    }
    ScopedStoreKey shellDesktop(store);
    if (shellDesktop.OpenForWrite(RegistryRoot::CurrentUser, kShellDesktopKey)) {
        const char* const values[][2] = {
            {"TileWallpaper", "0"}, {"WallpaperStyle", "0"}, {"BackupWallpaper", path}, {"Wallpaper", path}};
        for (const auto& value : values) {
            (void)store.SetValue(shellDesktop.Get(), value[0], kRegistryString,
                                 reinterpret_cast<const unsigned char*>(value[1]),
                                 static_cast<uint32_t>(std::strlen(value[1]) + 1));
        }
    }
}

}  // namespace

int ComposeWallpaperFile(const WallpaperContext& context) {
    const Settings& settings = *context.settings;
    if (context.wallpaperFilePath == nullptr || context.wallpaperFilePath[0] == 0) return 1;
    // A picture name is a file name in the collection folder; a name from the registry that
    // would reach into another folder is not one.
    if (std::strpbrk(settings.szCurrentWallpaper, "\\/:") != nullptr) return 2;
    char picturePath[kPathCapacity];
    int length = std::snprintf(picturePath, sizeof picturePath, "%s%c%s.tqi", context.collectionFolder, kPathSeparator,
                               settings.szCurrentWallpaper);
    if (length < 0 || length >= static_cast<int>(sizeof picturePath)) return 2;

    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(picturePath), record, true);
    if (result != 0) return result;

    const WallpaperScreen& screen = context.screen;
    uint32_t flags = 0;
    if (settings.btWallpaperImagesShowTitles != 0) flags |= kComposeTitle;
    if (settings.btWallpaperImagesBlackWhite != 0) flags |= kComposeGreyscale;
    const AreaRect* area = settings.btWallpaperImagesUseOnlyWorkArea != 0 ? &screen.workArea : nullptr;
    RgbImage wallpaper;
    result = ComposePicture(wallpaper, record, screen.width, screen.height, kResizeBicubic, area,
                            settings.btWallpaperImagesPresentation, screen.desktopColour, flags);
    FreePicturePayload(record);
    if (result != 0) return result;
    result = WriteWallpaperBmp(wallpaper, context.wallpaperFilePath);
    FreeComposedPicture(wallpaper);
    return result;
}

void ApplyWallpaper(const WallpaperContext& context) {
    const Settings& settings = *context.settings;
    if (settings.btEnableWallpaperChanger == 0) return;

    // The path is the wallpaper file whether or not this composition worked: the desktop then
    // shows what the file holds from an earlier application.
    const char* path = "";
    if (settings.szCurrentWallpaper[0] != 0 && context.wallpaperFilePath != nullptr) {
        (void)ComposeWallpaperFile(context);
        path = context.wallpaperFilePath;
    }
    WriteDesktopValues(*context.store, path);
    context.shell->SetActiveDesktopWallpaper(path);
    context.shell->SetSystemWallpaper(path);
    context.shell->NotifySettingsChanged();
}
