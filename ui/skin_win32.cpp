#include "ui/skin_win32.h"

#include <cstring>

#include "base/bounded_reader.h"
#include "ui/bmp_image.h"
#include "ui/control_ids.h"
#include "ui/control_subclasses_win32.h"
#include "ui/localization/language.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/skin_fonts_win32.h"

namespace {

ResourceBitmap MakeBlockBitmap(const SkinBlockView& block, HWND window) {
    OwnedRgbImage image;
    if (!DecodeBmpBlock(block.data, block.size, image)) return ResourceBitmap();
    return MakeBitmapFromImage(image.View(), window);
}

// The record's strings are NUL-terminated within the same 128 bytes as the skin's.
void CopyText(char (&to)[kSkinMaxString + 1], const char (&from)[kSkinMaxString + 1]) {
    std::memcpy(to, from, sizeof to);
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
                element.backgroundBrush.Reset(CreateSolidBrush(record.backgroundColour));
            }
            break;
        case kSkinPicture:
            element.picture = MakeBlockBitmap(record.picture, parent).bitmap;
            break;
        case kSkinButton:
            for (const SkinStatePictureRecord& state : record.statePictures) {
                ResourceBitmap picture = MakeBlockBitmap(state.picture, parent);
                if (picture.bitmap.IsValid()) element.statePictures.push_back({state.state, std::move(picture.bitmap)});
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
    (void)SubclassSkinnedControl(element.window);  // without it the control still works, only unskinned
    if (element.kind == kSkinCustom || element.kind == kSkinLabel) {
        HFONT font = SkinFont(element.fontIndex);
        if (font != nullptr) SendMessageA(element.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (element.kind == kSkinPicture && element.picture.IsValid() && !SetsItsOwnPicture(element.controlId)) {
        SendMessageA(element.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(element.picture.Get()));
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
        ResourceBitmap background = MakeBlockBitmap(header.background, parent);
        if (!background.bitmap.IsValid()) {
            skin = Skin();
            return kSkinNoBackground;
        }
        skin.background = std::move(background.bitmap);
        skin.backgroundWidth = background.width;
        skin.backgroundHeight = background.height;
    }
    std::vector<SkinElementRecord> records;
    if (ReadSkinElements(in, LanguageCode(), records) != kSkinOk) {
        skin = Skin();
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
    // A control goes before the pictures it shows.
    while (!skin.elements.empty()) {
        if (skin.elements.back().window != nullptr) DestroyWindow(skin.elements.back().window);
        skin.elements.pop_back();
    }
    skin = Skin();
}

SkinElement* FindElementByWindow(Skin& skin, HWND window) {
    if (window == nullptr) return nullptr;
    for (auto element = skin.elements.rbegin(); element != skin.elements.rend(); ++element) {
        if (element->window == window) return &*element;
    }
    return nullptr;
}

const SkinElement* FindElementByWindow(const Skin& skin, HWND window) {
    return FindElementByWindow(const_cast<Skin&>(skin), window);
}

SkinElement* FindElementById(Skin& skin, uint32_t controlId) {
    for (auto element = skin.elements.rbegin(); element != skin.elements.rend(); ++element) {
        if (element->controlId == controlId) return &*element;
    }
    return nullptr;
}

const SkinElement* FindElementById(const Skin& skin, uint32_t controlId) {
    return FindElementById(const_cast<Skin&>(skin), controlId);
}

HBITMAP FindStatePicture(const SkinElement& element, uint8_t state) {
    for (auto picture = element.statePictures.rbegin(); picture != element.statePictures.rend(); ++picture) {
        if (picture->state == state) return picture->bitmap.Get();
    }
    return nullptr;
}
