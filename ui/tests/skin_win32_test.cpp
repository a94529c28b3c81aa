// Skins made into bitmaps and windows (Windows build, run under Wine).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/language.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skin_win32.h"
#include "ui/tests/skin_test_support_win32.h"

namespace {

using skin_test::Element;
using skin_test::Record;
using skin_test::SolidBmp;

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    MemoryDc memory(CreateCompatibleDC(nullptr));
    ScopedSelect selected(memory.Get(), bitmap);
    return GetPixel(memory.Get(), x, y);
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
        parent_ = skin_test::CreateParentWindow("TapestriqueSkinTest_WndClass", DefWindowProcA, nullptr, 200, 120);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DeleteSkinFonts();
    }
    HWND parent_ = nullptr;
};

}  // namespace

TEST_F(SkinWindows, ElementsOfTheLanguageWithTheirPicturesAndBrushes) {
    ByteVector record = Record(MainLikeSkin());
    Skin skin;
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, parent_, true, false), 0);
    EXPECT_STREQ(skin.name, "Test");
    EXPECT_EQ(skin.backgroundWidth, 200);
    EXPECT_EQ(skin.backgroundHeight, 120);
    ASSERT_TRUE(skin.background.IsValid());
    EXPECT_EQ(BitmapPixel(skin.background.Get(), 5, 5), RGB(10, 20, 30));
    ASSERT_EQ(skin.elements.size(), 7u);  // the Spanish button is left out

    SkinElement* solid = FindElementById(skin, 101);
    ASSERT_NE(solid, nullptr);
    EXPECT_TRUE(solid->backgroundBrush.IsValid());
    EXPECT_FALSE(FindElementById(skin, 102)->backgroundBrush.IsValid());
    EXPECT_EQ(BitmapPixel(FindElementById(skin, 130)->picture.Get(), 0, 0), RGB(0, 0, 200));
    EXPECT_FALSE(FindElementById(skin, 131)->picture.IsValid()) << "a picture that cannot be made is dropped";

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
    HGDIOBJ background = skin.background.Get();
    FreeSkin(skin);
    EXPECT_TRUE(skin.elements.empty());
    EXPECT_FALSE(skin.background.IsValid());
    EXPECT_EQ(GetObjectType(background), 0u) << "the background bitmap is deleted";

    ASSERT_TRUE(SetLanguageIndex(kLanguageSpanish));
    ASSERT_EQ(ParseSkin(record.data(), record.size(), skin, parent_, true, false), 0);
    ASSERT_NE(FindElementById(skin, 103), nullptr);
    EXPECT_STREQ(FindElementById(skin, 103)->language, "ES");
    FreeSkin(skin);
}

TEST_F(SkinWindows, ChildWindowsWithClassesStylesFontsAndPictures) {
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
        EXPECT_EQ(GetWindowLongPtrA(element->window, GWLP_USERDATA), 0) << "the user data of " << e.id << " stays free";
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
    EXPECT_TRUE(FindElementById(skin, 106)->picture.IsValid()) << "but the skin keeps it as the default";

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
    EXPECT_FALSE(skin.background.IsValid());
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
        EXPECT_FALSE(skin.background.IsValid()) << c.description;
        EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr) << c.description;
    }
    Skin skin;
    EXPECT_EQ(ParseSkin(nullptr, 0, skin, parent_, true, true), 3);
}

TEST_F(SkinWindows, EveryBuiltSkinOpensInEveryLanguage) {
    SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetLanguageIndex(language));
        for (const SkinControlSet& c : kBuiltInSkins) {
            SCOPED_TRACE(std::string(c.entry) + " " + LanguageCode());
            unsigned char* record = nullptr;
            uint32_t size = 0;
            ASSERT_EQ(LoadDataResource(c.entry, &record, &size), 0);
            Skin skin;
            EXPECT_EQ(ParseSkin(record, size, skin, parent_, c.withBackground, c.withBackground), 0);
            std::free(record);
            EXPECT_EQ(skin.elements.size(), c.controls.size());
            for (const SkinElement& element : skin.elements) {
                EXPECT_EQ(element.window != nullptr, c.withBackground) << element.controlId;
                if (element.kind == kSkinButton) {
                    EXPECT_EQ(element.statePictures.size(), 7u) << element.controlId;
                }
                if (element.kind == kSkinPicture) {
                    EXPECT_TRUE(element.picture.IsValid()) << element.controlId;
                }
            }
            FreeSkin(skin);
        }
    }
}
