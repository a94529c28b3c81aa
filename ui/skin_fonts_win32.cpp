#include "ui/skin_fonts_win32.h"

#include "ui/skin_record.h"
#include "ui/window_helpers_win32.h"
#include "win32/gdi_owners_win32.h"

namespace {

// Written at start-up and at exit on the main thread only; read-only in between.
OwnedFont g_fonts[kSkinFontCount];

}  // namespace

bool CreateSkinFonts() {
    DeleteSkinFonts();
    for (uint8_t index = 0; index < kSkinFontCount; ++index) {
        SkinFontStyle style;
        if (!GetSkinFontStyle(index, style)) return false;
        g_fonts[index].Reset(CreateFontA(style.height, 0, 0, 0, style.bold ? FW_BOLD : FW_DONTCARE, FALSE,
                                         style.underline ? TRUE : FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
        if (!g_fonts[index].IsValid()) {
            DeleteSkinFonts();
            return false;
        }
    }
    return true;
}

void DeleteSkinFonts() {
    for (OwnedFont& font : g_fonts) font.Reset();
}

HFONT SkinFont(uint8_t index) {
    return index < kSkinFontCount ? g_fonts[index].Get() : nullptr;
}

void DialogSkinFont::Create(HWND window, uint8_t index) {
    index_ = index;
    scaled_.Reset();
    LOGFONTA description = {};
    HFONT font = SkinFont(index);
    if (font == nullptr || GetObjectA(font, sizeof description, &description) == 0) return;
    const LONG height = ScaledPixels(window, description.lfHeight);
    if (height == description.lfHeight) return;
    description.lfHeight = height;
    description.lfWidth = ScaledPixels(window, description.lfWidth);
    scaled_.Reset(CreateFontIndirectA(&description));
}

HFONT DialogSkinFont::Get() const {
    return scaled_.IsValid() ? scaled_.Get() : SkinFont(index_);
}
