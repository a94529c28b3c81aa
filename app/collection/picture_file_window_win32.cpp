#include "app/collection/picture_file_window_win32.h"

#include <memory>

#include "app/collection/full_screen_picture_win32.h"
#include "base/file_result.h"
#include "ui/control_ids.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr char kWindowClass[] = "TapestriqueExeOpenTQIFile_WndClass";
constexpr int kDialogRightGap = 12;
constexpr int kDialogTop = 39;

struct PictureFileWindow {
    PictureFileRequest request;
    ScreenPicture picture;
    HWND dialog = nullptr;
};

void PlaceDialog(HWND dialog, int screenWidth) {
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    SetWindowPos(dialog, nullptr, screenWidth - (rect.right - rect.left) - kDialogRightGap, kDialogTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PictureFileWindow* state = AttachedDialogState<PictureFileWindow>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(dialog, state->request.record->title);
            PlaceDialog(dialog, state->request.screen.width);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kOpenTqiFileSave) {
                if (state->request.save && state->request.save(*state->request.record, dialog)) {
                    (void)SetControlEnabled(GetDlgItem(dialog, kOpenTqiFileSave), false);
                    SetFocus(GetDlgItem(dialog, kDialogCancel));
                }
                return TRUE;
            }
            if (LOWORD(wParam) == kDialogCancel) {
                SendMessageA(GetParent(dialog), WM_SYSCOMMAND, SC_CLOSE, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

LRESULT OnCreate(PictureFileWindow& state, HWND window) {
    state.dialog = CreateDialogWindow(GetModuleHandleA(nullptr), TextId::DialogOpenTqiFile, window, DialogProcedure,
                                      reinterpret_cast<LPARAM>(&state));
    return 0;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PictureFileWindow* state = AttachedWindowState<PictureFileWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            return OnCreate(*state, window);
        case WM_ERASEBKGND:
            PaintScreenPicture(state->picture, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SETFOCUS:
            if (state->dialog != nullptr) SetFocus(state->dialog);
            return 0;
        case WM_NCDESTROY:
            delete state;  // the bitmap, the record and its payload go with the window
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void ShowReadFailure(PictureFileRequest& request) {
    TextId message;
    switch (request.result) {
        case kFileCannotOpen:
            message = TextId::UnknownError;
            break;
        case kFileDamaged:
            message = TextId::InvalidFileFormat;
            break;
        case kFileOutOfMemory:
            message = TextId::ReadOutOfMemory;
            break;
        default:
            return;
    }
    if (request.openMainWindow) request.openMainWindow();
    MessageBoxA(nullptr, Text(message), "Tapestrique", MB_ICONERROR);
}

}  // namespace

void ShowPictureFileWindow(PictureFileRequest request) {
    if (request.result != kFileOk || !request.record) {
        ShowReadFailure(request);
        return;
    }
    if (!RegisterProgramWindowClass(kWindowClass, WindowProcedure, true)) return;
    auto state = std::make_unique<PictureFileWindow>();
    state->picture = ComposeScreenPicture(*request.record, request.screen, nullptr);
    const std::string title = request.record->title;
    const WallpaperScreen screen = request.screen;
    state->request = std::move(request);
    HWND window = CreateWindowExA(0, kWindowClass, title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, screen.width,
                                  screen.height, nullptr, nullptr, GetModuleHandleA(nullptr), state.get());
    if (window == nullptr) return;
    (void)state.release();  // the window owns it now
    SetForegroundWindow(window);
}
