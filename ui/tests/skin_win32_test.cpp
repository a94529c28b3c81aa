// Skins made into bitmaps and windows (Windows build, run under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "ui/data_resource.h"
#include "ui/localization/language.h"
#include "ui/skin_win32.h"
#include "ui/skin_builder.h"
#include "ui/skin_fonts_win32.h"

namespace {

// A 24-bit BMP file image of one colour.
ByteVector SolidBmp(int width, int height, COLORREF colour) {
    int stride = (width * 3 + 3) & ~3;
    ByteVector bmp(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t at = 54 + static_cast<size_t>(y) * stride + x * 3;
            bmp[at] = GetBValue(colour);
            bmp[at + 1] = GetGValue(colour);
            bmp[at + 2] = GetRValue(colour);
        }
    }
    return bmp;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

SkinElementSource Element(uint8_t kind, uint32_t id, const char* language = "**") {
    SkinElementSource element;
    element.text = "Element " + std::to_string(id);
    element.language = language;
    element.kind = kind;
    element.controlId = id;
    element.x = 10;
    element.y = 10;
    element.width = 40;
    element.height = 20;
    return element;
}

ByteVector Record(const SkinSource& source) {
    ByteVector record;
    std::string error;
    EXPECT_TRUE(BuildSkinRecord(source, record, error)) << error;
    return record;
}

SkinSource MainLikeSkin() {
    SkinSource source;
    source.name = "Test";
    source.hasBackground = true;
    source.background = SolidBmp(200, 120, RGB(10, 20, 30));
    SkinElementSource list = Element(kSkinCustom, 107);
    list.className = "listbox";
    list.style = 0x00A00003;  // WS_VSCROLL | WS_BORDER | LBS_SORT | LBS_NOTIFY (an empty list hides its bar)
    list.fontIndex = 2;
    SkinElementSource solid = Element(kSkinLabel, 101);
    solid.fontIndex = 5;
    solid.backgroundColour = RGB(255, 255, 255);
    SkinElementSource clear = Element(kSkinLabel, 102);
    clear.fontIndex = 200;
    SkinElementSource preview = Element(kSkinPicture, 106);
    preview.picture = SolidBmp(40, 20, RGB(0, 200, 0));
    SkinElementSource logo = Element(kSkinPicture, 130);
    logo.picture = SolidBmp(40, 20, RGB(0, 0, 200));
    SkinElementSource broken = Element(kSkinPicture, 131);
    broken.picture = {'n', 'o', 't', ' ', 'B', 'M'};
    SkinElementSource english = Element(kSkinButton, 103, "en");
    english.statePictures = {{1, SolidBmp(40, 20, RGB(255, 0, 0))},
                             {5, SolidBmp(40, 20, RGB(0, 255, 0))},
                             {1, SolidBmp(40, 20, RGB(0, 0, 255))},
                             {7, {'x'}}};
    SkinElementSource spanish = Element(kSkinButton, 103, "ES");
    spanish.statePictures = {{1, SolidBmp(40, 20, RGB(1, 2, 3))}};
    source.elements = {list, solid, clear, preview, logo, broken, english, spanish};
    return source;
}

class SkinWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetLanguageIndex(kLanguageEnglish));
        ASSERT_TRUE(CreateSkinFonts());
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TapestriqueSkinTest_WndClass";
        RegisterClassA(&windowClass);
        parent_ = CreateWindowExA(0, windowClass.lpszClassName, "Skin test", WS_POPUP, 0, 0, 200, 120, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        SetSkinnedControlProcedure(nullptr);
        DestroyWindow(parent_);
        DeleteSkinFonts();
    }
    HWND parent_ = nullptr;
};

std::vector<UINT> g_hookedMessages;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    g_hookedMessages.push_back(message);
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace

TEST_F(SkinWindows, ElementsOfTheLanguageWithTheirPicturesAndBrushes) {
    ByteVector record = Record(MainLikeSkin());
    Skin skin;
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, parent_, true, false), 0);
    EXPECT_STREQ(skin.name, "Test");
    EXPECT_EQ(skin.backgroundWidth, 200);
    EXPECT_EQ(skin.backgroundHeight, 120);
    ASSERT_NE(skin.background, nullptr);
    EXPECT_EQ(BitmapPixel(skin.background, 5, 5), RGB(10, 20, 30));
    ASSERT_EQ(skin.elements.size(), 7u);  // the Spanish button is left out

    SkinElement* solid = FindElementById(skin, 101);
    ASSERT_NE(solid, nullptr);
    EXPECT_NE(solid->backgroundBrush, nullptr);
    EXPECT_EQ(FindElementById(skin, 102)->backgroundBrush, nullptr);
    EXPECT_EQ(BitmapPixel(FindElementById(skin, 130)->picture, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(FindElementById(skin, 131)->picture, nullptr) << "a picture that cannot be made is dropped";

    SkinElement* button = FindElementById(skin, 103);
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(button->language, "en");
    EXPECT_EQ(button->style, 0x0Bu);
    ASSERT_EQ(button->statePictures.size(), 3u) << "the state picture that cannot be made is left out";
    EXPECT_EQ(BitmapPixel(FindStatePicture(*button, 1), 3, 3), RGB(0, 0, 255)) << "the last state 1 wins";
    EXPECT_EQ(BitmapPixel(FindStatePicture(*button, 5), 3, 3), RGB(0, 255, 0));
    EXPECT_EQ(FindStatePicture(*button, 7), nullptr);
    EXPECT_EQ(FindStatePicture(*button, 0), nullptr);
    EXPECT_EQ(button->window, nullptr);
    FreeSkin(skin);
    EXPECT_TRUE(skin.elements.empty());
    EXPECT_EQ(skin.background, nullptr);

    ASSERT_TRUE(SetLanguageIndex(kLanguageSpanish));
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, parent_, true, false), 0);
    ASSERT_NE(FindElementById(skin, 103), nullptr);
    EXPECT_STREQ(FindElementById(skin, 103)->language, "ES");
    FreeSkin(skin);
}

TEST_F(SkinWindows, ChildWindowsWithClassesStylesFontsAndPictures) {
    g_hookedMessages.clear();
    SetSkinnedControlProcedure(RecordingProcedure);
    ByteVector record = Record(MainLikeSkin());
    Skin skin;
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, parent_, true, true), 0);
    struct Expected {
        uint32_t id;
        const char* className;
        LONG styleBits;
    } expected[] = {{107, "listbox", 0x50800003}, {101, "static", 0x50000180}, {102, "static", 0x50000180},
                    {106, "static", 0x5000010E},  {130, "static", 0x5000010E}, {103, "button", 0x5000000B}};
    for (const Expected& e : expected) {
        SkinElement* element = FindElementById(skin, e.id);
        ASSERT_NE(element, nullptr) << e.id;
        ASSERT_NE(element->window, nullptr) << e.id;
        EXPECT_EQ(GetDlgCtrlID(element->window), static_cast<int>(e.id));
        EXPECT_EQ(GetParent(element->window), parent_);
        char className[64] = {};
        GetClassNameA(element->window, className, sizeof className);
        EXPECT_STREQ(CharLowerA(className), e.className) << e.id;
        EXPECT_EQ(GetWindowLongA(element->window, GWL_STYLE) & e.styleBits, e.styleBits) << e.id;
        EXPECT_NE(GetWindowLongPtrA(element->window, GWLP_USERDATA), 0) << "previous procedure of " << e.id;
        EXPECT_EQ(FindElementByWindow(skin, element->window), element);
        RECT rect;
        GetWindowRect(element->window, &rect);
        EXPECT_EQ(rect.right - rect.left, 40);
    }
    auto font = [&](uint32_t id) {
        return reinterpret_cast<HFONT>(SendMessageA(FindElementById(skin, id)->window, WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(font(107), SkinFont(2));
    EXPECT_EQ(font(101), SkinFont(5));
    EXPECT_NE(font(102), SkinFont(2));  // index 200: the class's own font
    auto image = [&](uint32_t id) {
        return reinterpret_cast<HBITMAP>(
            SendMessageA(FindElementById(skin, id)->window, STM_GETIMAGE, IMAGE_BITMAP, 0));
    };
    EXPECT_NE(image(130), nullptr);
    EXPECT_EQ(image(106), nullptr) << "the preview sets its own picture";
    EXPECT_NE(FindElementById(skin, 106)->picture, nullptr) << "but the skin keeps it as the default";

    g_hookedMessages.clear();
    SetFocus(FindElementById(skin, 107)->window);
    SendMessageA(FindElementById(skin, 103)->window, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_NE(std::find(g_hookedMessages.begin(), g_hookedMessages.end(), static_cast<UINT>(WM_KEYDOWN)),
              g_hookedMessages.end());

    HWND list = FindElementById(skin, 107)->window;
    FreeSkin(skin);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr);
}

TEST_F(SkinWindows, PictureSetsAndRenumberedIds) {
    SkinSource source;
    for (uint32_t id : {128u, 129u, 130u, 131u}) {
        SkinElementSource button = Element(kSkinButton, id);
        button.statePictures = {{0, SolidBmp(26, 24, RGB(9, 9, 9))}, {1, SolidBmp(26, 24, RGB(id, 0, 0))}};
        source.elements.push_back(button);
    }
    ByteVector record = Record(source);
    Skin skin;
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, nullptr, false, false), 0);
    ASSERT_EQ(skin.elements.size(), 4u);
    EXPECT_EQ(skin.background, nullptr);
    for (SkinElement& element : skin.elements) {
        EXPECT_EQ(element.window, nullptr);
        EXPECT_EQ(element.statePictures.size(), 2u);
        element.controlId += 1053 - 128;
    }
    EXPECT_EQ(FindElementById(skin, 128), nullptr);
    SkinElement* play = FindElementById(skin, 1055);
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(BitmapPixel(FindStatePicture(*play, 1), 0, 0), RGB(130, 0, 0));
    FreeSkin(skin);
    FreeSkin(skin);  // an empty skin is fine
}

TEST_F(SkinWindows, RefusedRecordsLeaveNothing) {
    SkinSource source = MainLikeSkin();
    ByteVector good = Record(source);
    source.background = {'B', 'M', 0, 0};
    ByteVector badBackground = Record(source);
    ByteVector badMagic = good;
    badMagic[0] = 'X';
    ByteVector cut(good.begin(), good.end() - 4);
    struct Case {
        const char* description;
        const ByteVector* record;
        int expected;
    } cases[] = {{"background that is not a picture", &badBackground, 1},
                 {"wrong magic", &badMagic, 3},
                 {"no end marker", &cut, 3}};
    for (const Case& c : cases) {
        Skin skin;
        EXPECT_EQ(ParseSkin(c.record->data(), c.record->size(), skin, parent_, true, true), c.expected)
            << c.description;
        EXPECT_TRUE(skin.elements.empty()) << c.description;
        EXPECT_EQ(skin.background, nullptr) << c.description;
        EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr) << c.description;
    }
    Skin skin;
    EXPECT_EQ(ParseSkin(nullptr, 0, skin, parent_, true, true), 3);
}

TEST_F(SkinWindows, EveryBuiltSkinOpensInEveryLanguage) {
    SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
    struct Case {
        const char* entry;
        bool window;
        size_t controls;
    } cases[] = {{"SkinDefault", true, 17},
                 {"SkinInitialization", true, 2},
                 {"SkinNewImage", true, 4},
                 {"SkinDialogSettingsScreensaver", false, 4}};
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetLanguageIndex(language));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.entry) + " " + LanguageCode());
            unsigned char* record = nullptr;
            uint32_t size = 0;
            ASSERT_EQ(LoadDataResource(c.entry, &record, &size), 0);
            Skin skin;
            EXPECT_EQ(ParseSkin(record, size, skin, parent_, c.window, c.window), 0);
            std::free(record);
            EXPECT_EQ(skin.elements.size(), c.controls);
            for (const SkinElement& element : skin.elements) {
                EXPECT_EQ(element.window != nullptr, c.window) << element.controlId;
                if (element.kind == kSkinButton) {
                    EXPECT_EQ(element.statePictures.size(), 7u) << element.controlId;
                }
                if (element.kind == kSkinPicture) {
                    EXPECT_NE(element.picture, nullptr) << element.controlId;
                }
            }
            FreeSkin(skin);
        }
    }
}
