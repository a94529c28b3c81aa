#include "ui/dialog_bitmap_win32.h"

#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "ui/resource_bitmap_win32.h"
#include "ui/skin_record.h"
#include "ui/window_helpers_win32.h"
#include "win32/gdi_bridge_win32.h"

namespace {

struct DialogBitmap {
    char entryName[kSkinMaxString + 1] = {};
    bool transparent = false;
    COLORREF keyColour = 0;
    ResourceBitmap bitmap;  // empty when the entry could not be made
};

// The record travels to the window by the creation parameter: WM_NCCREATE takes it from the
// creator's owner, so that it has one owner at every moment, even when creation fails.
using PendingBitmap = std::unique_ptr<DialogBitmap>;

DialogBitmap* BitmapOf(HWND window) {
    return reinterpret_cast<DialogBitmap*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The pictures are drawn for 96 dots per inch: on a scaled display the control is larger, and
// the picture is stretched to it once. Pixels are repeated, never blended, so that the key
// colour stays exact and leaves no fringe.
void FitToWindow(ResourceBitmap& picture, HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    if (!picture.bitmap.IsValid() || client.right <= 0 || client.bottom <= 0 ||
        (client.right == picture.width && client.bottom == picture.height)) {
        return;
    }
    WindowDc screen(window);
    OwnedBitmap scaled(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    MemoryDc source(CreateCompatibleDC(screen.Get())), target(CreateCompatibleDC(screen.Get()));
    if (!scaled.IsValid() || !source.IsValid() || !target.IsValid()) return;  // drawn at its own size
    {
        ScopedSelect from(source.Get(), picture.bitmap.Get());
        ScopedSelect into(target.Get(), scaled.Get());
        SetStretchBltMode(target.Get(), COLORONCOLOR);
        if (!StretchBlt(target.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, picture.width,
                        picture.height, SRCCOPY)) {
            return;
        }
    }
    picture.bitmap = std::move(scaled);
    picture.width = client.right;
    picture.height = client.bottom;
}

void OnCreate(DialogBitmap& record, HWND window) {
    record.bitmap = LoadResourceBitmap(record.entryName, window);
    FitToWindow(record.bitmap, window);
}

LRESULT OnEraseBackground(const DialogBitmap& record, HDC dc) {
    if (!record.bitmap.bitmap.IsValid()) return 1;
    // A picture that cannot be drawn leaves the dialog's face; there is nothing else to show.
    if (record.transparent) {
        (void)DrawBitmapTransparent(dc, record.bitmap.bitmap.Get(), 0, 0, record.keyColour);
    } else {
        (void)DrawBitmapToDc(dc, record.bitmap.bitmap.Get(), 0, 0, record.bitmap.width, record.bitmap.height, nullptr);
    }
    return 1;
}

LRESULT CALLBACK DialogBitmapProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* pending = static_cast<PendingBitmap*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pending->release()));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    DialogBitmap* record = BitmapOf(window);
    if (record == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            OnCreate(*record, window);
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(*record, reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete record;
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

POINT ReferenceCorner(HWND dialog, int referenceId) {
    POINT corner = {0, 0};
    HWND reference = referenceId != 0 ? GetDlgItem(dialog, referenceId) : nullptr;
    RECT rect;
    if (reference == nullptr || !GetWindowRect(reference, &rect)) return corner;
    corner = {rect.left, rect.top};
    ScreenToClient(dialog, &corner);
    return corner;
}

}  // namespace

bool RegisterDialogBitmapClass() {
    return RegisterProgramWindowClass(kDialogBitmapClass, DialogBitmapProcedure, true);
}

bool CreateDialogBitmap(HWND dialog,
                        int referenceId,
                        int dx,
                        int dy,
                        int width,
                        int height,
                        const char* entryName,
                        bool transparent,
                        COLORREF keyColour) {
    if (entryName == nullptr || !RegisterDialogBitmapClass()) return false;
    PendingBitmap record(new (std::nothrow) DialogBitmap);
    if (record == nullptr) return false;
    std::snprintf(record->entryName, sizeof record->entryName, "%s", entryName);
    record->transparent = transparent;
    record->keyColour = keyColour;
    char title[sizeof record->entryName + 40];
    std::snprintf(title, sizeof title, "Tapestrique - Dialog Bitmap - %s", record->entryName);
    const POINT corner = ReferenceCorner(dialog, referenceId);
    HWND window = CreateWindowExA(0, kDialogBitmapClass, title, WS_CHILD | WS_VISIBLE, corner.x + dx, corner.y + dy,
                                  ScaledPixels(dialog, width), ScaledPixels(dialog, height), dialog, nullptr,
                                  GetModuleHandleA(nullptr), &record);
    return window != nullptr;
}
