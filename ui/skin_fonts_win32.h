// The sixteen interface fonts that skins refer to by index (ui/skin_record.h, GetSkinFontStyle):
// Arial in 18, 9, 8 and 7 points at a fixed 96 dots per inch, regular or bold, with or
// without underline. Created once at start-up before any skinned window, read by every
// window, deleted at exit. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

// Creates the fonts (again after DeleteSkinFonts); false when one cannot be made.
[[nodiscard]] bool CreateSkinFonts();
void DeleteSkinFonts();

// The font of an index 0..15, or nullptr above 15 or before CreateSkinFonts.
[[nodiscard]] HFONT SkinFont(uint8_t index);
