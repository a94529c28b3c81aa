// Small owners of GDI handles for the codec's Windows bridge. None can be copied.
#pragma once

#include <windows.h>

class OwnedBitmap {
public:
    explicit OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~OwnedBitmap() {
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP Get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

class OwnedFont {
public:
    explicit OwnedFont(HFONT font) : font_(font) {}
    ~OwnedFont() {
        if (font_ != nullptr) DeleteObject(font_);
    }
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    HFONT Get() const { return font_; }

private:
    HFONT font_;
};

// A memory device context compatible with another one.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    bool IsValid() const { return dc_ != nullptr; }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a context and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects and realises a palette (when one is given) and puts the previous one back.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HPALETTE palette) : dc_(dc) {
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
