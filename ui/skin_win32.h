// Skins made real: the parsed skin of a window with its background bitmap and child
// controls (label brushes, pictures, button state pictures, child windows). Windows only;
// the byte layout and its reader are in ui/skin_record.h, the drawing of skinned windows
// and controls in ui/skinned_controls_win32.h.
//
//     Skin skin;
//     int result = ParseSkin(record, size, skin, window, true, true);  // 0, 1 or 3
//     ...
//     FreeSkin(skin);   // destroys the child windows too, before another skin is parsed
//
// A skin is owned by the window that shows it and lives as long as that window. It owns its
// bitmaps and brushes, which go with it whether or not FreeSkin was called; the child
// windows belong to the parent window, which destroys them when it is destroyed itself.
// Nothing in a skin points into the record buffer, which stays the caller's.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/skin_record.h"
#include "win32/gdi_owners_win32.h"

struct SkinStatePicture {
    uint8_t state = 0;
    OwnedBitmap bitmap;
};

struct SkinElement {
    HWND window = nullptr;  // a child of the parent window, which owns it
    char text[kSkinMaxString + 1] = {};
    char className[kSkinMaxString + 1] = {};
    char language[3] = {};
    uint8_t kind = 0;
    uint32_t controlId = 0;
    int x = 0, y = 0, width = 0, height = 0;
    uint32_t style = 0;  // including the bits that the kind adds
    uint32_t extendedStyle = 0;
    uint8_t cursor = 0;
    uint32_t nextId = 0, previousId = 0;
    uint8_t fontIndex = 0xFF;
    COLORREF textColour = 0;
    COLORREF backgroundColour = kSkinNoBackgroundColour;
    OwnedBrush backgroundBrush;                   // kind 1, none for a transparent label
    OwnedBitmap picture;                          // kind 2
    std::vector<SkinStatePicture> statePictures;  // kind 3, file order
};

struct Skin {
    char name[kSkinMaxString + 1] = {};
    OwnedBitmap background;
    int backgroundWidth = 0;
    int backgroundHeight = 0;
    std::vector<SkinElement> elements;
};

// Fills `skin` from a skin record, keeping the elements of the current language (and "**").
// With `withBackground` the record must carry a background picture; with `createWindows`
// every element becomes a child window of `parent`. Returns 0; 3 for a wrong magic or a
// malformed record; 1 when the background picture cannot be made. On failure the skin is
// left empty and nothing stays allocated. `skin` is overwritten: free a previous one first, or
// its windows stay.
[[nodiscard]] int ParseSkin(const unsigned char* record,
                            size_t size,
                            Skin& skin,
                            HWND parent,
                            bool withBackground,
                            bool createWindows);

// Empties the skin: from the last element to the first, destroys the element's window and
// deletes its brush and pictures, then the background. An empty skin is fine.
void FreeSkin(Skin& skin);

// The element with that window or control id, searching from the last element (the last
// match wins); nullptr when there is none.
[[nodiscard]] SkinElement* FindElementByWindow(Skin& skin, HWND window);
[[nodiscard]] const SkinElement* FindElementByWindow(const Skin& skin, HWND window);
[[nodiscard]] SkinElement* FindElementById(Skin& skin, uint32_t controlId);
[[nodiscard]] const SkinElement* FindElementById(const Skin& skin, uint32_t controlId);

// The picture of a button element for a state number, searching its list from the end (the
// last match wins); nullptr when it has none.
[[nodiscard]] HBITMAP FindStatePicture(const SkinElement& element, uint8_t state);
