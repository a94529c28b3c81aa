#include "app/wallpaper/apply_wallpaper.h"

#include <cstdio>
#include <cstring>

#include "app/wallpaper/compose_picture.h"
#include "base/file_io.h"
#include "codec/formats/bmp_codec.h"
#include "codec/image_source.h"
#include "collection/collection_folder.h"
#include "settings/settings_loader.h"

namespace {

constexpr int kPathCapacity = 4096;

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kShellDesktopKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

// Writes the composed picture as a 24-bit BMP file next to the wallpaper file, then moves it
// over the old one, so a failed write never damages the wallpaper the desktop shows.
bool WriteWallpaperBmp(const OwnedRgbImage& image, const char* path) {
    char temporary[kPathCapacity];
    if (!MakeSiblingTempPath(path, temporary, sizeof temporary)) return false;
    ImageSink* sink = OpenFileSink(temporary);
    if (sink == nullptr) return false;
    bool written = WriteBmp(sink, image.View().pixels, image.Width(), image.Height(), 24);
    bool closed = CloseSink(sink) == 0;
    if (!written || !closed || !ReplaceFileWith(path, temporary)) {
        (void)DeleteFilePath(temporary);
        return false;
    }
    return true;
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

WallpaperFileResult ComposeWallpaperFile(const WallpaperContext& context) {
    const Settings& settings = *context.settings;
    if (context.wallpaperFilePath == nullptr || context.wallpaperFilePath[0] == 0) {
        return WallpaperFileResult::NoFilePath;
    }
    PictureRecord record;
    if (ReadCollectionPicture(context.collectionFolder, settings.szCurrentWallpaper, record, true) != kFileOk) {
        return WallpaperFileResult::PictureUnreadable;
    }
    const WallpaperScreen& screen = context.screen;
    ComposeRequest request;
    request.targetWidth = screen.width;
    request.targetHeight = screen.height;
    request.resizeFilter = kResizeBicubic;
    if (settings.btWallpaperImagesUseOnlyWorkArea != 0) request.area = screen.workArea;
    request.presentation = settings.btWallpaperImagesPresentation;
    request.backgroundColour = screen.desktopColour;
    if (settings.btWallpaperImagesShowTitles != 0) request.flags |= kComposeTitle;
    if (settings.btWallpaperImagesBlackWhite != 0) request.flags |= kComposeGreyscale;
    OwnedRgbImage wallpaper;
    ComposeResult composed = ComposePicture(record, request, wallpaper);
    FreePicturePayload(record);
    if (composed != kComposeOk) return WallpaperFileResult::PictureNotComposed;
    if (!WriteWallpaperBmp(wallpaper, context.wallpaperFilePath)) return WallpaperFileResult::FileNotWritten;
    return WallpaperFileResult::Written;
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
