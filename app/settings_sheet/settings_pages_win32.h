// What the three pages of the settings sheet share: the sheet's state while it is open, the
// steps every page takes at its start, its end and its notifications, and the page
// procedures that settings_sheet_win32.cpp puts into the sheet.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <string>

#include "ui/localization/text_id.h"

struct MainWindow;

enum SettingsPageIndex : int { kGeneralPage = 0, kWallpaperPage = 1, kScreensaverPage = 2 };

struct SettingsSheetSession {
    MainWindow* main = nullptr;
    int startPage = kGeneralPage;  // the page the sheet opens on: the one last shown
    int pendingLanguage = -1;      // chosen on the General page, switched to after the sheet
    bool reopen = false;           // the language changed through Apply
    bool started = false;          // the first page's start did the sheet's own steps
    bool ended = false;            // and the first page's end undid them
    HWND sheet = nullptr;
};

// Every page's state starts with the session it belongs to.
struct SettingsPage {
    SettingsSheetSession* session = nullptr;
    HWND page = nullptr;
    uint8_t dirty = 0;  // the page's groups changed since its start or its last apply
    bool ready = false; // the controls hold the settings: changes from now on are the user's
};

// The page's state, made when the page starts (the PROPSHEETPAGE's parameter is the session)
// and kept in the page's user data until ReleasePageState at WM_NCDESTROY. Null before the
// start, and when the state could not be made.
template <typename Page>
[[nodiscard]] Page* PageState(HWND page, UINT message, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        auto* state = new (std::nothrow) Page;
        if (state == nullptr) return nullptr;
        state->session = reinterpret_cast<SettingsSheetSession*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        state->page = page;
        SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<Page*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}
template <typename Page>
void ReleasePageState(HWND page) noexcept {
    delete reinterpret_cast<Page*>(SetWindowLongPtrA(page, GWLP_USERDATA, 0));
}

// The first page to start marks the settings as the open dialog (brought forward when the
// application is opened), takes the context-help button off the sheet and centres it on the
// main window.
void StartSettingsPage(SettingsPage& page, HWND pageWindow);
// The first page to go gives the open-dialog mark back to the main window.
void EndSettingsPage(SettingsPage& page);

// A change of one of the page's settings: the sheet's Apply button lights up and the group is
// marked for the next apply. Nothing for group 0, nor before the page is ready.
void MarkPageChanged(SettingsPage& page, uint8_t group);

// The answer to a notification: PSNRET_NOERROR, or PSNRET_INVALID_NOCHANGEPAGE when refused.
INT_PTR AnswerNotification(HWND page, bool refused);

// Shows a warning, puts the focus into the control and refuses (for PSN_KILLACTIVE).
INT_PTR RefuseWithWarning(HWND page, TextId message, int focusControl);

// A distance of `pixels` at 96 dots per inch at the window's resolution, so that pictures
// placed beside dialog controls keep their place when the display is scaled.
[[nodiscard]] int ScaledPixels(HWND window, int pixels);

// Whether the pictures of the dialogs take their XP variant: Windows XP or later with flat menus on.
[[nodiscard]] bool UsesFlatMenuPictures(const MainWindow& main);
// A picture entry "<base>" (ending in "_") in the system's colour style, magenta left out.
[[nodiscard]] std::string PagePictureName(const SettingsPage& page, const std::string& base);
// A group box's icon, 32 by 32 at (12, 20) from its corner: "<prefix><name>_" in the
// system's colour style, magenta left out.
void CreateGroupIcon(const SettingsPage& page, int groupId, const char* prefix, const char* name);

// The controls' states as the pages read and set them.
[[nodiscard]] bool IsChecked(HWND page, int controlId);
void SetChecked(HWND page, int controlId, bool checked);
// The number among `count` radio buttons from `firstId` that is checked; -1 when none.
[[nodiscard]] int CheckedRadio(HWND page, int firstId, int count);
void CheckRadio(HWND page, int firstId, int count, int number);
[[nodiscard]] long ReadNumberField(HWND page, int controlId);
void EnableControl(HWND page, int controlId, bool enable);

INT_PTR CALLBACK GeneralPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK WallpaperPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK ScreensaverPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
