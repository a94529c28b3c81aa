// The names of the global hotkeys, as the tray menu shows them after its items ("Ctrl+Alt+C")
// and, in a short form, as the general settings page lists them ("Ctrl + Alt + C"). A hotkey
// is stored as a virtual-key code and modifier bits (1 Shift, 2 Ctrl, 4 Alt).
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

enum class HotkeyNameForm { Menu, Short };

// The modifier prefix, then the key: digits and letters as themselves, the keypad digits as
// NP0 to NP9, the function keys as F1 to F24, anything else as "?". Only Ctrl, Ctrl+Shift,
// Ctrl+Alt and Ctrl+Alt+Shift have a prefix. A hotkey with virtual key 0 has no name.
[[nodiscard]] std::string HotkeyName(Hotkey hotkey, HotkeyNameForm form = HotkeyNameForm::Menu);

// A menu item's text with its hotkey: the text, a tab, a blank (none when `blankAfterTab` is
// false) and the name. The text alone when the hotkey is not registered.
[[nodiscard]] std::string MenuTextWithHotkey(std::string_view menuText,
                                             bool registered,
                                             bool blankAfterTab,
                                             std::string_view hotkeyName);

// The stored modifier bits as RegisterHotKey takes them (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4).
[[nodiscard]] unsigned RegistrationModifiers(uint8_t storedModifiers);
