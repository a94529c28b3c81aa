#include "app/collection/full_screen_picture_win32.h"

#include <cstdlib>

#include "app/wallpaper/compose_picture.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/window_helpers_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr char kPreviewClass[] = "TapestriqueExeFullScreenPreview_WndClass";
constexpr int kMouseTolerance = 100;  // pixels the mouse may wander before the preview closes

struct PreviewWindow {
    OwnedPicture record;
    ScreenPicture picture;
    POINT cursorAtStart = {};
};

bool IsCloseMessage(const PreviewWindow& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            return true;
        case WM_ACTIVATE:
            return LOWORD(wParam) == WA_INACTIVE;
        case WM_ACTIVATEAPP:
            return wParam == FALSE;
        case WM_MOUSEMOVE: {
            POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            return std::abs(at.x - state.cursorAtStart.x) > kMouseTolerance ||
                   std::abs(at.y - state.cursorAtStart.y) > kMouseTolerance;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PreviewWindow* state = AttachedWindowState<PreviewWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (IsCloseMessage(*state, message, wParam, lParam)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return message == WM_ACTIVATE || message == WM_ACTIVATEAPP ? DefWindowProcA(window, message, wParam, lParam)
                                                                   : 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            PaintScreenPicture(state->picture, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        case WM_NCDESTROY:
            delete state;  // the window owned its picture and record
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

ScreenPicture ComposeScreenPicture(const PictureRecord& record, const WallpaperScreen& screen, HWND window) {
    ComposeRequest request;
    request.targetWidth = screen.width;
    request.targetHeight = screen.height;
    request.resizeFilter = kResizeBicubic;
    request.presentation = FullScreenPresentation(record.width, record.height);
    request.backgroundColour = screen.desktopColour;
    request.flags = kComposeTitle;
    OwnedRgbImage composed;
    ScreenPicture picture;
    if (ComposePicture(record, request, composed) != kComposeOk) return picture;
    ResourceBitmap bitmap = MakeBitmapFromImage(composed.View(), window);
    picture.bitmap = std::move(bitmap.bitmap);
    picture.width = bitmap.width;
    picture.height = bitmap.height;
    return picture;
}

void PaintScreenPicture(const ScreenPicture& picture, HDC dc) {
    if (!picture.bitmap.IsValid()) return;
    MemoryDc memory(CreateCompatibleDC(dc));
    ScopedSelect selected(memory.Get(), picture.bitmap.Get());
    BitBlt(dc, 0, 0, picture.width, picture.height, memory.Get(), 0, 0, SRCCOPY);
}

bool ShowFullScreenPreview(OwnedPicture record, const WallpaperScreen& screen) {
    if (!record || !RegisterProgramWindowClass(kPreviewClass, PreviewProcedure, false)) return false;
    auto state = std::make_unique<PreviewWindow>();
    state->picture = ComposeScreenPicture(*record, screen, nullptr);
    if (!state->picture.bitmap.IsValid()) return false;
    GetCursorPos(&state->cursorAtStart);
    const std::string title = record->title;
    state->record = std::move(record);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, kPreviewClass, title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, screen.width,
                        screen.height, nullptr, nullptr, GetModuleHandleA(nullptr), state.get());
    if (window == nullptr) return false;
    (void)state.release();  // the window owns it now and deletes it when it goes
    SetForegroundWindow(window);
    return true;
}
