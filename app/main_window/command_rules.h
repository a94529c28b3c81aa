// Which of the main window's buttons and menu items are available, and what a hotkey does,
// as functions of the window's state. The window gathers the state, calls these and applies
// the answers (SetControlEnabled, EnableMenuItem, CheckMenuItem); it does not re-decide.
//
//     MainWindowState state{&settings, pictureCount, selectedName, openDialog, ...};
//     for (const ButtonState& button : DecideButtonStates(state).buttons) SetControlEnabled(...);
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/main_window/menu_commands.h"
#include "settings/settings.h"
#include "ui/control_ids.h"

struct MainWindowState {
    const Settings* settings = nullptr;  // the changer, the current picture, the screensaver switch
    int pictureCount = 0;
    const char* selectedName = "";  // the list's selected title, empty when none
    OpenDialog openDialog = OpenDialog::None;
    bool closing = false;             // the first WM_CLOSE has been taken
    bool screensaverRunning = false;  // its single-instance mutex exists
    bool desktopIconsHidden = false;  // the desktop's icon list exists and is hidden
};

// Whether "change wallpaper now" has a picture to change to: the changer is on, and there are
// two pictures or more, or one that is not current yet. The change button, its menu item and
// its hotkey follow this one rule.
[[nodiscard]] bool CanChangeWallpaper(const MainWindowState& state);

struct ButtonState {
    MainWindowControl control;
    bool enabled;
};
struct ButtonStates {
    std::array<ButtonState, 7> buttons;
    bool previewClickable;  // the preview shows the hand cursor and opens the full-screen view
};
[[nodiscard]] ButtonStates DecideButtonStates(const MainWindowState& state);

struct MenuItemState {
    MenuCommand command;
    bool enabled;
    bool checked;
};
// Every item of the popup menu, in menu order.
[[nodiscard]] std::array<MenuItemState, 13> DecideMenuStates(const MainWindowState& state);

// What a hotkey does: its menu item's command when that item is enabled, else nothing.
// `playClick` asks for the click sound first (the download command, as its button does).
struct HotkeyCommand {
    MenuCommand command;
    bool playClick = false;
};
[[nodiscard]] std::optional<HotkeyCommand> DecideHotkeyCommand(int hotkeyId, const MainWindowState& state);
