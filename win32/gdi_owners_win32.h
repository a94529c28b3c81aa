// Owners of GDI objects and device contexts. Each deletes or releases its handle once; none
// can be copied, and those that outlive a scope can be moved.
//
//     MemoryDc memory(CreateCompatibleDC(target));
//     OwnedBitmap bitmap(CreateCompatibleBitmap(target, width, height));
//     ScopedSelect selected(memory.Get(), bitmap.Get());  // put back before the two go away
//
// Declare an object before the context it is selected into: the context is then deleted
// first, which lets go of the object, and the object can be deleted after it.
#pragma once

#include <windows.h>

#include <utility>

#include "win32/unique_handle.h"

using OwnedBitmap = UniqueHandle<HandleClosedBy<HBITMAP, DeleteObject>>;
using OwnedBrush = UniqueHandle<HandleClosedBy<HBRUSH, DeleteObject>>;
using OwnedFont = UniqueHandle<HandleClosedBy<HFONT, DeleteObject>>;
using OwnedPalette = UniqueHandle<HandleClosedBy<HPALETTE, DeleteObject>>;
using OwnedRegion = UniqueHandle<HandleClosedBy<HRGN, DeleteObject>>;
// Not a GDI object, but owned the same way: a loaded menu, destroyed with its popups.
using OwnedMenu = UniqueHandle<HandleClosedBy<HMENU, DestroyMenu>>;

// An icon loaded or made for this program alone (LoadImage without LR_SHARED, CreateIcon...).
using OwnedIcon = UniqueHandle<HandleClosedBy<HICON, DestroyIcon>>;

// A context made by CreateCompatibleDC (or CreateDC), deleted with DeleteDC.
using MemoryDc = UniqueHandle<HandleClosedBy<HDC, DeleteDC>>;

// The common context of a window (GetDC; null for the screen), given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        std::swap(window_, other.window_);
        std::swap(dc_, other.dc_);
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    [[nodiscard]] HDC Get() const noexcept { return dc_; }
    [[nodiscard]] bool IsValid() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The context of one WM_PAINT (BeginPaint), ended with EndPaint. Bound to its message, so it
// cannot be moved.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window) { BeginPaint(window_, &paint_); }
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    [[nodiscard]] HDC Get() const noexcept { return paint_.hdc; }
    [[nodiscard]] const RECT& Area() const noexcept { return paint_.rcPaint; }  // what needs painting

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
};

// Selects an object into a context and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    [[nodiscard]] bool Succeeded() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects and realises a palette (when one is given) and puts the previous one back.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HPALETTE palette) noexcept : dc_(dc) {
        if (palette == nullptr) return;
        previous_ = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    ~ScopedPalette() {
        if (previous_ != nullptr) SelectPalette(dc_, previous_, FALSE);
    }
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
};
