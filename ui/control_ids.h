// The control ids of the program's windows and dialogs.
//
// Skinned windows: the ids that their skins give the child controls,
// by which each window finds its controls (FindElementById) and tells their notifications
// apart. A window's skin decides where its controls are and how they look, never which ids
// they have: the built-in skins (assets/skins/*.json) are checked against the lists below
// when they are built (skin_controls_check.cpp), so a skin cannot name an id that no window
// knows, nor leave one out.
//
// Dialogs: the ids of the controls in the dialog templates, which are generated from the
// layouts in app/resources/layouts (by these names) for every language; the templates' test
// holds each language's dialog to the lists at the end of this file.
#pragma once

#include <cstdint>
#include <span>

#include "ui/localization/text_id.h"

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

// Dialog buttons that the dialog manager itself knows (Enter and Escape).
enum DialogButton : uint32_t {
    kDialogOk = 1,
    kDialogCancel = 2,
};

// First-run welcome ("DIALOGWELCOME_").
enum WelcomeControl : uint32_t {
    kWelcomeAcceptButton = kDialogOk,
    kWelcomeTitle = 1093,
    kWelcomeWallpaperChanger = 1094,
    kWelcomeScreensaver = 1095,
    kWelcomeTrayDescription = 1096,  // the tray picture is placed below it
};

// General settings page ("DIALOGSETTINGSGENERAL_").
enum GeneralPageControl : uint32_t {
    kGeneralProgramGroup = 1022,
    kGeneralRunAtStartup = 1023,
    kGeneralOpenAutomatically = 1024,
    kGeneralTrayIcon = 1025,
    kGeneralNewImagesGroup = 1026,
    kGeneralNotifications = 1027,
    kGeneralAutoDownload = 1028,
    kGeneralNotWithFullScreen = 1029,
    kGeneralShortcutsGroup = 1030,
    kGeneralShortcutKey = 1031,  // hidden; composes the combination being entered
    kGeneralShortcutList = 1032,
    kGeneralLanguageGroup = 1033,
    kGeneralCatalan = 1034,  // the four language buttons in language index order
    kGeneralEnglish = 1035,
    kGeneralSpanish = 1036,
    kGeneralFrench = 1037,
};

// Wallpaper settings page ("DIALOGSETTINGSWALLPAPER_").
enum WallpaperPageControl : uint32_t {
    kWallpaperEnableChanger = 1066,
    kWallpaperChangeGroup = 1067,
    kWallpaperChangeNever = 1068,  // the four change modes in setting order
    kWallpaperChangeAtRestart = 1069,
    kWallpaperChangeDaily = 1070,
    kWallpaperChangeEvery = 1071,
    kWallpaperHours = 1072,
    kWallpaperHoursUpDown = 1073,
    kWallpaperHoursLabel = 1074,
    kWallpaperMinutes = 1075,
    kWallpaperMinutesUpDown = 1076,
    kWallpaperMinutesLabel = 1077,
    kWallpaperSelectionGroup = 1039,
    kWallpaperAlphabetically = 1078,
    kWallpaperRandomly = 1079,
    kWallpaperNotificationsGroup = 1080,
    kWallpaperShowImage = 1081,
    kWallpaperPlaySound = 1082,
    kWallpaperPresentationGroup = 1083,
    kWallpaperTiled = 1084,  // the four presentations in setting order
    kWallpaperCentred = 1085,
    kWallpaperStretched = 1086,
    kWallpaperFitted = 1087,
    kWallpaperWorkAreaOnly = 1088,
    kWallpaperDesktopGroup = 1089,
    kWallpaperTransparentIconText = 1090,
    kWallpaperImageGroup = 1062,
    kWallpaperShowTitles = 1091,
    kWallpaperBlackWhite = 1092,
};

// Screensaver settings page ("DIALOGSETTINGSSCREENSAVER_").
enum ScreensaverPageControl : uint32_t {
    kScreensaverEnable = 1038,
    kScreensaverSelectionGroup = 1039,
    kScreensaverAlphabetically = 1040,
    kScreensaverRandomly = 1041,
    kScreensaverDelayGroup = 1042,
    kScreensaverSeconds = 1043,
    kScreensaverSecondsUpDown = 1044,
    kScreensaverSecondsLabel = 1045,
    kScreensaverPresentationGroup = 1046,
    kScreensaverTiled = 1047,  // the four presentations in setting order
    kScreensaverCentred = 1048,
    kScreensaverStretched = 1049,
    kScreensaverFitted = 1050,
    kScreensaverAudioGroup = 1051,
    kScreensaverPlayAudio = 1052,
    kScreensaverAddTrack = 1053,  // picture buttons drawn from "SkinDialogSettingsScreensaver"
    kScreensaverDeleteTrack = 1054,
    kScreensaverPlayTrack = 1055,
    kScreensaverStopTrack = 1056,
    kScreensaverTrackList = 1057,
    kScreensaverVideoGroup = 1058,
    kScreensaverTransitions = 1059,
    kScreensaverVideoModeLabel = 1060,
    kScreensaverVideoMode = 1061,
    kScreensaverImageGroup = 1062,
    kScreensaverShowTitles = 1063,
    kScreensaverBlackWhite = 1064,
    kScreensaverLaunch = 1065,
};

// Renaming a picture ("DIALOGRENAMEIMAGE_"): OK and Cancel, and the title being edited.
enum RenameControl : uint32_t {
    kRenameTitle = 1006,
};

// The buttons over a picture opened from the command line ("DIALOGOPENTQIFILE_"); Close is Cancel.
enum OpenTqiFileControl : uint32_t {
    kOpenTqiFileSave = 1007,
};

// Import progress ("DIALOGIMPORTFILES_"); Cancel stops the import.
enum ImportControl : uint32_t {
    kImportStatus = 1008,
    kImportProgress = 1009,
};

// A link label: the About box's web address, the install dialog's download page and the
// export confirmation's folder link share the id, so the link drawing knows them by it.
enum LinkControl : uint32_t {
    kLinkLabel = 1002,
};

// Export confirmation ("DIALOGIMAGEEXPORTED_"); Close is Cancel.
enum ImageExportedControl : uint32_t {
    kImageExportedPath = 1010,
    kImageExportedOpen = 1011,
};

// About box ("DIALOGABOUT_"); Close is Cancel.
enum AboutControl : uint32_t {
    kAboutVersion = 1001,  // the logo is placed above it
    kAboutLicence = 1005,
};

inline constexpr uint32_t kWelcomeControls[] = {kWelcomeAcceptButton, kWelcomeTitle, kWelcomeWallpaperChanger,
                                                kWelcomeScreensaver, kWelcomeTrayDescription};
inline constexpr uint32_t kGeneralPageControls[] = {
    kGeneralProgramGroup,   kGeneralRunAtStartup,  kGeneralOpenAutomatically, kGeneralTrayIcon,
    kGeneralNewImagesGroup, kGeneralNotifications, kGeneralAutoDownload,      kGeneralNotWithFullScreen,
    kGeneralShortcutsGroup, kGeneralShortcutKey,   kGeneralShortcutList,      kGeneralLanguageGroup,
    kGeneralCatalan,        kGeneralEnglish,       kGeneralSpanish,           kGeneralFrench,
};
inline constexpr uint32_t kWallpaperPageControls[] = {
    kWallpaperEnableChanger,
    kWallpaperChangeGroup,
    kWallpaperChangeNever,
    kWallpaperChangeAtRestart,
    kWallpaperChangeDaily,
    kWallpaperChangeEvery,
    kWallpaperHours,
    kWallpaperHoursUpDown,
    kWallpaperHoursLabel,
    kWallpaperMinutes,
    kWallpaperMinutesUpDown,
    kWallpaperMinutesLabel,
    kWallpaperSelectionGroup,
    kWallpaperAlphabetically,
    kWallpaperRandomly,
    kWallpaperNotificationsGroup,
    kWallpaperShowImage,
    kWallpaperPlaySound,
    kWallpaperPresentationGroup,
    kWallpaperTiled,
    kWallpaperCentred,
    kWallpaperStretched,
    kWallpaperFitted,
    kWallpaperWorkAreaOnly,
    kWallpaperDesktopGroup,
    kWallpaperTransparentIconText,
    kWallpaperImageGroup,
    kWallpaperShowTitles,
    kWallpaperBlackWhite,
};
inline constexpr uint32_t kScreensaverPageControls[] = {
    kScreensaverEnable,        kScreensaverSelectionGroup, kScreensaverAlphabetically,
    kScreensaverRandomly,      kScreensaverDelayGroup,     kScreensaverSeconds,
    kScreensaverSecondsUpDown, kScreensaverSecondsLabel,   kScreensaverPresentationGroup,
    kScreensaverTiled,         kScreensaverCentred,        kScreensaverStretched,
    kScreensaverFitted,        kScreensaverAudioGroup,     kScreensaverPlayAudio,
    kScreensaverAddTrack,      kScreensaverDeleteTrack,    kScreensaverPlayTrack,
    kScreensaverStopTrack,     kScreensaverTrackList,      kScreensaverVideoGroup,
    kScreensaverTransitions,   kScreensaverVideoModeLabel, kScreensaverVideoMode,
    kScreensaverImageGroup,    kScreensaverShowTitles,     kScreensaverBlackWhite,
    kScreensaverLaunch,
};
inline constexpr uint32_t kRenameControls[] = {kRenameTitle, kDialogOk, kDialogCancel};
inline constexpr uint32_t kOpenTqiFileControls[] = {kOpenTqiFileSave, kDialogCancel};
inline constexpr uint32_t kImportControls[] = {kImportStatus, kImportProgress, kDialogCancel};
inline constexpr uint32_t kImageExportedControls[] = {kImageExportedPath, kImageExportedOpen, kLinkLabel,
                                                      kDialogCancel};
inline constexpr uint32_t kAboutControls[] = {kDialogCancel, kAboutVersion, kLinkLabel, kAboutLicence};
inline constexpr uint32_t kInstallControls[] = {kDialogCancel, kLinkLabel};

// A dialog and the ids of its controls, the same in every language. Controls that nothing
// addresses (plain labels) have no id and are not listed.
struct DialogControlSet {
    TextId dialog;
    std::span<const uint32_t> controls;
};

inline constexpr DialogControlSet kDialogs[] = {
    {TextId::DialogWelcome, kWelcomeControls},
    {TextId::DialogSettingsGeneral, kGeneralPageControls},
    {TextId::DialogSettingsWallpaper, kWallpaperPageControls},
    {TextId::DialogSettingsScreensaver, kScreensaverPageControls},
    {TextId::DialogRenameImage, kRenameControls},
    {TextId::DialogOpenTqiFile, kOpenTqiFileControls},
    {TextId::DialogImportFiles, kImportControls},
    {TextId::DialogImageExported, kImageExportedControls},
    {TextId::DialogAbout, kAboutControls},
    {TextId::DialogInstall, kInstallControls},
};
