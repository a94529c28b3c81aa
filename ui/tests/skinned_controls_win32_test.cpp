// What a skinned window shows and hears, drawn into DIB-section frames: each button state's
// picture (and nothing for a state without one), label colours and brushes, the background;
// and the controls' subclass, which reports focus and keys to a window that keeps its state
// in its user data.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ui/localization/language.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skinned_controls_win32.h"
#include "ui/tests/skin_test_support_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/dib_frame_win32.h"
#include "win32/window_state_win32.h"

namespace {

using skin_test::Element;
using skin_test::Record;
using skin_test::SolidBmp;

constexpr uint8_t kStates[] = {kButtonDisabled,     kButtonNormal,  kButtonNormalFocused, kButtonHover,
                               kButtonHoverFocused, kButtonPressed, kButtonPressedFocused};
constexpr uint32_t kFullButton = 103, kSparseButton = 104, kSolidLabel = 101, kClearLabel = 102;
constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr uint32_t kUntouched = 0x00C0FFEE;

COLORREF StateColour(uint8_t state) {
    return RGB(20 + state * 25, 7 * state, 200 - state * 15);
}

uint32_t AsFramePixel(COLORREF colour) {
    return FramePixel(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// What the test window hears from its controls.
struct ListeningWindow {
    std::vector<HWND> focusReports;
    std::vector<WPARAM> keysDown;
};

LRESULT CALLBACK ListeningProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ListeningWindow* state = AttachedWindowState<ListeningWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_APP_SET_FOCUS_CONTROL:
            state->focusReports.push_back(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_KEYDOWN:
            state->keysDown.push_back(wParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

class SkinnedControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetLanguageIndex(kLanguageEnglish));
        ASSERT_TRUE(CreateSkinFonts());
        window_ = skin_test::CreateParentWindow("TapestriqueSkinnedControlsTest_WndClass", ListeningProcedure,
                                                &listening_, 60, 40);
        ASSERT_NE(window_, nullptr);

        SkinSource source;
        source.name = "Controls";
        source.hasBackground = true;
        source.background = SolidBmp(60, 40, kBackground);
        SkinElementSource full = Element(kSkinButton, kFullButton);
        for (uint8_t state : kStates) full.statePictures.push_back({state, SolidBmp(40, 20, StateColour(state))});
        SkinElementSource sparse = Element(kSkinButton, kSparseButton);
        sparse.statePictures = {{kButtonNormal, SolidBmp(40, 20, StateColour(kButtonNormal))}};
        SkinElementSource solid = Element(kSkinLabel, kSolidLabel);
        solid.textColour = RGB(1, 2, 3);
        solid.backgroundColour = RGB(255, 255, 255);
        SkinElementSource clear = Element(kSkinLabel, kClearLabel);
        clear.textColour = RGB(4, 5, 6);
        source.elements = {full, sparse, solid, clear};
        ByteVector record = Record(source);
        ASSERT_EQ(ParseSkin(record.data(), record.size(), skin_, window_, true, true), 0);
    }
    void TearDown() override {
        FreeSkin(skin_);
        DestroyWindow(window_);
        DeleteSkinFonts();
    }
    HWND Control(uint32_t id) { return FindElementById(skin_, id)->window; }

    ListeningWindow listening_;
    HWND window_ = nullptr;
    Skin skin_;
};

// Draws the button into a frame of untouched pixels; the colour at its centre.
uint32_t DrawnPixel(const Skin& skin, uint32_t id, HWND control, UINT itemState, HWND hovered) {
    DibFrame frame;
    EXPECT_TRUE(frame.Create(40, 20));
    Frame view = frame.View();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) view.Row(y)[x] = kUntouched;
    }
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = id;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = control;
    item.hDC = frame.Dc();
    item.rcItem = RECT{0, 0, 40, 20};
    EXPECT_TRUE(DrawSkinButton(skin, item, hovered));
    return frame.View().Row(10)[20];
}

TEST_F(SkinnedControls, ButtonsShowThePictureOfTheirState) {
    struct Case {
        UINT itemState;
        bool hovered;
        uint8_t state;
    };
    const Case cases[] = {
        {0, false, kButtonNormal},
        {ODS_FOCUS, false, kButtonNormalFocused},
        {ODS_FOCUS | ODS_NOFOCUSRECT, false, kButtonNormal},
        {0, true, kButtonHover},
        {ODS_FOCUS, true, kButtonHoverFocused},
        {ODS_SELECTED, false, kButtonPressed},
        {ODS_SELECTED, true, kButtonPressed},
        {ODS_SELECTED | ODS_FOCUS, true, kButtonPressedFocused},
        {ODS_DISABLED | ODS_SELECTED | ODS_FOCUS, true, kButtonDisabled},
    };
    HWND button = Control(kFullButton);
    HWND elsewhere = Control(kSolidLabel);
    for (const Case& c : cases) {
        EXPECT_EQ(DrawnPixel(skin_, kFullButton, button, c.itemState, c.hovered ? button : elsewhere),
                  AsFramePixel(StateColour(c.state)))
            << "flags " << c.itemState << (c.hovered ? ", hovered" : "");
    }
    // A state without a picture leaves the button undrawn; a control that is not the skin's
    // is not drawn either.
    HWND sparse = Control(kSparseButton);
    EXPECT_EQ(DrawnPixel(skin_, kSparseButton, sparse, 0, nullptr), AsFramePixel(StateColour(kButtonNormal)));
    EXPECT_EQ(DrawnPixel(skin_, kSparseButton, sparse, 0, sparse), kUntouched);
    DRAWITEMSTRUCT stranger = {};
    stranger.CtlID = 999;
    EXPECT_FALSE(DrawSkinButton(skin_, stranger, nullptr));
}

TEST_F(SkinnedControls, LabelColoursAndTheBackground) {
    DibFrame frame;
    ASSERT_TRUE(frame.Create(60, 40));
    PaintSkinBackground(skin_, frame.Dc());
    EXPECT_EQ(frame.View().Row(39)[59], AsFramePixel(kBackground));

    HBRUSH solid = ColourSkinLabel(skin_, frame.Dc(), Control(kSolidLabel));
    EXPECT_EQ(solid, FindElementById(skin_, kSolidLabel)->backgroundBrush.Get());
    EXPECT_EQ(GetTextColor(frame.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(frame.Dc()), TRANSPARENT);
    EXPECT_EQ(ColourSkinLabel(skin_, frame.Dc(), Control(kClearLabel)), GetStockObject(NULL_BRUSH))
        << "a label without background colour shows what lies behind it";
    EXPECT_EQ(GetTextColor(frame.Dc()), RGB(4, 5, 6));
    EXPECT_EQ(ColourSkinLabel(skin_, frame.Dc(), Control(kFullButton)), nullptr);
    EXPECT_EQ(ColourSkinLabel(skin_, frame.Dc(), window_), nullptr);
}

TEST_F(SkinnedControls, ControlsReportFocusAndKeysToTheirWindow) {
    HWND button = Control(kFullButton);
    SendMessageA(button, WM_SETFOCUS, 0, 0);
    SendMessageA(Control(kSolidLabel), WM_SETFOCUS, 0, 0);
    SendMessageA(button, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(listening_.focusReports, std::vector<HWND>({button, Control(kSolidLabel)}));
    EXPECT_EQ(listening_.keysDown, std::vector<WPARAM>({VK_TAB}));
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_USERDATA), 0) << "the subclass leaves the user data free";
    EXPECT_EQ(GetWindowLongPtrA(window_, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&listening_));
}

}  // namespace
