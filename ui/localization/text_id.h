// Identifiers of the program's texts. Each names a group of four strings, one per language,
// held in text_table.txt in this same order (the build checks the order). Use them with
// Text, CountText and DialogTemplate (text_table.h).
#pragma once

enum class TextId : int {
    // Start-up.
    CommonControlsTooOld,
    ScreensaverCaption,  // caption of the screensaver's own message box

    // Initialization window.
    Initializing,
    ReadingImageList,
    StartingTapestrique,
    InitializationWindowTitle,

    // Collection.
    ConfirmDeleteImage,  // %s title
    UnknownError,
    ConfirmExport,           // %s title
    OverwriteExportedImage,  // %s file name
    InvalidFileFormat,
    ReadOutOfMemory,
    RenameDuplicateTitle,
    InvalidNameCharacters,
    NoImageSelected,
    ImageDetails,        // %d width, %d height, %d kilobytes
    ImageCountPlural,    // %d count; a counted text for CountText
    ImageCountSingular,  // must follow its plural group

    // Import of pictures.
    ImportImagesTitle,
    ImageFilterList,  // NUL-separated pairs of display text and pattern, ending in two NULs
    TooManyFiles,
    ProcessingFile,  // %d number, %d count, %s file name
    ImportCannotOpen,
    ImportOutOfMemory,
    ImportNotAnImage,
    ImportWrongSize,
    OverwriteImage,  // %s title

    // Skins.
    CurrentSkinFailed,
    DefaultSkinFailed,

    // Online service.
    NewImageAvailable,
    Downloading,  // %d percent

    // Keyboard shortcuts: action names of the settings list, then the matching menu texts.
    ActionChangeWallpaper,
    ActionRemoveWallpaper,
    ActionLaunchScreensaver,
    ActionOpenTapestrique,
    ActionDownloadImages,
    MenuChangeWallpaperNow,
    MenuRemoveWallpaper,
    MenuLaunchScreensaver,
    MenuOpenTapestrique,
    MenuDownloadImages,

    // Settings sheet.
    InvalidInterval,
    InvalidSeconds,
    CurrentSystemMode,
    VideoModeWithRate,  // %d width, %d height, %d bits, %d hertz
    VideoMode,          // %d width, %d height, %d bits
    ScreensaverAlreadyRunning,
    ShortcutTaken,  // %s the key combination

    // Audio-track library.
    ImportAudioTracksTitle,
    AudioFilterList,  // as ImageFilterList
    ConfirmDeleteAudioTrack,
    TrackNotPlayable,
    InvalidAudioFile,
    OverwriteAudioTrack,

    // About box.
    BuildName,

    // Dialog template names, for DialogTemplate.
    DialogWelcome,
    DialogSettingsGeneral,
    DialogSettingsWallpaper,
    DialogSettingsScreensaver,
    DialogRenameImage,
    DialogOpenTqiFile,
    DialogImportFiles,
    DialogImageExported,
    DialogAbout,
    DialogInstall,

    Count
};

constexpr int kTextCount = static_cast<int>(TextId::Count);
