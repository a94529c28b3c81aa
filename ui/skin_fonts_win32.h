// The sixteen interface fonts that skins refer to by index (ui/skin_record.h, GetSkinFontStyle):
// Arial in 18, 9, 8 and 7 points at a fixed 96 dots per inch, regular or bold, with or
// without underline. Created once at start-up before any skinned window, read by every
// window, deleted at exit. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "win32/gdi_owners_win32.h"

// Creates the fonts (again after DeleteSkinFonts); false when one cannot be made.
[[nodiscard]] bool CreateSkinFonts();
void DeleteSkinFonts();

// The font of an index 0..15, or nullptr above 15 or before CreateSkinFonts.
[[nodiscard]] HFONT SkinFont(uint8_t index);

// A skin font for a control of a dialog: on a scaled display the dialog grows, and so does
// this copy of the font, made for the window's resolution and owned here (keep it as long as
// the control). On an unscaled display, or when no copy can be made, it is the skin font.
class DialogSkinFont {
public:
    void Create(HWND window, uint8_t index);
    [[nodiscard]] HFONT Get() const;

private:
    uint8_t index_ = 0;
    OwnedFont scaled_;
};
