// The main window's commands: its buttons, the popup menu's items, the hotkeys and the tray
// icon's mouse messages, and the enabled states of the buttons.
#include <string>

#include "app/collection/collection_commands_win32.h"
#include "app/collection/import_pictures_win32.h"
#include "app/collection/picture_file_window_win32.h"
#include "app/main_window/main_window_win32.h"
#include "app/main_window/popup_menu_win32.h"
#include "app/online/service_pages.h"
#include "app/scheduler/change_rules.h"
#include "app/settings_sheet/settings_sheet_win32.h"
#include "app/settings_sheet/welcome_about_win32.h"
#include "app/startup/application_flags.h"
#include "base/text_case.h"
#include "ui/control_ids.h"
#include "ui/resource_sound.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"

namespace {

constexpr DWORD kShowAnimation = AW_BLEND | AW_ACTIVATE;

// Settings and About wait while another dialog is open over the main window.
bool RefuseWhileDialogOpen(const MainWindow& state) {
    if (state.openDialog == OpenDialog::None) return false;
    MessageBeep(MB_ICONHAND);
    return true;
}

void ShowCurrentPicture(MainWindow& state) {
    SelectPicture(state, FindPictureIndex(state.titles, state.settings().szCurrentWallpaper));
}

void SetSelectedAsWallpaper(MainWindow& state) {
    if (state.selectedName.empty()) return;
    const std::string name = state.selectedName;  // the selection may change while it is applied
    SetCurrentWallpaper(state, name.c_str());
}

bool IsSetWallpaperEnabled(MainWindow& state) {
    for (const ButtonState& button : DecideButtonStates(CurrentWindowState(state)).buttons) {
        if (button.control == kMainSetWallpaperButton) return button.enabled;
    }
    return false;
}

void OnPictureListNotification(MainWindow& state, WORD notification) {
    if (notification == LBN_SELCHANGE) OnPictureListSelectionChanged(state);
    if (notification == LBN_DBLCLK && IsSetWallpaperEnabled(state)) SetSelectedAsWallpaper(state);
}

void ClickThenRun(MainWindow& state, MenuCommand command) {
    (void)PlayResourceSound("WavClick");
    RunMenuCommand(state, command);
}

// A click of one of the window's buttons.
void OnButtonClick(MainWindow& state, UINT controlId) {
    switch (controlId) {
        case kMainImportButton:
            ImportPictures(state);
            break;
        case kMainExportButton:
            ExportSelectedPicture(state);
            break;
        case kMainPreviewPicture:
            PreviewSelectedPicture(state);
            break;
        case kMainDeleteButton:
            DeleteSelectedPicture(state);
            break;
        case kMainRenameButton:
            RenameSelectedPicture(state);
            break;
        case kMainSetWallpaperButton:
            SetSelectedAsWallpaper(state);
            break;
        case kMainShowCurrentButton:
            ShowCurrentPicture(state);
            break;
        case kMainRemoveWallpaperButton:
            RunMenuCommand(state, kCommandRemoveWallpaper);
            break;
        case kMainChangeWallpaperButton:
            RunMenuCommand(state, kCommandChangeWallpaper);
            break;
        case kMainDownloadButton:
            ClickThenRun(state, kCommandDownloadImages);
            break;
        case kMainHelpButton:
            ClickThenRun(state, kCommandHelp);
            break;
        case kMainAboutButton:
            ClickThenRun(state, kCommandAbout);
            break;
        case kMainSettingsButton:
            RunMenuCommand(state, kCommandSettings);
            break;
        case kMainCloseButton:
            SendMessageA(state.window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        default:
            break;
    }
}

bool IsMenuItemEnabled(MainWindow& state, MenuCommand command) {
    for (const MenuItemState& item : DecideMenuStates(CurrentWindowState(state))) {
        if (item.command == command) return item.enabled;
    }
    return false;
}

}  // namespace

MainWindowState CurrentWindowState(MainWindow& state) {
    MainWindowState current;
    current.settings = &state.settings();
    current.pictureCount = static_cast<int>(state.titles.size());
    current.selectedName = state.selectedName.c_str();
    current.openDialog = state.openDialog;
    current.closing = state.HasFlag(kFlagMainWindowClosing);
    current.screensaverRunning = IsScreensaverRunning();
    current.desktopIconsHidden = AreDesktopIconsHidden();
    return current;
}

LRESULT OnMainWindowCommand(MainWindow& state, WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (lParam == 0) {
        RunMenuCommand(state, static_cast<MenuCommand>(id));
        return 0;
    }
    if (IsNewImageControl(state.online.announcement, reinterpret_cast<HWND>(lParam))) {
        if (notification == BN_CLICKED) OnAnnouncementClick(state, id);
    } else if (id == kMainPictureList) {
        OnPictureListNotification(state, notification);
    } else if (notification == BN_CLICKED && id >= kMainImportButton && id <= 125) {
        OnButtonClick(state, id);
    }
    return 0;
}

void RunMenuCommand(MainWindow& state, MenuCommand command) {
    switch (command) {
        case kCommandEnableChanger:
            if (IsMenuItemEnabled(state, command))
                EnableWallpaperChanger(state, state.settings().btEnableWallpaperChanger == 0);
            break;
        case kCommandChangeWallpaper:
            if (IsMenuItemEnabled(state, command)) (void)ChangeToNextPicture(state, false);
            break;
        case kCommandRemoveWallpaper:
            if (IsMenuItemEnabled(state, command)) RemoveWallpaper(state);
            break;
        case kCommandRefreshDesktop:
            SendMessageA(state.window, WM_APP_APPLY_WALLPAPER, 0, 0);
            break;
        case kCommandHideDesktopIcons:
            ToggleDesktopIcons();
            break;
        case kCommandEnableScreensaver:
            if (IsMenuItemEnabled(state, command))
                SetSystemScreensaver(state.settings().btEnableScreensaver == 0, state.screensaver);
            break;
        case kCommandLaunchScreensaver:
            if (IsMenuItemEnabled(state, command)) LaunchScreensaver(state.screensaver);
            break;
        case kCommandOpen:
            OpenMainWindow(state);
            break;
        case kCommandSettings:
            if (!RefuseWhileDialogOpen(state)) RunSettingsSheet(state);
            break;
        case kCommandAbout:
            if (!RefuseWhileDialogOpen(state)) ShowAboutDialog(state);
            break;
        case kCommandDownloadImages:
            OpenServicePage(state, ServicePage::User);
            break;
        case kCommandHelp:
            OpenServicePage(state, ServicePage::Help);
            break;
        case kCommandExit:
            if (IsMenuItemEnabled(state, command)) PostMessageA(state.window, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

void UpdateMainWindowButtons(MainWindow& state) {
    const ButtonStates decided = DecideButtonStates(CurrentWindowState(state));
    for (const ButtonState& button : decided.buttons) {
        (void)SetControlEnabled(MainControl(state, button.control), button.enabled);
    }
    if (SkinElement* preview = FindElementById(state.skinned.skin, kMainPreviewPicture)) {
        preview->cursor = decided.previewClickable ? kSkinHandCursor : 0;
    }
    HWND focus = state.skinned.focused;
    if (focus == nullptr || !IsWindow(focus) || !IsWindowEnabled(focus)) {
        state.skinned.focused = MainControl(state, kMainPictureList);
        if (GetActiveWindow() == state.window) SetFocus(state.skinned.focused);
    }
}

void OpenServicePage(const MainWindow& state, ServicePage page) {
    (void)OpenInBrowser(ServicePageAddress(page, state.process->settings).c_str());
}

void OpenMainWindow(MainWindow& state) {
    (void)ShowWindowAnimated(state.window, 200, kShowAnimation);
    SetForegroundWindow(state.frontWindow != nullptr ? state.frontWindow : state.window);
}

void OnTrayNotify(MainWindow& state, LPARAM mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDBLCLK:
            RunMenuCommand(state, kCommandOpen);
            break;
        case WM_RBUTTONDOWN:
            SetCapture(state.window);
            break;
        case WM_RBUTTONUP:
            ReleaseCapture();
            ShowPopupMenu(state);
            break;
        default:
            break;
    }
}

void OnHotkey(MainWindow& state, WPARAM hotkeyId) {
    const std::optional<HotkeyCommand> command =
        DecideHotkeyCommand(static_cast<int>(hotkeyId), CurrentWindowState(state));
    if (!command) return;
    if (command->playClick) (void)PlayResourceSound("WavClick");
    RunMenuCommand(state, command->command);
}

void ShowPictureFile(MainWindow& state, int result, OwnedPicture record) {
    PictureFileRequest request;
    request.result = result;
    request.record = std::move(record);
    request.screen = state.screen;
    request.save = [&state](const PictureRecord& picture, HWND owner) {
        return AddPictureToCollection(state, picture, owner);
    };
    request.openMainWindow = [&state] { OpenMainWindow(state); };
    ShowPictureFileWindow(std::move(request));
}
