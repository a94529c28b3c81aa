#include "app/online/new_image_window_win32.h"

#include <cstdlib>

#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr char kWindowTitle[] = "Tapestrique";
constexpr char kSkinEntry[] = "SkinNewImage";
constexpr DWORD kAnimationTime = 200;
constexpr DWORD kSlideIn = AW_SLIDE | AW_ACTIVATE | AW_VER_NEGATIVE;
constexpr DWORD kSlideOut = AW_SLIDE | AW_HIDE | AW_VER_POSITIVE;

// The window's own close command clicks its close button.
constexpr SkinnedWindowRules kNewImageRules = {.closeButtonId = kNewImageCloseButton};

HWND Control(const NewImageWindow& state, uint32_t controlId) {
    const SkinElement* element = FindElementById(state.skinned.skin, controlId);
    return element != nullptr ? element->window : nullptr;
}

// A skin that cannot be read or parsed leaves the window empty; nothing is reported.
void LoadSkin(NewImageWindow& state) {
    FreeSkin(state.skinned.skin);
    state.skinned.hovered = nullptr;
    state.skinned.focused = nullptr;
    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(kSkinEntry, &record, &size) != kDataResourceOk) return;
    (void)ParseSkin(record, size, state.skinned.skin, state.window, true, true);
    std::free(record);
}

void PlaceAboveWorkAreaCorner(const NewImageWindow& state) {
    const Skin& skin = state.skinned.skin;
    MoveWindow(state.window, state.workArea.right - skin.backgroundWidth - kAnnouncementRightGap,
               state.workArea.bottom - skin.backgroundHeight, skin.backgroundWidth, skin.backgroundHeight, TRUE);
}

void MakeFace(NewImageWindow& state) {
    LoadSkin(state);
    PlaceAboveWorkAreaCorner(state);
    SetAnnouncementHeadline(state, Text(TextId::NewImageAvailable));
    SetAnnouncementPicture(state, nullptr);
}

LRESULT OnCreate(NewImageWindow& state, HWND window) {
    state.window = window;
    MakeFace(state);
    return 0;
}

LRESULT OnDestroy(NewImageWindow& state) {
    if (state.hideTimer != 0) KillTimer(state.window, state.hideTimer);
    state.hideTimer = 0;
    FreeSkin(state.skinned.skin);
    state.window = nullptr;
    return 0;
}

LRESULT OnTimer(NewImageWindow& state, HWND window, WPARAM timer) {
    if (timer == kAnnouncementHideTimer) {
        HideAnnouncement(state);
        return 0;
    }
    return DefWindowProcA(window, WM_TIMER, timer, 0);
}

// The main window decides what a click means; it gets the command as the control sent it.
LRESULT OnCommand(const NewImageWindow& state, WPARAM wParam, LPARAM lParam) {
    if (state.mainWindow != nullptr) SendMessageA(state.mainWindow, WM_COMMAND, wParam, lParam);
    return 0;
}

LRESULT CALLBACK NewImageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    NewImageWindow* state = AttachedWindowState<NewImageWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleSkinnedWindowMessage(state->skinned, kNewImageRules, window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(*state, window);
        case WM_DESTROY:
            return OnDestroy(*state);
        case WM_TIMER:
            return OnTimer(*state, window, wParam);
        case WM_COMMAND:
            return OnCommand(*state, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateNewImageWindow(NewImageWindow& state, HWND mainWindow, const RECT& workArea) {
    if (!RegisterProgramWindowClass(kNewImageWindowClassName, NewImageProcedure, false)) return nullptr;
    state.mainWindow = mainWindow;
    state.workArea = workArea;
    // No owner: the notification stands on its own above the taskbar, whether or not the
    // main window is shown.
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kNewImageWindowClassName, kWindowTitle, WS_POPUP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleA(nullptr), &state);
}

void DestroyNewImageWindow(NewImageWindow& state) {
    if (state.window != nullptr) DestroyWindow(state.window);
}

void ShowAnnouncement(NewImageWindow& state) {
    if (state.window != nullptr) (void)ShowWindowAnimated(state.window, kAnimationTime, kSlideIn);
}

void HideAnnouncement(NewImageWindow& state) {
    if (state.window == nullptr) return;
    if (state.hideTimer != 0) KillTimer(state.window, state.hideTimer);
    state.hideTimer = 0;
    (void)ShowWindowAnimated(state.window, kAnimationTime, kSlideOut);
}

void StartAnnouncementHideTimer(NewImageWindow& state) {
    if (state.window == nullptr || state.hideTimer != 0) return;
    state.hideTimer = SetTimer(state.window, kAnnouncementHideTimer, kAnnouncementHideDelay, nullptr);
}

void SetAnnouncementHeadline(NewImageWindow& state, const char* text) {
    SetWindowTextA(Control(state, kNewImageHeadline), text);
}

void SetAnnouncementPicture(NewImageWindow& state, HBITMAP thumbnail) {
    const SkinElement* element = FindElementById(state.skinned.skin, kNewImageThumbnail);
    if (element == nullptr || element->window == nullptr) return;
    HBITMAP shown = thumbnail != nullptr ? thumbnail : element->picture.Get();
    SendMessageA(element->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
}

void SetAnnouncementDescription(NewImageWindow& state, const char* text) {
    SetWindowTextA(Control(state, kNewImageDescription), text);
}

void ReloadNewImageSkin(NewImageWindow& state, const RECT& workArea) {
    if (state.window == nullptr) return;
    state.workArea = workArea;
    MakeFace(state);
}

bool IsNewImageControl(const NewImageWindow& state, HWND control) {
    return state.window != nullptr && control != nullptr && GetParent(control) == state.window;
}
