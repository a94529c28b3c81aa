#include "ui/skin_win32.h"

#include <cstring>

#include "base/bounded_reader.h"
#include "ui/bmp_image.h"
#include "ui/localization/language.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/skin_fonts_win32.h"

namespace {

WNDPROC g_skinnedControlProcedure = nullptr;

// Controls whose windows set their own picture later (the main window's preview and the
// notification's thumbnail).
bool SetsItsOwnPicture(uint32_t controlId) {
    return controlId == 106 || controlId == 124;
}

HBITMAP MakeBlockBitmap(const SkinBlockView& block, HWND window, int* width = nullptr, int* height = nullptr) {
    OwnedRgbImage image;
    if (!DecodeBmpBlock(block.data, block.size, image)) return nullptr;
    ResourceBitmap bitmap = MakeBitmapFromImage(image.View(), window);
    if (width != nullptr) *width = bitmap.width;
    if (height != nullptr) *height = bitmap.height;
    return bitmap.bitmap;
}

void CopyText(char (&to)[kSkinMaxString + 1], const char* from) {
    std::strncpy(to, from, kSkinMaxString);
    to[kSkinMaxString] = '\0';
}

SkinElement MakeElement(const SkinElementRecord& record, HWND parent) {
    SkinElement element;
    CopyText(element.text, record.text);
    CopyText(element.className, record.className);
    std::memcpy(element.language, record.language, sizeof element.language);
    element.kind = record.kind;
    element.controlId = record.controlId;
    element.x = record.x;
    element.y = record.y;
    element.width = record.width;
    element.height = record.height;
    element.style = record.style;
    element.extendedStyle = record.extendedStyle;
    element.cursor = record.cursor;
    element.nextId = record.nextId;
    element.previousId = record.previousId;
    element.fontIndex = record.fontIndex;
    element.textColour = record.textColour;
    element.backgroundColour = record.backgroundColour;
    switch (record.kind) {
        case kSkinLabel:
            if (record.backgroundColour != kSkinNoBackgroundColour) {
                element.backgroundBrush = CreateSolidBrush(record.backgroundColour);
            }
            break;
        case kSkinPicture:
            element.picture = MakeBlockBitmap(record.picture, parent);
            break;
        case kSkinButton:
            for (const SkinStatePictureRecord& state : record.statePictures) {
                HBITMAP bitmap = MakeBlockBitmap(state.picture, parent);
                if (bitmap != nullptr) element.statePictures.push_back({state.state, bitmap});
            }
            break;
        default:
            break;
    }
    return element;
}

void CreateElementWindow(SkinElement& element, HWND parent) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    element.window = CreateWindowExA(
        element.extendedStyle, element.className, element.text, element.style | kSkinChildStyle, element.x, element.y,
        element.width, element.height, parent, reinterpret_cast<HMENU>(UINT_PTR{element.controlId}), instance, nullptr);
    if (element.window == nullptr) return;
    if (g_skinnedControlProcedure != nullptr) {
        LONG_PTR previous =
            SetWindowLongPtrA(element.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_skinnedControlProcedure));
        SetWindowLongPtrA(element.window, GWLP_USERDATA, previous);
    }
    if (element.kind == kSkinCustom || element.kind == kSkinLabel) {
        HFONT font = SkinFont(element.fontIndex);
        if (font != nullptr) SendMessageA(element.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (element.kind == kSkinPicture && element.picture != nullptr && !SetsItsOwnPicture(element.controlId)) {
        SendMessageA(element.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(element.picture));
    }
}

}  // namespace

int ParseSkin(const unsigned char* record,
              size_t size,
              Skin& skin,
              HWND parent,
              bool withBackground,
              bool createWindows) {
    skin = Skin();
    BoundedReader in(record, record != nullptr ? size : 0);
    SkinRecordHeader header;
    int result = ReadSkinHeader(in, withBackground, header);
    if (result != kSkinOk) return result;
    CopyText(skin.name, header.name);
    if (withBackground) {
        skin.background = MakeBlockBitmap(header.background, parent, &skin.backgroundWidth, &skin.backgroundHeight);
        if (skin.background == nullptr) {
            skin = Skin();
            return kSkinNoBackground;
        }
    }
    std::vector<SkinElementRecord> records;
    if (ReadSkinElements(in, LanguageCode(), records) != kSkinOk) {
        FreeSkin(skin);
        return kSkinWrongFormat;
    }
    skin.elements.reserve(records.size());
    for (const SkinElementRecord& elementRecord : records) {
        skin.elements.push_back(MakeElement(elementRecord, parent));
        if (createWindows) CreateElementWindow(skin.elements.back(), parent);
    }
    return kSkinOk;
}

void FreeSkin(Skin& skin) {
    for (auto element = skin.elements.rbegin(); element != skin.elements.rend(); ++element) {
        if (element->backgroundBrush != nullptr) DeleteObject(element->backgroundBrush);
        if (element->picture != nullptr) DeleteObject(element->picture);
        for (const SkinStatePicture& state : element->statePictures) DeleteObject(state.bitmap);
        if (element->window != nullptr) DestroyWindow(element->window);
    }
    if (skin.background != nullptr) DeleteObject(skin.background);
    skin = Skin();
}

SkinElement* FindElementByWindow(Skin& skin, HWND window) {
    if (window == nullptr) return nullptr;
    for (auto element = skin.elements.rbegin(); element != skin.elements.rend(); ++element) {
        if (element->window == window) return &*element;
    }
    return nullptr;
}

SkinElement* FindElementById(Skin& skin, uint32_t controlId) {
    for (auto element = skin.elements.rbegin(); element != skin.elements.rend(); ++element) {
        if (element->controlId == controlId) return &*element;
    }
    return nullptr;
}

HBITMAP FindStatePicture(const SkinElement& element, uint8_t state) {
    for (auto picture = element.statePictures.rbegin(); picture != element.statePictures.rend(); ++picture) {
        if (picture->state == state) return picture->bitmap;
    }
    return nullptr;
}

void SetSkinnedControlProcedure(WNDPROC procedure) {
    g_skinnedControlProcedure = procedure;
}
