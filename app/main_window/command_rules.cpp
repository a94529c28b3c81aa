#include "app/main_window/command_rules.h"

#include "app/main_window/hotkey_table.h"
#include "base/text_case.h"

namespace {

bool ChangerOn(const MainWindowState& state) {
    return state.settings->btEnableWallpaperChanger == 1;
}

bool HasCurrentPicture(const MainWindowState& state) {
    return state.settings->szCurrentWallpaper[0] != 0;
}

bool HasSelection(const MainWindowState& state) {
    return state.selectedName != nullptr && state.selectedName[0] != 0;
}

bool SelectionIsCurrent(const MainWindowState& state) {
    return EqualNoCaseCp1252(state.selectedName != nullptr ? state.selectedName : "",
                             state.settings->szCurrentWallpaper);
}

bool CanRemoveWallpaper(const MainWindowState& state) {
    return ChangerOn(state) && HasCurrentPicture(state);
}

// The settings sheet and the welcome dialog change the same switches as these items.
bool SwitchDialogOpen(const MainWindowState& state) {
    return state.openDialog == OpenDialog::Settings || state.openDialog == OpenDialog::Welcome;
}

bool AnyDialogOpen(const MainWindowState& state) {
    return state.openDialog != OpenDialog::None;
}

}  // namespace

bool CanChangeWallpaper(const MainWindowState& state) {
    if (!ChangerOn(state)) return false;
    return state.pictureCount >= 2 || (state.pictureCount == 1 && !HasCurrentPicture(state));
}

ButtonStates DecideButtonStates(const MainWindowState& state) {
    bool selected = HasSelection(state);
    return {{{
                {kMainExportButton, selected},
                {kMainDeleteButton, selected},
                {kMainRenameButton, selected},
                {kMainShowCurrentButton, HasCurrentPicture(state) && !SelectionIsCurrent(state)},
                {kMainRemoveWallpaperButton, CanRemoveWallpaper(state)},
                {kMainChangeWallpaperButton, CanChangeWallpaper(state)},
                {kMainSetWallpaperButton, ChangerOn(state) && selected && !SelectionIsCurrent(state)},
            }},
            selected};
}

std::array<MenuItemState, 13> DecideMenuStates(const MainWindowState& state) {
    const Settings& settings = *state.settings;
    return {{
        {kCommandEnableChanger, !SwitchDialogOpen(state), ChangerOn(state)},
        {kCommandChangeWallpaper, CanChangeWallpaper(state), false},
        {kCommandRemoveWallpaper, CanRemoveWallpaper(state), false},
        {kCommandRefreshDesktop, ChangerOn(state), false},
        {kCommandHideDesktopIcons, true, state.desktopIconsHidden},
        {kCommandEnableScreensaver, !SwitchDialogOpen(state), settings.btEnableScreensaver == 1},
        {kCommandLaunchScreensaver, !state.screensaverRunning, false},
        {kCommandOpen, true, false},
        {kCommandSettings, !AnyDialogOpen(state), false},
        {kCommandDownloadImages, true, false},
        {kCommandHelp, true, false},
        {kCommandAbout, !AnyDialogOpen(state), false},
        {kCommandExit, !AnyDialogOpen(state) && !state.closing, false},
    }};
}

std::optional<HotkeyCommand> DecideHotkeyCommand(int hotkeyId, const MainWindowState& state) {
    // A hotkey runs its menu item's command exactly when that item would be enabled.
    for (const HotkeyEntry& entry : kHotkeyTable) {
        if (entry.id != hotkeyId) continue;
        for (const MenuItemState& item : DecideMenuStates(state)) {
            if (item.command == entry.command && item.enabled) {
                return HotkeyCommand{entry.command, entry.command == kCommandDownloadImages};
            }
        }
    }
    return std::nullopt;
}
