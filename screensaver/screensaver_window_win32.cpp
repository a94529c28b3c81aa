#include "screensaver/screensaver_window_win32.h"

#include <objbase.h>
#include <windowsx.h>

#include <cstdlib>

#include "base/directory_listing.h"
#include "base/system_time.h"
#include "codec/codec_state.h"
#include "collection/collection_list.h"
#include "screensaver/no_images_picture.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_loader.h"
#include "ui/initialization_window_win32.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"
#include "ui/progress_record.h"
#include "ui/skin_cursors_win32.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/gdi_owners_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr int kMouseTolerance = 100;  // pixels in either axis before a move closes the window
constexpr ULONG_PTR kAnnouncementData = 1;

bool IsFullScreen(const ScreensaverWindow& state) {
    return !state.process->IsPreview();
}

void RequestClose(const ScreensaverWindow& state) {
    PostMessageA(state.window, WM_CLOSE, 0, 0);
}

// The collection's titles, with the initialization window telling how far the reading got.
std::vector<std::string> ReadTitles(const std::string& imagesFolder, HWND initialization) {
    (void)SendProgress(initialization, kProgressInitialization, kStartupListReadingPosition,
                       Text(TextId::ReadingImageList));
    int shown = kStartupListReadingPosition;
    CollectionTitles collection = LoadCollectionTitles(imagesFolder.c_str(), [&](int percent) {
        if (percent == shown) return;
        shown = percent;
        (void)SendProgress(initialization, kProgressInitialization, percent, nullptr);
    });
    return std::move(collection.titles);
}

void ShowNoImages(ScreensaverWindow& state) {
    const ScreensaverProcess& process = *state.process;
    OwnedRgbImage picture;
    if (MakeNoImagesPicture(process.canvasWidth, process.canvasHeight, LanguageCode(), picture)) {
        state.slideshow.ShowStill(*state.process, state.window, picture.View());
    }
}

// Tells the test button's dialog (the parent of the window given) which window previews.
void AnnounceTestPreview(const ScreensaverWindow& state) {
    HWND given = GetParent(state.window);
    HWND dialog = given != nullptr ? GetParent(given) : nullptr;
    if (dialog == nullptr) return;
    const uint32_t handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(state.window));
    COPYDATASTRUCT data = {kAnnouncementData, sizeof handle, const_cast<uint32_t*>(&handle)};
    DWORD_PTR answer = 0;
    (void)SendMessageTimeoutA(dialog, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
}

void StartSlideshow(ScreensaverWindow& state,
                    std::vector<std::string> titles,
                    const std::string& imagesFolder,
                    const std::string& musicFolder) {
    ScreensaverProcess& process = *state.process;
    state.slideshow.Start(process, state.window, std::move(titles), imagesFolder, state.random, state.displayMode);
    if (process.osVersionCode >= 5 && process.Has(kScreensaverTransitionsActive)) {
        state.idlePriority = SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS) != 0;
    }
    if (IsFullScreen(state) && process.settings.btEnableDirectXAudio != 0) {
        (void)state.music.Start(musicFolder.c_str(), state.window);
    }
}

LRESULT OnCreate(ScreensaverWindow& state, HWND window) {
    state.window = window;
    ScreensaverProcess& process = *state.process;
    const std::string imagesFolder = PathInFolder(process.paths.folder, "Images");
    const std::string musicFolder = PathInFolder(process.paths.folder, "Music");
    SeedRandom(state.random, CurrentUtcTime());
    // The music's media graph is made and driven on this thread.
    state.comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    InitializationWindow initialization;
    (void)OpenInitializationWindow(initialization);
    RegistryStore store;
    LoadScreensaverSettings(store, process.settings);
    std::vector<std::string> titles = ReadTitles(imagesFolder, initialization.window);
    (void)SendProgress(initialization.window, kProgressInitialization, kStartupListCompletePosition,
                       Text(TextId::StartingTapestrique));
    if (titles.empty()) {
        ShowNoImages(state);
    } else {
        StartSlideshow(state, std::move(titles), imagesFolder, musicFolder);
    }
    GetCursorPos(&state.mouseReference);
    if (process.Has(kScreensaverTestPreview)) AnnounceTestPreview(state);
    CloseInitializationWindow(initialization);
    if (IsFullScreen(state)) ShowCursor(FALSE);
    return 0;
}

LRESULT OnClose(ScreensaverWindow& state) {
    ScreensaverProcess& process = *state.process;
    if (process.Has(kScreensaverClosing)) return 0;
    process.flags |= kScreensaverClosing;
    if (state.idlePriority) SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    state.music.Stop();
    state.slideshow.Stop();
    if (process.Has(kScreensaverTransitionsActive) && IsFullScreen(state)) state.displayMode.Leave();
    DestroyWindow(state.window);
    return 0;
}

LRESULT OnDestroy(ScreensaverWindow& state) {
    state.slideshow.Release();
    ShutdownCodec();
    if (state.comInitialized) CoUninitialize();
    PostQuitMessage(0);
    return 0;
}

LRESULT OnPaint(ScreensaverWindow& state) {
    PaintDc paint(state.window);
    (void)state.slideshow.Paint(paint.Get(), paint.Area());
    return 0;
}

// Black until the first picture; the pictures themselves cover the whole window.
LRESULT OnEraseBackground(ScreensaverWindow& state, HDC dc) {
    RECT client;
    GetClientRect(state.window, &client);
    if (!state.slideshow.Paint(dc, client)) FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

LRESULT OnMouseMove(ScreensaverWindow& state, LPARAM position) {
    const int dx = std::abs(GET_X_LPARAM(position) - state.mouseReference.x);
    const int dy = std::abs(GET_Y_LPARAM(position) - state.mouseReference.y);
    if (dx > kMouseTolerance || dy > kMouseTolerance) RequestClose(state);
    return 0;
}

LRESULT OnSetCursor(const ScreensaverWindow& state) {
    SetCursor(IsFullScreen(state) ? nullptr : SkinCursor(false));
    return TRUE;
}

LRESULT CALLBACK ScreensaverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ScreensaverWindow* state = AttachedWindowState<ScreensaverWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    const bool fullScreen = IsFullScreen(*state);
    switch (message) {
        case WM_CREATE:
            return OnCreate(*state, window);
        case WM_CLOSE:
            return OnClose(*state);
        case WM_DESTROY:
            return OnDestroy(*state);
        case WM_PAINT:
            return OnPaint(*state);
        case WM_ERASEBKGND:
            return OnEraseBackground(*state, reinterpret_cast<HDC>(wParam));
        case WM_SETCURSOR:
            return OnSetCursor(*state);
        case WM_APP_MEDIA_EVENT:
            state->music.OnPlayerEvent(wParam, lParam);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (!fullScreen) break;
            RequestClose(*state);
            return 0;
        case WM_MOUSEMOVE:
            if (!fullScreen) break;
            return OnMouseMove(*state, lParam);
        case WM_ACTIVATE:
            if (fullScreen && LOWORD(wParam) == WA_INACTIVE) RequestClose(*state);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateScreensaverWindow(ScreensaverWindow& state) {
    ScreensaverProcess& process = *state.process;
    (void)RegisterProgramWindowClass(kScreensaverWindowClass, ScreensaverProcedure, false);
    DWORD style = WS_POPUP;
    DWORD extendedStyle = WS_EX_TOPMOST;
    HWND parent = nullptr;
    if (process.IsPreview()) {
        parent = reinterpret_cast<HWND>(static_cast<intptr_t>(process.launch.parentWindow));
        RECT area = {};
        GetWindowRect(parent, &area);
        process.canvasWidth = area.right - area.left;
        process.canvasHeight = area.bottom - area.top;
        style = WS_CHILD;
        extendedStyle = 0;
    }
    HWND window = CreateWindowExA(extendedStyle, kScreensaverWindowClass, kScreensaverWindowTitle, style, 0, 0,
                                  process.canvasWidth, process.canvasHeight, parent, nullptr, process.instance, &state);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    if (!process.IsPreview()) SetForegroundWindow(window);
    return window;
}
