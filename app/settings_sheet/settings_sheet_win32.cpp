#include "app/settings_sheet/settings_sheet_win32.h"

#include <array>

#include "app/main_window/main_window_win32.h"
#include "app/main_window/popup_menu_win32.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/settings_sheet/settings_pages_win32.h"
#include "app/startup/application_flags.h"
#include "app/startup/os_version.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

struct PageSource {
    TextId dialog;
    DLGPROC procedure;
};
constexpr std::array<PageSource, 3> kPages = {{
    {TextId::DialogSettingsGeneral, GeneralPageProcedure},
    {TextId::DialogSettingsWallpaper, WallpaperPageProcedure},
    {TextId::DialogSettingsScreensaver, ScreensaverPageProcedure},
}};

// One opening of the sheet, in the current language; returns once it has closed.
void RunSheetOnce(SettingsSheetSession& session) {
    MainWindow& main = *session.main;
    session.pendingLanguage = -1;
    session.reopen = session.started = session.ended = false;
    session.sheet = nullptr;

    std::array<PROPSHEETPAGEA, kPages.size()> pages = {};
    for (size_t index = 0; index < kPages.size(); ++index) {
        PROPSHEETPAGEA& page = pages[index];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = main.process->instance;
        page.pResource = FindDialogTemplate(main.process->instance, kPages[index].dialog);
        page.pfnDlgProc = kPages[index].procedure;
        page.lParam = reinterpret_cast<LPARAM>(&session);
        if (page.pResource == nullptr) return;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = main.window;
    header.hInstance = main.process->instance;
    header.pszCaption = "Tapestrique";
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(session.startPage);
    header.ppsp = pages.data();
    (void)PropertySheetA(&header);
}

}  // namespace

void RunSettingsSheet(MainWindow& main) {
    UnregisterHotkeys(main);
    SettingsSheetSession session;
    session.main = &main;
    session.startPage = kGeneralPage;
    do {
        RunSheetOnce(session);
        if (session.pendingLanguage != -1) (void)SwitchLanguage(main, session.pendingLanguage);
    } while (session.reopen);
    RegisterHotkeys(main);
}

void StartSettingsPage(SettingsPage& page, HWND pageWindow) {
    SettingsSheetSession& session = *page.session;
    if (session.started) return;
    session.sheet = GetParent(pageWindow);
    session.main->openDialog = OpenDialog::Settings;
    session.main->frontWindow = session.sheet;
    const LONG_PTR extended = GetWindowLongPtrA(session.sheet, GWL_EXSTYLE);
    SetWindowLongPtrA(session.sheet, GWL_EXSTYLE, extended & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
    CenterWindow(session.sheet, session.main->window, true);
    session.started = true;
}

void EndSettingsPage(SettingsPage& page) {
    SettingsSheetSession& session = *page.session;
    if (session.ended) return;
    session.main->openDialog = OpenDialog::None;
    session.main->frontWindow = session.main->window;
    session.ended = true;
}

void MarkPageChanged(SettingsPage& page, uint8_t group) {
    if (group == 0 || !page.ready) return;
    PropSheet_Changed(GetParent(page.page), page.page);
    page.dirty |= group;
}

INT_PTR AnswerNotification(HWND page, bool refused) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, refused ? PSNRET_INVALID_NOCHANGEPAGE : PSNRET_NOERROR);
    return TRUE;
}

bool RefuseWithWarning(HWND page, TextId message, int focusControl) {
    MessageBoxA(page, Text(message), "Tapestrique", MB_ICONWARNING);
    SetFocus(GetDlgItem(page, focusControl));
    return true;
}

Settings& PageSettings(const SettingsPage& page) {
    return page.session->main->settings();
}

SettingsStore& PageStore(const SettingsPage& page) {
    return page.session->main->store;
}

void ShowCheckBoxes(HWND page, const Settings& settings, std::span<const CheckBoxSetting> boxes) {
    for (const CheckBoxSetting& box : boxes) SetChecked(page, box.control, settings.*box.setting == 1);
}

void StoreCheckBoxes(SettingsPage& page, std::span<const CheckBoxSetting> boxes) {
    Settings& settings = PageSettings(page);
    for (const CheckBoxSetting& box : boxes) {
        if ((page.dirty & box.group) == 0) continue;
        settings.*box.setting = IsChecked(page.page, box.control) ? 1 : 0;
        WritePageSetting(page, settings.*box.setting);
    }
}

void StoreRadioChoice(SettingsPage& page, int firstId, int count, uint8_t& setting) {
    const int number = CheckedRadio(page.page, firstId, count);
    if (number >= 0) setting = static_cast<uint8_t>(number);
    WritePageSetting(page, setting);
}

bool UsesFlatMenuPictures(const MainWindow& main) {
    return HasFlatMenuSetting(main.process->osVersionCode) && main.HasFlag(kFlagFlatMenus);
}

std::string PagePictureName(const SettingsPage& page, const std::string& base) {
    return ColourStyleEntryName(base.c_str(), UsesFlatMenuPictures(*page.session->main));
}

void CreateGroupIcon(const SettingsPage& page, int groupId, const char* prefix, const char* name) {
    const std::string entry = PagePictureName(page, std::string(prefix) + name);
    (void)CreateDialogBitmap(page.page, groupId, ScaledPixels(page.page, 12), ScaledPixels(page.page, 20), 32, 32,
                             entry.c_str(), true, kMagenta);
}

bool IsChecked(HWND page, int controlId) {
    return IsDlgButtonChecked(page, controlId) == BST_CHECKED;
}

void SetChecked(HWND page, int controlId, bool checked) {
    CheckDlgButton(page, controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

int CheckedRadio(HWND page, int firstId, int count) {
    for (int number = 0; number < count; ++number) {
        if (IsChecked(page, firstId + number)) return number;
    }
    return -1;
}

void CheckRadio(HWND page, int firstId, int count, int number) {
    if (number >= 0 && number < count) CheckRadioButton(page, firstId, firstId + count - 1, firstId + number);
}

long ReadNumberField(HWND page, int controlId) {
    char text[32] = {};
    GetDlgItemTextA(page, controlId, text, sizeof text);
    return ReadDecimal(text);
}

void EnableControl(HWND page, int controlId, bool enable) {
    (void)SetControlEnabled(GetDlgItem(page, controlId), enable);
}
