#include "app/main_window/main_window_win32.h"

#include <memory>
#include <optional>
#include <string>

#include "app/collection/collection_commands_win32.h"
#include "app/main_window/popup_menu_win32.h"
#include "app/main_window/tray_icon_win32.h"
#include "app/startup/application_flags.h"
#include "app/startup/command_line.h"
#include "app/startup/copy_data.h"
#include "collection/tqi_file.h"
#include "ui/control_ids.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/window_state_win32.h"

namespace {

// The skinned window's rules: dragged by its background, Tab walks the skin's chains and
// Escape hides it like the close button.
constexpr SkinnedWindowRules kMainWindowRules = {.dragByBackground = true, .moveFocusWithKeys = true};
constexpr DWORD kHideAnimation = AW_BLEND | AW_HIDE;

LRESULT OnSetFocus(MainWindow& state) {
    HWND focus = state.skinned.focused;
    if (focus == nullptr || !IsWindow(focus)) focus = MainControl(state, kMainPictureList);
    if (focus != nullptr) {
        SetFocus(focus);
        InvalidateRect(focus, nullptr, FALSE);  // a hover button shows its focus
    }
    return 0;
}

// The window keeps its skin's size wherever it is moved, and remembers where it went.
LRESULT OnWindowPosChanging(MainWindow& state, WINDOWPOS& position) {
    if ((position.flags & SWP_NOMOVE) == 0) {
        state.settings().ptTapestriqueExeWindowPosition = {position.x, position.y};
    }
    if ((position.flags & SWP_NOSIZE) == 0 && state.skinned.skin.backgroundWidth > 0) {
        position.cx = state.skinned.skin.backgroundWidth;
        position.cy = state.skinned.skin.backgroundHeight;
    }
    return 0;
}

LRESULT OnSystemCommand(MainWindow& state, HWND window, WPARAM command, LPARAM lParam) {
    if ((command & 0xFFF0) != SC_CLOSE) return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
    (void)ShowWindowAnimated(state.window, 200, kHideAnimation);
    return 0;
}

BOOL CALLBACK RedrawIfVisible(HWND window, LPARAM) noexcept {
    if (IsWindowVisible(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    return TRUE;
}

// A desktop that paints the new wallpaper over the windows above it (Wine's) may still be in
// that paint, which on a large screen outlasts the delay and reaches windows shown since it
// began (the first run's welcome). Its thread answers once the paint is over; then every
// window of this thread, the open dialog too, paints itself again.
void RepaintOverNewWallpaper() {
    DWORD_PTR answer = 0;
    (void)SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kDesktopPaintWait, &answer);
    EnumThreadWindows(GetCurrentThreadId(), RedrawIfVisible, 0);
}

LRESULT OnTimer(MainWindow& state, WPARAM timer) {
    if (timer == kSchedulerTimer) {
        OnlineTick(state);  // the service's check comes before the scheduler's
        (void)IsChangeDue(state, true);
    }
    if (timer == kRepaintTimer) {
        KillTimer(state.window, kRepaintTimer);
        RepaintOverNewWallpaper();
    }
    return 0;
}

LRESULT OnCopyData(MainWindow& state, const COPYDATASTRUCT* data) {
    if (data == nullptr) return 0;
    CopyDataAnswer answer = AcceptCopyData(data->dwData, data->lpData, data->cbData);
    if (answer.argument) {
        SendMessageA(state.window, WM_APP_OPEN_ARGUMENT, 0, reinterpret_cast<LPARAM>(answer.argument.release()));
    }
    return answer.result;
}

// A command line with "/file:" (from this start or handed over by a second one): the picture
// file it names is read, never written, and handed to the picture viewer with the result.
LRESULT OnOpenArgument(MainWindow& state, LPARAM lParam) {
    std::unique_ptr<char[]> commandLine(reinterpret_cast<char*>(lParam));
    if (!commandLine) return 0;
    const std::optional<std::string> path = PictureFileArgument(commandLine.get());
    commandLine.reset();
    if (!path) return 0;
    OwnedPicture record = MakeOwnedPicture();
    const FileResult result = ReadPictureFile(PictureSource::FromPath(path->c_str()), *record, true);
    if (result != kFileOk) record.reset();
    PostPictureToShow(state, result, std::move(record));
    return result == kFileOk ? 1 : 0;
}

LRESULT OnPrivateMessage(MainWindow& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_APP_APPLY_WALLPAPER:
            ApplyCurrentWallpaper(state);
            return 0;
        case WM_APP_UPDATE_BUTTONS:
            UpdateMainWindowButtons(state);
            return 0;
        case WM_APP_OPEN_ARGUMENT:
            return OnOpenArgument(state, lParam);
        case WM_APP_SHOW_PICTURE:
            ShowPictureFile(state, static_cast<int>(wParam), OwnedPicture(reinterpret_cast<PictureRecord*>(lParam)));
            return 0;
        case WM_APP_ADD_PICTURE:
            return AddPictureToCollection(state, *reinterpret_cast<const PictureRecord*>(lParam),
                                          reinterpret_cast<HWND>(wParam))
                       ? 1
                       : 0;
        case WM_APP_SCHEDULED_CHANGE:
            OnScheduledChange(state);
            return 0;
        case WM_APP_TRAY_NOTIFY:
            OnTrayNotify(state, lParam);
            return 0;
        case WM_APP_PROGRESS:
            OnDownloadProgress(state, wParam, reinterpret_cast<const ProgressRecord*>(lParam));
            return 0;
        case WM_APP_TRANSFER_DONE:
            return OnTransferDone(state, wParam, lParam);
        default:
            return 0;
    }
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    MainWindow* state = AttachedWindowState<MainWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleSkinnedWindowMessage(state->skinned, kMainWindowRules, window, message, wParam, lParam, result)) {
        return result;
    }
    if (message == state->taskbarCreatedMessage && message != 0) {
        RecreateTrayIcon(*state);
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnMainWindowCreate(*state, window);
        case WM_DESTROY:
            OnMainWindowDestroy(*state);
            return 0;
        case WM_CLOSE:
            if (OnMainWindowClose(*state) != 0) return DefWindowProcA(window, message, wParam, lParam);
            return 0;
        case WM_SETFOCUS:
            return OnSetFocus(*state);
        case WM_WINDOWPOSCHANGING:
            return OnWindowPosChanging(*state, *reinterpret_cast<WINDOWPOS*>(lParam));
        case WM_SYSCOMMAND:
            return OnSystemCommand(*state, window, wParam, lParam);
        case WM_COMMAND:
            return OnMainWindowCommand(*state, wParam, lParam);
        case WM_INITMENU:
            PrepareMenu(*state, reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_HOTKEY:
            OnHotkey(*state, wParam);
            return 0;
        case WM_TIMER:
            return OnTimer(*state, wParam);
        case WM_WININICHANGE:
            OnEnvironmentChange(*state);
            return 0;
        case WM_COPYDATA:
            return OnCopyData(*state, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_APP_APPLY_WALLPAPER:
        case WM_APP_UPDATE_BUTTONS:
        case WM_APP_OPEN_ARGUMENT:
        case WM_APP_SHOW_PICTURE:
        case WM_APP_ADD_PICTURE:
        case WM_APP_SCHEDULED_CHANGE:
        case WM_APP_TRAY_NOTIFY:
        case WM_APP_PROGRESS:
        case WM_APP_TRANSFER_DONE:
            return OnPrivateMessage(*state, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainWindowClass() {
    return RegisterProgramWindowClass(kMainWindowClassName, MainWindowProcedure, false);
}

void PostPictureToShow(MainWindow& state, int result, OwnedPicture record) {
    if (PostMessageA(state.window, WM_APP_SHOW_PICTURE, static_cast<WPARAM>(result),
                     reinterpret_cast<LPARAM>(record.get()))) {
        (void)record.release();  // the receiver owns it
    }
}

HWND CreateMainWindow(MainWindow& state) {
    return CreateWindowExA(0, kMainWindowClassName, kMainWindowTitle, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, state.process->instance, &state);
}
