// The control ids of the skinned windows: the ids that their skins give the child controls,
// by which each window finds its controls (FindElementById) and tells their notifications
// apart. A window's skin decides where its controls are and how they look, never which ids
// they have: the built-in skins (assets/skins/*.json) are checked against the lists below
// when they are built (skin_controls_check.cpp), so a skin cannot name an id that no window
// knows, nor leave one out.
#pragma once

#include <cstdint>
#include <span>

// The main window ("SkinDefault", or a user skin in its place).
enum MainWindowControl : uint32_t {
    kMainDetailsLabel = 101,
    kMainCountLabel = 102,
    kMainImportButton = 103,
    kMainExportButton = 105,
    kMainPreviewPicture = 106,
    kMainPictureList = 107,
    kMainDeleteButton = 108,
    kMainRenameButton = 109,
    kMainSetWallpaperButton = 110,
    kMainShowCurrentButton = 111,
    kMainRemoveWallpaperButton = 112,
    kMainChangeWallpaperButton = 113,
    kMainDownloadButton = 114,
    kMainHelpButton = 118,
    kMainAboutButton = 120,
    kMainSettingsButton = 121,
    kMainCloseButton = 122,
};

// The initialization window ("SkinInitialization").
enum InitializationControl : uint32_t {
    kInitializationStatusLabel = 126,
    kInitializationProgressBar = 127,
};

// The new-image notification ("SkinNewImage"); its close button shares the main window's id.
enum NewImageControl : uint32_t {
    kNewImageCloseButton = 122,
    kNewImageHeadline = 123,
    kNewImageThumbnail = 124,
    kNewImageDescription = 125,
};

// The picture set of the screensaver settings page ("SkinDialogSettingsScreensaver"): button
// pictures only, which the page gives the ids of its own dialog buttons.
enum ScreensaverButtonPicture : uint32_t {
    kScreensaverAddPicture = 128,
    kScreensaverDeletePicture = 129,
    kScreensaverPlayPicture = 130,
    kScreensaverStopPicture = 131,
};

// Picture controls whose windows set their own picture once the skin is parsed (the selected
// picture's preview, the new picture's thumbnail); the skin's picture is only their default.
[[nodiscard]] constexpr bool SetsItsOwnPicture(uint32_t controlId) {
    return controlId == kMainPreviewPicture || controlId == kNewImageThumbnail;
}

// A built-in skin and the controls that its window expects, each exactly once per language.
struct SkinControlSet {
    const char* entry;  // data-resource entry
    bool withBackground;
    std::span<const uint32_t> controls;
};

inline constexpr uint32_t kMainWindowControls[] = {
    kMainDetailsLabel,       kMainCountLabel,        kMainImportButton,          kMainExportButton,
    kMainPreviewPicture,     kMainPictureList,       kMainDeleteButton,          kMainRenameButton,
    kMainSetWallpaperButton, kMainShowCurrentButton, kMainRemoveWallpaperButton, kMainChangeWallpaperButton,
    kMainDownloadButton,     kMainHelpButton,        kMainAboutButton,           kMainSettingsButton,
    kMainCloseButton,
};
inline constexpr uint32_t kInitializationControls[] = {kInitializationStatusLabel, kInitializationProgressBar};
inline constexpr uint32_t kNewImageControls[] = {kNewImageCloseButton, kNewImageHeadline, kNewImageThumbnail,
                                                 kNewImageDescription};
inline constexpr uint32_t kScreensaverButtonPictures[] = {kScreensaverAddPicture, kScreensaverDeletePicture,
                                                          kScreensaverPlayPicture, kScreensaverStopPicture};

inline constexpr SkinControlSet kBuiltInSkins[] = {
    {"SkinDefault", true, kMainWindowControls},
    {"SkinInitialization", true, kInitializationControls},
    {"SkinNewImage", true, kNewImageControls},
    {"SkinDialogSettingsScreensaver", false, kScreensaverButtonPictures},
};
