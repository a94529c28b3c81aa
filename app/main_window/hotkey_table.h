// The five global hotkeys: for each, its id (the WM_HOTKEY wParam), the setting that stores
// it, the menu command it stands for and its texts. The window registers them in this order
// and writes their names into the menu items.
#pragma once

#include <array>
#include <string>

#include "app/main_window/menu_commands.h"
#include "settings/settings.h"
#include "ui/localization/text_id.h"

struct HotkeyEntry {
    int id;
    Hotkey Settings::*setting;
    MenuCommand command;
    TextId actionName;  // in the settings page's list
    TextId menuText;    // the menu item's text without the hotkey
};

extern const std::array<HotkeyEntry, kHotkeyCount> kHotkeyTable;

// The menu item text of `entry` in `language` (0 to 3): with its hotkey's name when it is
// registered, after a tab and a blank, except for the "open" item, which has no blank.
[[nodiscard]] std::string HotkeyMenuItemText(const HotkeyEntry& entry,
                                             const Settings& settings,
                                             bool registered,
                                             int language);
