#include "app/main_window/popup_menu_win32.h"

#include "app/main_window/command_rules.h"
#include "app/main_window/hotkey_names.h"
#include "app/main_window/hotkey_table.h"
#include "app/main_window/main_window_win32.h"
#include "ui/localization/language.h"

namespace {

constexpr char kMenuResource[] = "MENUTAPESTRIQUE";

void SetItemText(HMENU menu, UINT command, const std::string& text) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = const_cast<char*>(text.c_str());
    (void)SetMenuItemInfoA(menu, command, FALSE, &item);
}

}  // namespace

bool LoadPopupMenu(MainWindow& state) {
    state.menu.menu.Reset(LoadMenuA(state.process->instance, kMenuResource));
    if (!state.menu.menu.IsValid()) return false;
    const int popups = GetMenuItemCount(state.menu.menu.Get());
    for (int index = 0; index < popups; ++index) {
        (void)SetMenuDefaultItem(GetSubMenu(state.menu.menu.Get(), index), kCommandOpen, FALSE);
    }
    return true;
}

void PrepareMenu(MainWindow& state, HMENU menu) {
    if (menu == nullptr) return;
    const MainWindowState current = CurrentWindowState(state);
    // The commands are found by id in whichever popup `menu` is, or in all of them.
    for (const MenuItemState& item : DecideMenuStates(current)) {
        (void)EnableMenuItem(menu, item.command, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        (void)CheckMenuItem(menu, item.command, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
    for (const HotkeyEntry& entry : kHotkeyTable) {
        SetItemText(menu, entry.command,
                    HotkeyMenuItemText(entry, state.settings(), state.menu.registered[entry.id], LanguageIndex()));
    }
}

void ShowPopupMenu(MainWindow& state) {
    HMENU popup = GetSubMenu(state.menu.menu.Get(), LanguageIndex());
    if (popup == nullptr) return;
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(state.frontWindow != nullptr ? state.frontWindow : state.window);
    PrepareMenu(state, popup);
    (void)TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, state.window, nullptr);
    // Without this the menu does not close when the user clicks elsewhere the next time.
    PostMessageA(state.window, WM_NULL, 0, 0);
}

void RegisterHotkeys(MainWindow& state) {
    for (const HotkeyEntry& entry : kHotkeyTable) {
        const Hotkey hotkey = state.settings().*entry.setting;
        if (hotkey.virtualKey == 0 || state.menu.registered[entry.id]) continue;
        state.menu.registered[entry.id] =
            RegisterHotKey(state.window, entry.id, RegistrationModifiers(hotkey.modifiers), hotkey.virtualKey) != FALSE;
    }
}

void UnregisterHotkeys(MainWindow& state) {
    for (const HotkeyEntry& entry : kHotkeyTable) {
        if (state.menu.registered[entry.id]) (void)UnregisterHotKey(state.window, entry.id);
        state.menu.registered[entry.id] = false;
    }
}
