#include "app/main_window/hotkey_table.h"

#include "app/main_window/hotkey_names.h"
#include "ui/localization/text_table.h"

const std::array<HotkeyEntry, kHotkeyCount> kHotkeyTable = {{
    {0, &Settings::btKeyboardShortcutChangeWallpaper, kCommandChangeWallpaper, TextId::ActionChangeWallpaper,
     TextId::MenuChangeWallpaperNow},
    {1, &Settings::btKeyboardShortcutRemoveWallpaper, kCommandRemoveWallpaper, TextId::ActionRemoveWallpaper,
     TextId::MenuRemoveWallpaper},
    {2, &Settings::btKeyboardShortcutLaunchScreensaver, kCommandLaunchScreensaver, TextId::ActionLaunchScreensaver,
     TextId::MenuLaunchScreensaver},
    {3, &Settings::btKeyboardShortcutOpenTapestrique, kCommandOpen, TextId::ActionOpenTapestrique,
     TextId::MenuOpenTapestrique},
    {4, &Settings::btKeyboardShortcutDownloadImages, kCommandDownloadImages, TextId::ActionDownloadImages,
     TextId::MenuDownloadImages},
}};

std::string HotkeyMenuItemText(const HotkeyEntry& entry, const Settings& settings, bool registered, int language) {
    return MenuTextWithHotkey(TextIn(entry.menuText, language), registered, entry.command != kCommandOpen,
                              HotkeyName(settings.*entry.setting));
}
