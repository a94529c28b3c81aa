// The General page: start with Windows and the tray icon, the new-image notifications, the
// five keyboard shortcuts (typed into the list, composed by a hidden hotkey control) and the
// interface language.
#include <array>
#include <cstdio>

#include "app/main_window/hotkey_names.h"
#include "app/main_window/hotkey_table.h"
#include "app/main_window/main_window_win32.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/main_window/window_presence.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/settings_sheet/settings_pages_win32.h"
#include "app/startup/application_flags.h"
#include "ui/control_ids.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"

struct GeneralPage : SettingsPage {
    std::array<Hotkey, kHotkeyCount> shortcuts = {};  // the working copy the list shows
};

namespace {

constexpr UINT_PTR kShortcutKeySubclass = 1;
constexpr int kProbeHotkeyId = 0xBFFF;  // a moment's registration that tests a combination
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kLanguageCount = 4;

constexpr std::array<CheckBoxSetting, 6> kCheckBoxes = {{
    {kGeneralRunAtStartup, &Settings::btRunAtWindowsStartup, kGeneralProgramBit},
    {kGeneralOpenAutomatically, &Settings::btRunAtWindowsStartupAutoOpen, kGeneralProgramBit},
    {kGeneralTrayIcon, &Settings::btShowSystemTrayIcon, kGeneralProgramBit},
    {kGeneralNotifications, &Settings::btNewImageNotifications, kGeneralNotificationsBit},
    {kGeneralAutoDownload, &Settings::btNewImageNotificationsAutoDownload, kGeneralNotificationsBit},
    {kGeneralNotWithFullScreen, &Settings::btNewImageNotificationsNoFullScreen, kGeneralNotificationsBit},
}};

HWND ShortcutList(const GeneralPage& state) {
    return GetDlgItem(state.page, kGeneralShortcutList);
}

// The hotkey control counts the modifiers from their own key messages, Alt included.
bool IsShortcutKey(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || (key >= '0' && key <= '9') ||
           (key >= 'A' && key <= 'Z') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) || (key >= VK_F1 && key <= VK_F24);
}

// The list takes the keys for the hidden hotkey control, which composes the combination and
// reports it to the page; Delete clears the row, and typed characters do not search the list.
LRESULT CALLBACK
ShortcutKeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:  // keys pressed while Alt is held without Control
        case WM_SYSKEYUP: {
            HWND page = GetParent(list);
            if (IsShortcutKey(wParam)) {
                SendDlgItemMessageA(page, kGeneralShortcutKey, message, wParam, lParam);
            } else if (wParam == VK_DELETE) {
                SendMessageA(page, WM_COMMAND, MAKEWPARAM(kGeneralShortcutKey, EN_CHANGE), 0);
            }
            break;
        }
        case WM_CHAR:
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, ShortcutKeyProcedure, kShortcutKeySubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void ShowShortcut(const GeneralPage& state, int row) {
    std::string name = HotkeyName(state.shortcuts[static_cast<size_t>(row)], HotkeyNameForm::Short);
    ListView_SetItemText(ShortcutList(state), row, 0, name.data());
}

void FillShortcutList(GeneralPage& state) {
    HWND list = ShortcutList(state);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    // Widths at 96 dots per inch, grown with the display's scale like the list itself.
    const std::array<int, 2> widths = {80, 200};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_FMT | LVCF_WIDTH;
        header.fmt = LVCFMT_LEFT;
        header.cx = ScaledPixels(list, widths[static_cast<size_t>(column)]);
        (void)ListView_InsertColumn(list, column, &header);
    }
    ListView_SetItemCount(list, kHotkeyCount);
    const Settings& settings = PageSettings(state);
    for (int row = 0; row < kHotkeyCount; ++row) {
        const HotkeyEntry& entry = kHotkeyTable[static_cast<size_t>(row)];
        state.shortcuts[static_cast<size_t>(row)] = settings.*entry.setting;
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        std::string name = HotkeyName(state.shortcuts[static_cast<size_t>(row)], HotkeyNameForm::Short);
        item.pszText = name.data();
        (void)ListView_InsertItem(list, &item);
        ListView_SetItemText(list, row, 1, const_cast<char*>(Text(entry.actionName)));
    }
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    (void)ListView_SetSelectionMark(list, 0);
    (void)SetWindowSubclass(list, ShortcutKeyProcedure, kShortcutKeySubclass, 0);
}

void UpdateEnabledControls(const GeneralPage& state) {
    EnableControl(state.page, kGeneralOpenAutomatically, IsChecked(state.page, kGeneralRunAtStartup));
    const bool notifications = IsChecked(state.page, kGeneralNotifications);
    EnableControl(state.page, kGeneralAutoDownload, notifications);
    EnableControl(state.page, kGeneralNotWithFullScreen, notifications);
}

void CreatePictures(const GeneralPage& state) {
    static constexpr const char* kPrefix = "BitmapSettingsGeneral";
    CreateGroupIcon(state, kGeneralProgramGroup, kPrefix, "Program_");
    CreateGroupIcon(state, kGeneralNewImagesGroup, kPrefix, "NewImagesAvailable_");
    CreateGroupIcon(state, kGeneralShortcutsGroup, kPrefix, "KeyboardShortcuts_");
    CreateGroupIcon(state, kGeneralLanguageGroup, kPrefix, "Language_");
    static constexpr std::array<const char*, kLanguageCount> kFlags = {
        "BitmapSettingsGeneralLanguageCa_", "BitmapSettingsGeneralLanguageEn_", "BitmapSettingsGeneralLanguageEs_",
        "BitmapSettingsGeneralLanguageFr_"};
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::string name = PagePictureName(state, kFlags[static_cast<size_t>(language)]);
        (void)CreateDialogBitmap(state.page, kGeneralCatalan + language, -ScaledPixels(state.page, 28), 0, 22, 16,
                                 name.c_str(), true, kMagenta);
    }
}

INT_PTR OnStart(GeneralPage& state) {
    CreatePictures(state);
    state.dirty = 0;
    ShowCheckBoxes(state.page, PageSettings(state), kCheckBoxes);
    CheckRadio(state.page, kGeneralCatalan, kLanguageCount, LanguageIndex());
    FillShortcutList(state);
    UpdateEnabledControls(state);
    state.ready = true;
    return TRUE;
}

void OnShortcutEntered(GeneralPage& state, bool clearing) {
    const int row = ListView_GetSelectionMark(ShortcutList(state));
    if (row < 0) return;
    Hotkey entered;
    if (!clearing) {
        const LRESULT combination = SendDlgItemMessageA(state.page, kGeneralShortcutKey, HKM_GETHOTKEY, 0, 0);
        entered.virtualKey = LOBYTE(LOWORD(combination));
        entered.modifiers = HIBYTE(LOWORD(combination));
    }
    if (!EnterShortcut(state.shortcuts, row, entered, clearing)) return;
    PropSheet_Changed(GetParent(state.page), state.page);
    state.dirty |= kGeneralShortcutsBit;
    ShowShortcut(state, row);
}

INT_PTR OnCommand(GeneralPage& state, WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id == kGeneralShortcutKey) {
        if (HIWORD(wParam) == EN_CHANGE) OnShortcutEntered(state, lParam == 0);
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    MarkPageChanged(state, GeneralPageGroupOf(static_cast<uint32_t>(id)));
    if (id == kGeneralRunAtStartup || id == kGeneralNotifications) UpdateEnabledControls(state);
    return TRUE;
}

// A combination that another program holds cannot be registered after the sheet: it is
// reported and the row's previous shortcut stays.
bool IsFreeForRegistration(const GeneralPage& state, Hotkey shortcut) {
    if (shortcut.virtualKey == 0) return true;
    if (!RegisterHotKey(state.page, kProbeHotkeyId, RegistrationModifiers(shortcut.modifiers), shortcut.virtualKey)) {
        return false;
    }
    UnregisterHotKey(state.page, kProbeHotkeyId);
    return true;
}

void StoreShortcuts(GeneralPage& state) {
    MainWindow& main = *state.session->main;
    Settings& settings = main.settings();
    for (int row = 0; row < kHotkeyCount; ++row) {
        Hotkey& stored = settings.*kHotkeyTable[static_cast<size_t>(row)].setting;
        Hotkey& wanted = state.shortcuts[static_cast<size_t>(row)];
        const bool changed = wanted.virtualKey != stored.virtualKey || wanted.modifiers != stored.modifiers;
        if (changed && !IsFreeForRegistration(state, wanted)) {
            char message[512];
            std::snprintf(message, sizeof message, Text(TextId::ShortcutTaken),
                          HotkeyName(wanted, HotkeyNameForm::Short).c_str());
            MessageBoxA(state.page, message, "Tapestrique", MB_ICONWARNING);
            wanted = stored;
            ShowShortcut(state, row);
            continue;
        }
        stored = wanted;
        WritePageSetting(state, stored);
    }
}

void ShowTrayIconAsSet(MainWindow& main) {
    const bool wanted = main.settings().btShowSystemTrayIcon == 1;
    const bool shown = main.HasFlag(kFlagTrayIconPresent);
    if (wanted && !shown) AddTrayIcon(main, TrayTooltip(main.settings().szCurrentWallpaper).c_str());
    if (!wanted && shown) DeleteTrayIcon(main);
}

void ApplyLanguage(GeneralPage& state, bool fromOkButton) {
    SettingsSheetSession& session = *state.session;
    const LanguageApply decision = DecideLanguageApply(CheckedRadio(state.page, kGeneralCatalan, kLanguageCount),
                                                       session.pendingLanguage, LanguageIndex(), !fromOkButton);
    session.pendingLanguage = decision.pendingLanguage;
    if (decision.reopen) {
        session.reopen = true;
        PostMessageA(GetParent(state.page), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

void Apply(GeneralPage& state, bool fromOkButton) {
    if ((state.dirty & kGeneralLanguageBit) != 0) ApplyLanguage(state, fromOkButton);
    StoreCheckBoxes(state, kCheckBoxes);
    if ((state.dirty & kGeneralShortcutsBit) != 0) StoreShortcuts(state);
    if ((state.dirty & kGeneralProgramBit) != 0) {
        MainWindow& main = *state.session->main;
        WriteRunEntry(main.settings(), main.applicationPath);
        ShowTrayIconAsSet(main);
    }
}

constexpr PageHandlers<GeneralPage> kHandlers = {kGeneralPage, OnStart, OnCommand, nullptr, Apply, nullptr, nullptr};

}  // namespace

INT_PTR CALLBACK GeneralPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return RunPageProcedure(kHandlers, page, message, wParam, lParam);
}
