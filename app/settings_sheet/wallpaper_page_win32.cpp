// The Wallpaper page: whether the changer runs, when it changes the wallpaper and how it picks
// the picture, what a change shows and plays, how the picture lies on the desktop and the
// icons' text. An apply writes the changed groups and lets the wallpaper follow at once.
#include <array>

#include "app/main_window/main_window_win32.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/settings_sheet/settings_pages_win32.h"
#include "ui/control_ids.h"
#include "ui/window_messages_win32.h"

struct WallpaperPage : SettingsPage {};

namespace {

constexpr int kChangeModes = 4;

constexpr std::array<CheckBoxSetting, 6> kCheckBoxes = {{
    {kWallpaperShowImage, &Settings::btWallpaperChangeShowImage, kWallpaperNotificationsBit},
    {kWallpaperPlaySound, &Settings::btWallpaperChangePlaySound, kWallpaperNotificationsBit},
    {kWallpaperWorkAreaOnly, &Settings::btWallpaperImagesUseOnlyWorkArea, kWallpaperPresentationBit},
    {kWallpaperShowTitles, &Settings::btWallpaperImagesShowTitles, kWallpaperImageBit},
    {kWallpaperBlackWhite, &Settings::btWallpaperImagesBlackWhite, kWallpaperImageBit},
    {kWallpaperTransparentIconText, &Settings::btDesktopIconsTextBkgndTransparent, kWallpaperIconTextBit},
}};

// Every control that follows the changer's switch, and those of them that also need "every".
constexpr std::array<int, 6> kIntervalControls = {kWallpaperHours,   kWallpaperHoursUpDown,   kWallpaperHoursLabel,
                                                  kWallpaperMinutes, kWallpaperMinutesUpDown, kWallpaperMinutesLabel};
constexpr std::array<int, 16> kOptionControls = {
    kWallpaperChangeNever,  kWallpaperChangeAtRestart,     kWallpaperChangeDaily,
    kWallpaperChangeEvery,  kWallpaperAlphabetically,      kWallpaperRandomly,
    kWallpaperShowImage,    kWallpaperPlaySound,           kWallpaperTiled,
    kWallpaperCentred,      kWallpaperStretched,           kWallpaperFitted,
    kWallpaperWorkAreaOnly, kWallpaperTransparentIconText, kWallpaperShowTitles,
    kWallpaperBlackWhite};

MainWindow& Main(const WallpaperPage& state) {
    return *state.session->main;
}

void UpdateEnabledControls(const WallpaperPage& state) {
    const WallpaperEnabling enabling = DecideWallpaperEnabling(IsChecked(state.page, kWallpaperEnableChanger),
                                                               IsChecked(state.page, kWallpaperChangeEvery));
    for (int control : kOptionControls) EnableControl(state.page, control, enabling.options);
    for (int control : kIntervalControls) EnableControl(state.page, control, enabling.interval);
}

void SetNumberField(HWND page, int field, int upDown, int limit, int maximum, uint32_t value) {
    SendDlgItemMessageA(page, field, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    SendDlgItemMessageA(page, upDown, UDM_SETRANGE32, 0, maximum);
    SetDlgItemInt(page, field, value, FALSE);
}

INT_PTR OnStart(WallpaperPage& state) {
    static constexpr const char* kPrefix = "BitmapSettingsWallpaper";
    CreateGroupIcon(state, kWallpaperChangeGroup, kPrefix, "ChangeWallpaper_");
    CreateGroupIcon(state, kWallpaperSelectionGroup, kPrefix, "ImagesSelectionMode_");
    CreateGroupIcon(state, kWallpaperNotificationsGroup, kPrefix, "Notifications_");
    CreateGroupIcon(state, kWallpaperPresentationGroup, kPrefix, "WallpaperPresentation_");
    CreateGroupIcon(state, kWallpaperDesktopGroup, kPrefix, "Desktop_");
    CreateGroupIcon(state, kWallpaperImageGroup, kPrefix, "ImageSettings_");

    const Settings& settings = Main(state).settings();
    SetChecked(state.page, kWallpaperEnableChanger, settings.btEnableWallpaperChanger == 1);
    ShowCheckBoxes(state.page, settings, kCheckBoxes);
    CheckRadio(state.page, kWallpaperChangeNever, kChangeModes, settings.btChangeWallpaper);
    CheckRadio(state.page, kWallpaperAlphabetically, kSelectionModes, settings.btWallpaperImagesSelectionMode);
    CheckRadio(state.page, kWallpaperTiled, kPresentations, settings.btWallpaperImagesPresentation);
    SetNumberField(state.page, kWallpaperHours, kWallpaperHoursUpDown, 3, 360, settings.dwChangeWallpaperHours);
    SetNumberField(state.page, kWallpaperMinutes, kWallpaperMinutesUpDown, 2, 59, settings.dwChangeWallpaperMinutes);
    state.dirty = 0;
    state.ready = true;
    UpdateEnabledControls(state);
    return TRUE;
}

INT_PTR OnCommand(WallpaperPage& state, WPARAM wParam, LPARAM) {
    const UINT id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (notification != BN_CLICKED && notification != EN_CHANGE) return FALSE;
    MarkPageChanged(state, WallpaperPageGroupOf(static_cast<uint32_t>(id)));
    if (id == kWallpaperEnableChanger || (id >= kWallpaperChangeNever && id <= kWallpaperChangeEvery)) {
        SendMessageA(state.page, WM_APP_UPDATE_BUTTONS, 0, 0);
    }
    return TRUE;
}

bool RefuseLeaving(WallpaperPage& state) {
    const IntervalField refused = RefusedIntervalField(ReadNumberField(state.page, kWallpaperHours),
                                                       ReadNumberField(state.page, kWallpaperMinutes));
    if (refused == IntervalField::None) return false;
    return RefuseWithWarning(state.page, TextId::InvalidInterval,
                             refused == IntervalField::Hours ? kWallpaperHours : kWallpaperMinutes);
}

void StoreGroups(WallpaperPage& state) {
    Settings& settings = Main(state).settings();
    if ((state.dirty & kWallpaperChangeModeBit) != 0) {
        StoreRadioChoice(state, kWallpaperChangeNever, kChangeModes, settings.btChangeWallpaper);
        settings.dwChangeWallpaperHours = static_cast<uint32_t>(ReadNumberField(state.page, kWallpaperHours));
        settings.dwChangeWallpaperMinutes = static_cast<uint32_t>(ReadNumberField(state.page, kWallpaperMinutes));
        WritePageSetting(state, settings.dwChangeWallpaperHours);
        WritePageSetting(state, settings.dwChangeWallpaperMinutes);
    }
    if ((state.dirty & kWallpaperSelectionBit) != 0) {
        StoreRadioChoice(state, kWallpaperAlphabetically, kSelectionModes, settings.btWallpaperImagesSelectionMode);
    }
    if ((state.dirty & kWallpaperPresentationBit) != 0) {
        StoreRadioChoice(state, kWallpaperTiled, kPresentations, settings.btWallpaperImagesPresentation);
    }
    StoreCheckBoxes(state, kCheckBoxes);
}

// The changer follows its switch at once; a new interval may make a change due now, and a new
// presentation composes the current picture again.
void Apply(WallpaperPage& state, bool) {
    MainWindow& main = Main(state);
    if ((state.dirty & kWallpaperChangerBit) != 0) {
        const bool on = IsChecked(state.page, kWallpaperEnableChanger);
        if (on != (main.settings().btEnableWallpaperChanger == 1)) EnableWallpaperChanger(main, on);
        state.dirty &= static_cast<uint8_t>(~kWallpaperChangerBit);
    }
    StoreGroups(state);
    const bool changed = (state.dirty & kWallpaperChangeModeBit) != 0 && IsChangeDue(main, true);
    const uint8_t composition = kWallpaperPresentationBit | kWallpaperImageBit | kWallpaperIconTextBit;
    if (!changed && (state.dirty & composition) != 0) SendMessageA(main.window, WM_APP_APPLY_WALLPAPER, 0, 0);
}

INT_PTR OnMessage(WallpaperPage& state, UINT message, WPARAM, LPARAM) {
    if (message != WM_APP_UPDATE_BUTTONS) return FALSE;
    UpdateEnabledControls(state);
    return TRUE;
}

constexpr PageHandlers<WallpaperPage> kHandlers = {kWallpaperPage, OnStart,   OnCommand, RefuseLeaving,
                                                   Apply,          OnMessage, nullptr};

}  // namespace

INT_PTR CALLBACK WallpaperPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return RunPageProcedure(kHandlers, page, message, wParam, lParam);
}
