// The Wallpaper page: whether the changer runs, when it changes the wallpaper and how it picks
// the picture, what a change shows and plays, how the picture lies on the desktop and the
// icons' text. An apply writes the changed groups and lets the wallpaper follow at once.
#include <array>

#include "app/main_window/main_window_win32.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/settings_sheet/settings_pages_win32.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/window_messages_win32.h"

struct WallpaperPage : SettingsPage {};

namespace {

constexpr int kChangeModes = 4;
constexpr int kSelectionModes = 2;
constexpr int kPresentations = 4;

struct CheckBoxSetting {
    int control;
    uint8_t Settings::*setting;
    uint8_t group;
};
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
    kWallpaperChangeNever, kWallpaperChangeAtRestart, kWallpaperChangeDaily, kWallpaperChangeEvery,
    kWallpaperAlphabetically, kWallpaperRandomly, kWallpaperShowImage, kWallpaperPlaySound, kWallpaperTiled,
    kWallpaperCentred, kWallpaperStretched, kWallpaperFitted, kWallpaperWorkAreaOnly,
    kWallpaperTransparentIconText, kWallpaperShowTitles, kWallpaperBlackWhite};

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

INT_PTR OnInitDialog(WallpaperPage& state) {
    StartSettingsPage(state, state.page);
    static constexpr const char* kPrefix = "BitmapSettingsWallpaper";
    CreateGroupIcon(state, kWallpaperChangeGroup, kPrefix, "ChangeWallpaper_");
    CreateGroupIcon(state, kWallpaperSelectionGroup, kPrefix, "ImagesSelectionMode_");
    CreateGroupIcon(state, kWallpaperNotificationsGroup, kPrefix, "Notifications_");
    CreateGroupIcon(state, kWallpaperPresentationGroup, kPrefix, "WallpaperPresentation_");
    CreateGroupIcon(state, kWallpaperDesktopGroup, kPrefix, "Desktop_");
    CreateGroupIcon(state, kWallpaperImageGroup, kPrefix, "ImageSettings_");

    const Settings& settings = Main(state).settings();
    SetChecked(state.page, kWallpaperEnableChanger, settings.btEnableWallpaperChanger == 1);
    for (const CheckBoxSetting& box : kCheckBoxes) SetChecked(state.page, box.control, settings.*box.setting == 1);
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

INT_PTR OnCommand(WallpaperPage& state, WPARAM wParam) {
    const UINT id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (notification != BN_CLICKED && notification != EN_CHANGE) return FALSE;
    MarkPageChanged(state, WallpaperPageGroupOf(static_cast<uint32_t>(id)));
    if (id == kWallpaperEnableChanger || (id >= kWallpaperChangeNever && id <= kWallpaperChangeEvery)) {
        SendMessageA(state.page, WM_APP_UPDATE_BUTTONS, 0, 0);
    }
    return TRUE;
}

INT_PTR OnKillActive(WallpaperPage& state) {
    const IntervalField refused = RefusedIntervalField(ReadNumberField(state.page, kWallpaperHours),
                                                       ReadNumberField(state.page, kWallpaperMinutes));
    if (refused == IntervalField::None) return AnswerNotification(state.page, false);
    return RefuseWithWarning(state.page, TextId::InvalidInterval,
                             refused == IntervalField::Hours ? kWallpaperHours : kWallpaperMinutes);
}

void StoreGroups(WallpaperPage& state) {
    MainWindow& main = Main(state);
    Settings& settings = main.settings();
    auto store = [&](const auto& member) { (void)WriteSetting(main.store, settings, member); };
    if ((state.dirty & kWallpaperChangeModeBit) != 0) {
        const int mode = CheckedRadio(state.page, kWallpaperChangeNever, kChangeModes);
        if (mode >= 0) settings.btChangeWallpaper = static_cast<uint8_t>(mode);
        settings.dwChangeWallpaperHours = static_cast<uint32_t>(ReadNumberField(state.page, kWallpaperHours));
        settings.dwChangeWallpaperMinutes = static_cast<uint32_t>(ReadNumberField(state.page, kWallpaperMinutes));
        store(settings.btChangeWallpaper);
        store(settings.dwChangeWallpaperHours);
        store(settings.dwChangeWallpaperMinutes);
    }
    if ((state.dirty & kWallpaperSelectionBit) != 0) {
        const int mode = CheckedRadio(state.page, kWallpaperAlphabetically, kSelectionModes);
        if (mode >= 0) settings.btWallpaperImagesSelectionMode = static_cast<uint8_t>(mode);
        store(settings.btWallpaperImagesSelectionMode);
    }
    if ((state.dirty & kWallpaperPresentationBit) != 0) {
        const int presentation = CheckedRadio(state.page, kWallpaperTiled, kPresentations);
        if (presentation >= 0) settings.btWallpaperImagesPresentation = static_cast<uint8_t>(presentation);
        store(settings.btWallpaperImagesPresentation);
    }
    for (const CheckBoxSetting& box : kCheckBoxes) {
        if ((state.dirty & box.group) == 0) continue;
        settings.*box.setting = IsChecked(state.page, box.control) ? 1 : 0;
        store(settings.*box.setting);
    }
}

INT_PTR OnApply(WallpaperPage& state) {
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
    state.dirty = 0;
    return AnswerNotification(state.page, false);
}

INT_PTR OnNotify(WallpaperPage& state, const NMHDR& header) {
    switch (header.code) {
        case PSN_SETACTIVE:
            state.session->startPage = kWallpaperPage;
            return AnswerNotification(state.page, false);
        case PSN_KILLACTIVE:
            return OnKillActive(state);
        case PSN_APPLY:
            return OnApply(state);
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK WallpaperPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    WallpaperPage* state = PageState<WallpaperPage>(page, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(*state);
        case WM_COMMAND:
            return OnCommand(*state, wParam);
        case WM_APP_UPDATE_BUTTONS:
            UpdateEnabledControls(*state);
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*state, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_DESTROY:
            EndSettingsPage(*state);
            return FALSE;
        case WM_NCDESTROY:
            ReleasePageState<WallpaperPage>(page);
            return FALSE;
        default:
            return FALSE;
    }
}
