#include "ui/initialization_window_win32.h"

#include <commctrl.h>

#include <cstdlib>

#include "codec/codec_state.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/text_table.h"
#include "ui/skinned_controls_win32.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr char kClassName[] = "TapestriqueInitialization_WndClass";
constexpr char kSkinEntry[] = "SkinInitialization";
constexpr int kCornerGap = 8;  // between the window and the work area's top right corner

// Owned by the window's thread, which outlives the window.
struct InitializationState {
    Skin skin;
};

// What the window's thread needs from its opener; valid only until the thread reports ready.
struct ThreadStart {
    HANDLE ready = nullptr;
    HWND* window = nullptr;
    CodecAllocators allocators;
};

void LoadSkin(Skin& skin, HWND window) {
    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(kSkinEntry, &record, &size) != kDataResourceOk) return;
    // A skin that does not parse leaves the skin empty: the window shows nothing but still
    // answers its messages.
    (void)ParseSkin(record, size, skin, window, true, true);
    std::free(record);
}

void PlaceInWorkAreaCorner(HWND window, const Skin& skin) {
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    MoveWindow(window, workArea.right - skin.backgroundWidth - kCornerGap, workArea.top + kCornerGap,
               skin.backgroundWidth, skin.backgroundHeight, TRUE);
}

HWND ControlWindow(const Skin& skin, uint32_t controlId) {
    const SkinElement* element = FindElementById(skin, controlId);
    return element != nullptr ? element->window : nullptr;
}

LRESULT OnCreate(InitializationState& state, HWND window) {
    LoadSkin(state.skin, window);
    PlaceInWorkAreaCorner(window, state.skin);
    SetWindowTextA(ControlWindow(state.skin, kInitializationStatusLabel), Text(TextId::Initializing));
    return 0;
}

LRESULT OnDestroy(InitializationState& state) {
    FreeSkin(state.skin);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnColourStatic(const InitializationState& state, HWND window, WPARAM wParam, LPARAM lParam) {
    HBRUSH brush = ColourSkinLabel(state.skin, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(window, WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT OnProgress(const InitializationState& state, WPARAM display, const ProgressRecord* record) {
    if (display != kProgressInitialization || record == nullptr) return 0;
    if (record->position != kProgressUnchanged) {
        SendMessageA(ControlWindow(state.skin, kInitializationProgressBar), PBM_SETPOS, record->position, 0);
    }
    if (record->text != nullptr) SetWindowTextA(ControlWindow(state.skin, kInitializationStatusLabel), record->text);
    return 0;
}

LRESULT CALLBACK InitializationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    InitializationState* state = AttachedWindowState<InitializationState>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            return OnCreate(*state, window);
        case WM_DESTROY:
            return OnDestroy(*state);
        case WM_ERASEBKGND:
            PaintSkinBackground(state->skin, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLORSTATIC:
            return OnColourStatic(*state, window, wParam, lParam);
        case WM_APP_PROGRESS:
            return OnProgress(*state, wParam, reinterpret_cast<const ProgressRecord*>(lParam));
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateInitializationWindow(InitializationState& state) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Registered on first use, like every class of the programs; the skin paints the face.
    if (!RegisterProgramWindowClass(kClassName, InitializationProcedure, false)) return nullptr;
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, Text(TextId::InitializationWindowTitle),
                           WS_POPUP | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, instance, &state);
}

unsigned __stdcall InitializationThread(void* argument) {
    auto* start = static_cast<ThreadStart*>(argument);
    RestoreCodecAllocators(start->allocators);
    InitializationState state;
    HWND window = CreateInitializationWindow(state);
    *start->window = window;
    SetEvent(start->ready);  // `start` belongs to the opener, which goes on from here
    // Without a window nothing would ever end the loop below.
    if (window == nullptr) return 1;
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A loop ended by an error leaves the window, whose state is about to go.
    if (IsWindow(window)) DestroyWindow(window);
    return static_cast<unsigned>(message.wParam);
}

}  // namespace

bool OpenInitializationWindow(InitializationWindow& initialization) {
    initialization.window = nullptr;
    OwnedHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready.IsValid()) return false;
    ThreadStart start;
    start.ready = ready.Get();
    start.window = &initialization.window;
    start.allocators = GetCodecAllocators();
    if (!StartWorkerThread(InitializationThread, &start, initialization.worker)) return false;
    // The thread's end counts as ready too: a thread that dies before it signals must not
    // leave start-up waiting for ever.
    const HANDLE waitFor[] = {ready.Get(), initialization.worker.thread.Get()};
    WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
    if (initialization.window != nullptr) return true;
    // A thread without a window has ended or is about to.
    (void)StopWorkerThread(initialization.worker, WorkerStopWait::Blocking);
    return false;
}

void CloseInitializationWindow(InitializationWindow& initialization) {
    if (initialization.window != nullptr) SendMessageA(initialization.window, WM_CLOSE, 0, 0);
    initialization.window = nullptr;
    // The window's thread never tests its stop event; closing the window is what ends it.
    (void)StopWorkerThread(initialization.worker, WorkerStopWait::Blocking);
}
