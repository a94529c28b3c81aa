#include "screensaver/display/display_mode_win32.h"

#include <commctrl.h>

#include "screensaver/display/display_modes.h"

namespace {

constexpr UINT_PTR kLeaveOnDestroyId = 1;

// DirectDrawCreate needs no COM on the calling thread, unlike CoCreateInstance, so the
// settings page and the screensaver's window thread can both ask at any time.
ComPtr<IDirectDraw2> CreateDisplayObject() {
    ComPtr<IDirectDraw2> display;
    ComPtr<IDirectDraw> first;
    if (SUCCEEDED(DirectDrawCreate(nullptr, first.Receive(), nullptr))) {
        (void)first->QueryInterface(IID_IDirectDraw2, display.ReceiveVoid());
    }
    return display;
}

HRESULT WINAPI RecordReportedMode(LPDDSURFACEDESC description, LPVOID context) {
    DisplayMode mode;
    mode.width = description->dwWidth;
    mode.height = description->dwHeight;
    mode.bitsPerPixel = description->ddpfPixelFormat.dwRGBBitCount;
    mode.refreshRate = description->dwRefreshRate;
    return RecordDisplayMode(*static_cast<std::vector<DisplayMode>*>(context), mode) ? DDENUMRET_OK : DDENUMRET_CANCEL;
}

std::vector<DisplayMode> EnumerateModes(IDirectDraw2* display) {
    std::vector<DisplayMode> modes;
    (void)display->EnumDisplayModes(DDEDM_REFRESHRATES, nullptr, &modes, RecordReportedMode);
    return modes;
}

}  // namespace

std::vector<DisplayMode> ListDisplayModes() {
    ComPtr<IDirectDraw2> display = CreateDisplayObject();
    if (!display.IsValid()) return {};
    return EnumerateModes(display.Get());
}

DisplayModeSwitch::~DisplayModeSwitch() {
    Leave();
}

bool DisplayModeSwitch::Enter(const DisplayMode& wanted, HWND window) {
    Leave();
    display_ = CreateDisplayObject();
    if (!display_.IsValid()) return false;
    window_ = window;
    // The desktop's mode must come back even when the window goes before Leave is called.
    (void)SetWindowSubclass(window, LeaveOnDestroy, kLeaveOnDestroyId, reinterpret_cast<DWORD_PTR>(this));
    (void)display_->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);

    const std::vector<DisplayMode> modes = EnumerateModes(display_.Get());
    if (FindDisplayMode(modes, wanted) >= 0) {
        switched_ = SUCCEEDED(
            display_->SetDisplayMode(wanted.width, wanted.height, wanted.bitsPerPixel, wanted.refreshRate, 0));
    }

    DDSURFACEDESC chain = {};
    chain.dwSize = sizeof chain;
    chain.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    chain.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    chain.dwBackBufferCount = 1;
    if (SUCCEEDED(display_->CreateSurface(&chain, primary_.Receive(), nullptr))) {
        DDSCAPS backBufferCaps = {DDSCAPS_BACKBUFFER};
        (void)primary_->GetAttachedSurface(&backBufferCaps, backBuffer_.Receive());
    }
    return switched_;
}

void DisplayModeSwitch::Leave() {
    backBuffer_.Reset();
    primary_.Reset();
    if (display_.IsValid()) {
        if (switched_) (void)display_->RestoreDisplayMode();
        (void)display_->SetCooperativeLevel(window_, DDSCL_NORMAL);
        display_.Reset();
    }
    if (window_ != nullptr) (void)RemoveWindowSubclass(window_, LeaveOnDestroy, kLeaveOnDestroyId);
    window_ = nullptr;
    switched_ = false;
}

HDC DisplayModeSwitch::BeginFrame() {
    if (!backBuffer_.IsValid()) return nullptr;
    HDC dc = nullptr;
    HRESULT result = backBuffer_->GetDC(&dc);
    // Another program or a mode change may take the video memory away; it comes back empty.
    if (result == DDERR_SURFACELOST && SUCCEEDED(primary_->Restore())) result = backBuffer_->GetDC(&dc);
    return SUCCEEDED(result) ? dc : nullptr;
}

void DisplayModeSwitch::PresentFrame(HDC dc) {
    if (dc == nullptr || !backBuffer_.IsValid()) return;
    (void)backBuffer_->ReleaseDC(dc);
    (void)primary_->Flip(nullptr, DDFLIP_WAIT);
}

LRESULT CALLBACK DisplayModeSwitch::LeaveOnDestroy(HWND window,
                                                   UINT message,
                                                   WPARAM wParam,
                                                   LPARAM lParam,
                                                   UINT_PTR,
                                                   DWORD_PTR data) noexcept {
    if (message == WM_DESTROY) reinterpret_cast<DisplayModeSwitch*>(data)->Leave();
    return DefSubclassProc(window, message, wParam, lParam);
}
