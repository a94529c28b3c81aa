#include "app/settings_sheet/welcome_about_win32.h"

#include <cstdlib>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/online/service_pages.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/settings_sheet/settings_pages_win32.h"
#include "base/round_half_down.h"
#include "ui/control_ids.h"
#include "ui/control_subclasses_win32.h"
#include "ui/data_resource.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/link_label_win32.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"
#include "ui/skin_fonts_win32.h"
#include "ui/window_helpers_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWelcomeTitleColour = 0x333399;
constexpr uint8_t kWelcomeTitleFont = 0;  // Arial 18 points
constexpr uint8_t kLinkFont = 12;         // Arial 8 points, underlined
constexpr uint8_t kLicenceFont = 6;       // Arial 7 points
constexpr char kBuildSequence[] = "SHOWBUILD";

// A picture centred across the dialog, `dy` pixels below the top of control `referenceId`.
void CreateCentredPicture(HWND dialog, int referenceId, int dy, int width, int height, const char* entry) {
    RECT client = {};
    GetClientRect(dialog, &client);
    RECT reference = {};
    GetWindowRect(GetDlgItem(dialog, referenceId), &reference);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&reference), 2);
    const int x = RoundHalfDown((client.right - ScaledPixels(dialog, width)) / 2.0);
    (void)CreateDialogBitmap(dialog, 0, x, reference.top + ScaledPixels(dialog, dy), width, height, entry, true,
                             kMagenta);
}

// While a dialog is open over the main window, opening the application brings it forward.
void MarkOpenDialog(MainWindow& main, OpenDialog dialog, HWND window) {
    main.openDialog = dialog;
    main.frontWindow = window;
}

// What both dialogs do alike: Cancel (also Escape and the close box) ends the dialog, and its
// end gives the open-dialog mark back to the main window. True when the message was this.
bool HandleCloseAndEnd(MainWindow& main, HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kDialogCancel) {
        EndDialog(dialog, kDialogCancel);
        return true;
    }
    if (message != WM_DESTROY) return false;
    MarkOpenDialog(main, OpenDialog::None, main.window);
    return true;
}

// --- Welcome ---

struct WelcomeDialog {
    MainWindow* main = nullptr;
    DialogSkinFont titleFont;
};

INT_PTR OnWelcomeInit(WelcomeDialog& state, HWND dialog) {
    MainWindow& main = *state.main;
    MarkOpenDialog(main, OpenDialog::Welcome, dialog);
    state.titleFont.Create(dialog, kWelcomeTitleFont);
    SendDlgItemMessageA(dialog, kWelcomeTitle, WM_SETFONT, reinterpret_cast<WPARAM>(state.titleFont.Get()), FALSE);
    const bool flatMenus = UsesFlatMenuPictures(main);
    CreateCentredPicture(
        dialog, kWelcomeTrayDescription, 32, 262, 44,
        flatMenus ? "BitmapWelcomeTrayIconDescriptionWinXP_TrFF00FF" : "BitmapWelcomeTrayIconDescription_TrFF00FF");
    CheckDlgButton(dialog, kWelcomeWallpaperChanger,
                   main.settings().btEnableWallpaperChanger == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kWelcomeScreensaver, main.settings().btEnableScreensaver == 1 ? BST_CHECKED : BST_UNCHECKED);
    CenterWindow(dialog, main.window, true);
    return TRUE;
}

void OnWelcomeAccept(WelcomeDialog& state, HWND dialog) {
    MainWindow& main = *state.main;
    const bool changer = IsDlgButtonChecked(dialog, kWelcomeWallpaperChanger) == BST_CHECKED;
    if (changer != (main.settings().btEnableWallpaperChanger == 1)) EnableWallpaperChanger(main, changer);
    const bool screensaver = IsDlgButtonChecked(dialog, kWelcomeScreensaver) == BST_CHECKED;
    if (screensaver != (main.settings().btEnableScreensaver == 1)) SetSystemScreensaver(screensaver, main.screensaver);
    PostMessageA(dialog, WM_COMMAND, kDialogCancel, 0);
}

INT_PTR OnWelcomeColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != kWelcomeTitle) return FALSE;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kWelcomeTitleColour);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK WelcomeProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    WelcomeDialog* state = AttachedDialogState<WelcomeDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    if (HandleCloseAndEnd(*state->main, dialog, message, wParam)) return message == WM_COMMAND;
    switch (message) {
        case WM_INITDIALOG:
            return OnWelcomeInit(*state, dialog);
        case WM_CTLCOLORSTATIC:
            return OnWelcomeColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            if (LOWORD(wParam) == kWelcomeAcceptButton) OnWelcomeAccept(*state, dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

// --- About ---

struct AboutDialog {
    MainWindow* main = nullptr;
    LinkLabel link;
    DialogSkinFont licenceFont;
    size_t matched = 0;  // letters of the hidden sequence typed so far
};

void ShowLicence(HWND dialog) {
    const std::string entry = std::string("TextLicenseTQ10_") + LanguageCode();
    unsigned char* text = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(entry.c_str(), &text, &size) != kDataResourceOk) return;
    const std::string licence(reinterpret_cast<const char*>(text), size);
    std::free(text);
    SetDlgItemTextA(dialog, kAboutLicence, licence.c_str());
}

INT_PTR OnAboutInit(AboutDialog& state, HWND dialog) {
    MarkOpenDialog(*state.main, OpenDialog::About, dialog);
    CreateCentredPicture(dialog, kAboutVersion, -34, 166, 36, "BitmapAboutTapestrique_TrFF00FF");
    StartLinkLabel(state.link, dialog, kLinkLabel, kLinkFont);
    state.licenceFont.Create(dialog, kLicenceFont);
    SendDlgItemMessageA(dialog, kAboutLicence, WM_SETFONT, reinterpret_cast<WPARAM>(state.licenceFont.Get()), FALSE);
    ShowLicence(dialog);
    state.matched = 0;
    HWND close = GetDlgItem(dialog, kDialogCancel);
    (void)SubclassKeyForwarding(close);
    CenterWindow(dialog, state.main->window, true);
    // Close takes the focus: the licence would otherwise open selected and scrolled to its end.
    SetFocus(close);
    return FALSE;
}

INT_PTR OnAboutColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != kAboutLicence) return FALSE;
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

void OnAboutKey(AboutDialog& state, HWND dialog, WPARAM key) {
    state.matched = NextSequencePosition(kBuildSequence, state.matched, static_cast<unsigned>(key));
    if (state.matched == sizeof kBuildSequence - 1) MessageBoxA(dialog, Text(TextId::BuildName), "Tapestrique", MB_OK);
}

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    AboutDialog* state = AttachedDialogState<AboutDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    if (HandleCloseAndEnd(*state->main, dialog, message, wParam)) return message == WM_COMMAND;
    INT_PTR answer = FALSE;
    if (message != WM_INITDIALOG && HandleLinkLabelMessage(state->link, dialog, message, wParam, lParam, answer)) {
        return answer;
    }
    switch (message) {
        case WM_INITDIALOG:
            return OnAboutInit(*state, dialog);
        case WM_CTLCOLORSTATIC:
            return OnAboutColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_KEYDOWN:
            OnAboutKey(*state, dialog, wParam);
            return TRUE;
        case WM_COMMAND:
            if (IsLinkClick(state->link, wParam)) OpenLinkTarget(ServiceBaseAddress(state->main->settings()).c_str());
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowWelcomeDialog(MainWindow& main) {
    WelcomeDialog state;
    state.main = &main;
    (void)RunDialog(main.process->instance, TextId::DialogWelcome, main.window, WelcomeProcedure,
                    reinterpret_cast<LPARAM>(&state));
}

void ShowAboutDialog(MainWindow& main) {
    AboutDialog state;
    state.main = &main;
    (void)RunDialog(main.process->instance, TextId::DialogAbout, main.window, AboutProcedure,
                    reinterpret_cast<LPARAM>(&state));
}
