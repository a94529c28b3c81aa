// What the three pages of the settings sheet share: the sheet's state while it is open, the
// steps every page takes at its start, its end and its notifications, and the page
// procedures that settings_sheet_win32.cpp puts into the sheet.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <span>
#include <string>

#include "settings/settings.h"
#include "settings/settings_loader.h"
#include "ui/localization/text_id.h"

struct MainWindow;

// The radio-button groups that both the Wallpaper and the Screensaver page show.
constexpr int kSelectionModes = 2;  // alphabetically, randomly
constexpr int kPresentations = 4;   // tiled, centred, stretched, stretched keeping the aspect

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
    uint8_t dirty = 0;   // the page's groups changed since its start or its last apply
    bool ready = false;  // the controls hold the settings: changes from now on are the user's
};

// The page's state, made when the page starts (the PROPSHEETPAGE's parameter is the session)
// and kept in the page's user data until ReleasePageState at WM_NCDESTROY. Null before the
// start, and when the state could not be made.
template <typename Page>
[[nodiscard]] Page* PageState(HWND page, UINT message, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        auto* state = new (std::nothrow) Page;
        if (state == nullptr) return nullptr;
        state->session =
            reinterpret_cast<SettingsSheetSession*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
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

// Shows a warning and puts the focus into the control; true, for a page that refuses to be left.
bool RefuseWithWarning(HWND page, TextId message, int focusControl);

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

// A check box that edits a one-byte switch of a group of the page.
struct CheckBoxSetting {
    int control;
    uint8_t Settings::*setting;
    uint8_t group;
};
void ShowCheckBoxes(HWND page, const Settings& settings, std::span<const CheckBoxSetting> boxes);
// Takes the boxes of the page's changed groups into the settings and writes them.
void StoreCheckBoxes(SettingsPage& page, std::span<const CheckBoxSetting> boxes);
// Takes the number of the checked radio button into `setting` (unchanged when none) and writes it.
void StoreRadioChoice(SettingsPage& page, int firstId, int count, uint8_t& setting);
// The settings the pages edit, and the store they are written to.
[[nodiscard]] Settings& PageSettings(const SettingsPage& page);
[[nodiscard]] SettingsStore& PageStore(const SettingsPage& page);
// Writes one of the settings (a member of PageSettings) to the registry; failures are silent.
template <typename Member>
void WritePageSetting(const SettingsPage& page, const Member& member) {
    (void)WriteSetting(PageStore(page), PageSettings(page), member);
}

// What a page does besides the steps every page shares.
template <typename Page>
struct PageHandlers {
    int index;                                             // remembered as the page to open on
    INT_PTR (*start)(Page& page);                          // WM_INITDIALOG, after the shared start
    INT_PTR (*command)(Page& page, WPARAM, LPARAM);        // WM_COMMAND
    bool (*refuseLeaving)(Page& page);                     // PSN_KILLACTIVE; null when always allowed
    void (*apply)(Page& page, bool fromOkButton);          // PSN_APPLY; the changed groups are cleared after
    INT_PTR (*message)(Page& page, UINT, WPARAM, LPARAM);  // any other message; may be null
    void (*end)(Page& page);                               // WM_DESTROY, before the shared end; may be null
};

// The procedure of every page: its state, the shared steps and notifications, then `handlers`.
template <typename Page>
INT_PTR RunPageProcedure(const PageHandlers<Page>& handlers,
                         HWND page,
                         UINT message,
                         WPARAM wParam,
                         LPARAM lParam) noexcept {
    Page* state = PageState<Page>(page, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            StartSettingsPage(*state, page);
            return handlers.start(*state);
        case WM_COMMAND:
            return handlers.command(*state, wParam, lParam);
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.code == PSN_SETACTIVE) {
                state->session->startPage = handlers.index;
                return AnswerNotification(page, false);
            }
            if (header.code == PSN_KILLACTIVE) {
                return AnswerNotification(page, handlers.refuseLeaving != nullptr && handlers.refuseLeaving(*state));
            }
            if (header.code != PSN_APPLY) return FALSE;
            handlers.apply(*state, reinterpret_cast<const PSHNOTIFY&>(header).lParam != 0);
            state->dirty = 0;
            return AnswerNotification(page, false);
        }
        case WM_DESTROY:
            if (handlers.end != nullptr) handlers.end(*state);
            EndSettingsPage(*state);
            return FALSE;
        case WM_NCDESTROY:
            ReleasePageState<Page>(page);
            return FALSE;
        default:
            return handlers.message != nullptr ? handlers.message(*state, message, wParam, lParam) : FALSE;
    }
}

INT_PTR CALLBACK GeneralPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK WallpaperPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK ScreensaverPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
