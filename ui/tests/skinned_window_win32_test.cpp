// Skinned windows with real windows and controls: hover tracking repaints the buttons it
// leaves and enters and their pictures follow; the focus walk over disabled controls; the
// close command, Escape and the drag; the forwarding subclasses, link labels, dialog bitmaps
// and the window helpers. The skinned_window scenario drives the rest with real input.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control_subclasses_win32.h"
#include "ui/data_resource.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/link_label_win32.h"
#include "ui/localization/language.h"
#include "ui/skin_cursors_win32.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skinned_window_win32.h"
#include "ui/tests/skin_test_support_win32.h"
#include "ui/window_helpers_win32.h"
#include "win32/dib_frame_win32.h"
#include "win32/window_state_win32.h"

namespace {

using skin_test::Element;
using skin_test::SolidBmp;

constexpr uint32_t kFirst = 201, kDisabled = 202, kThird = 203, kClose = 122;
constexpr SkinnedWindowRules kRules = {.dragByBackground = true, .moveFocusWithKeys = true, .closeButtonId = kClose};

COLORREF StateColour(uint8_t state) {
    return RGB(30 + state * 20, 200 - state * 20, 9 * state);
}

uint32_t AsFramePixel(COLORREF colour) {
    return FramePixel(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

struct TestWindow {
    SkinnedWindow skinned;
    std::vector<WPARAM> systemCommands;
    std::vector<WPARAM> commands;
    std::vector<HWND> cursorReports;  // WM_SETCURSOR that the rules leave (the link tests)
};

LRESULT CALLBACK TestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TestWindow* state = AttachedWindowState<TestWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_SYSCOMMAND) state->systemCommands.push_back(wParam);
    if (message == WM_COMMAND) state->commands.push_back(wParam);
    LRESULT result = 0;
    if (HandleSkinnedWindowMessage(state->skinned, kRules, window, message, wParam, lParam, result)) return result;
    // Neither the system's drag loop nor its close: the test only hears them.
    if (message == WM_SYSCOMMAND) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

SkinElementSource Button(uint32_t id, int x, uint32_t next, uint32_t previous) {
    SkinElementSource button = Element(kSkinButton, id);
    button.x = x;
    button.cursor = kSkinHandCursor;
    button.nextId = next;
    button.previousId = previous;
    for (uint8_t state : {kButtonDisabled, kButtonNormal, kButtonNormalFocused, kButtonHover, kButtonHoverFocused,
                          kButtonPressed, kButtonPressedFocused}) {
        button.statePictures.push_back({state, SolidBmp(40, 20, StateColour(state))});
    }
    return button;
}

class SkinnedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetLanguageIndex(kLanguageEnglish));
        ASSERT_TRUE(CreateSkinFonts());
        LoadSkinCursors(false);
        window_ =
            skin_test::CreateParentWindow("TapestriqueSkinnedWindowTest_WndClass", TestProcedure, &state_, 200, 60);
        ASSERT_NE(window_, nullptr);
        SkinSource source;
        source.name = "Window";
        source.hasBackground = true;
        source.background = SolidBmp(200, 60, RGB(10, 20, 30));
        // A chain 201 -> 202 (disabled) -> 203 -> 0, backwards 203 -> 202 -> 201 -> 0; 122 alone.
        source.elements = {Button(kFirst, 0, kDisabled, 0), Button(kDisabled, 50, kThird, kFirst),
                           Button(kThird, 100, 0, kDisabled), Button(kClose, 150, 0, 0)};
        source.elements.back().cursor = 0;
        ByteVector record = skin_test::Record(source);
        ASSERT_EQ(ParseSkin(record.data(), record.size(), state_.skinned.skin, window_, true, true), 0);
        EnableWindow(Control(kDisabled), FALSE);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        PaintNow();
    }
    void TearDown() override {
        FreeSkin(state_.skinned.skin);
        DestroyWindow(window_);
        DeleteSkinFonts();
    }
    HWND Control(uint32_t id) { return FindElementById(state_.skinned.skin, id)->window; }

    // What the button draws now, through its own paint (WM_DRAWITEM to the window).
    uint32_t Drawn(uint32_t id) {
        DibFrame frame;
        EXPECT_TRUE(frame.Create(40, 20));
        SendMessageA(Control(id), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(frame.Dc()), PRF_CLIENT);
        return frame.View().Row(10)[20];
    }
    void PaintNow() { RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
    bool NeedsPaint(uint32_t id) { return GetUpdateRect(Control(id), nullptr, FALSE) != FALSE; }
    void Hover(HWND over) { SendMessageA(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), HTCLIENT); }

    TestWindow state_;
    HWND window_ = nullptr;
};

TEST_F(SkinnedWindowTest, HoverRepaintsTheButtonsItLeavesAndEntersAndPicksTheCursor) {
    Hover(Control(kFirst));
    EXPECT_TRUE(NeedsPaint(kFirst));
    EXPECT_FALSE(NeedsPaint(kThird));
    EXPECT_EQ(GetCursor(), SkinCursor(true));
    PaintNow();
    EXPECT_EQ(Drawn(kFirst), AsFramePixel(StateColour(kButtonHover)));

    Hover(Control(kThird));  // straight from one button onto the other
    EXPECT_TRUE(NeedsPaint(kFirst));
    EXPECT_TRUE(NeedsPaint(kThird));
    PaintNow();
    EXPECT_EQ(Drawn(kFirst), AsFramePixel(StateColour(kButtonNormal)));
    EXPECT_EQ(Drawn(kThird), AsFramePixel(StateColour(kButtonHover)));

    Hover(Control(kClose));
    EXPECT_EQ(GetCursor(), SkinCursor(false)) << "the close button's skin asks for the arrow";
    Hover(window_);  // the background ends the hover
    EXPECT_TRUE(NeedsPaint(kClose));
    EXPECT_EQ(state_.skinned.hovered, window_);
}

TEST_F(SkinnedWindowTest, KeysWalkTheChainCloseAndTheBackgroundDrags) {
    SetFocus(Control(kFirst));
    EXPECT_EQ(state_.skinned.focused, Control(kFirst)) << "the control reports its focus";
    SendMessageA(Control(kFirst), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Control(kThird)) << "the disabled control is jumped over";
    SendMessageA(Control(kThird), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Control(kThird)) << "the chain ends at 0";

    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_SHIFT] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    SendMessageA(Control(kThird), WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(GetFocus(), Control(kFirst)) << "Shift+Tab goes back over it";

    SendMessageA(Control(kFirst), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(195, 55));
    SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(state_.systemCommands, std::vector<WPARAM>({SC_CLOSE, SC_MOVE + 2, SC_MINIMIZE}));
    EXPECT_EQ(state_.commands, std::vector<WPARAM>({MAKEWPARAM(kClose, BN_CLICKED)}))
        << "the close command is a click on the close button, nothing else is";
}

// A parent that hears what its filtered and forwarding controls hand it.
struct Listener {
    LinkLabel link;
    std::vector<UINT> heard;
};

LRESULT CALLBACK ListenerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Listener* state = AttachedWindowState<Listener>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_KEYDOWN:
            state->heard.push_back(message);
            return 0;
        case WM_SETCURSOR:
            state->heard.push_back(message);
            TrackLinkHover(state->link, reinterpret_cast<HWND>(wParam));
            return 1;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

TEST(ControlSubclasses, KeyAndCursorForwardingAndLinkLabel) {
    ASSERT_TRUE(CreateSkinFonts());
    Listener listener;
    HWND parent =
        skin_test::CreateParentWindow("TapestriqueSubclassTest_WndClass", ListenerProcedure, &listener, 300, 100);
    ASSERT_NE(parent, nullptr);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND button =
        CreateWindowExA(0, "button", "Close", WS_CHILD | WS_VISIBLE, 0, 30, 60, 20, parent, nullptr, instance, nullptr);
    HWND link = CreateWindowExA(0, "static", "example", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 60, 80, 20, parent,
                                reinterpret_cast<HMENU>(UINT_PTR{300}), instance, nullptr);
    ASSERT_TRUE(SubclassKeyForwarding(button));

    SendMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(listener.heard, std::vector<UINT>({WM_KEYDOWN}));

    StartLinkLabel(listener.link, parent, 300, 10);
    EXPECT_EQ(listener.link.link, link);
    EXPECT_EQ(SendMessageA(link, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(SkinFont(10)));
    DibFrame frame;
    ASSERT_TRUE(frame.Create(4, 4));
    EXPECT_EQ(ColourLinkLabel(listener.link, frame.Dc(), link), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(frame.Dc()), 0xCC3300u);
    EXPECT_EQ(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), HTCLIENT), 1);
    EXPECT_EQ(listener.heard.back(), static_cast<UINT>(WM_SETCURSOR)) << "the link hands its cursor to the dialog";
    EXPECT_EQ(GetCursor(), SkinCursor(true));
    (void)ColourLinkLabel(listener.link, frame.Dc(), link);
    EXPECT_EQ(GetTextColor(frame.Dc()), 0x660000u) << "hovered";
    EXPECT_EQ(ColourLinkLabel(listener.link, frame.Dc(), button), nullptr);
    EXPECT_TRUE(IsLinkClick(listener.link, MAKEWPARAM(300, STN_CLICKED)));
    EXPECT_FALSE(IsLinkClick(listener.link, MAKEWPARAM(300, STN_DBLCLK)));
    OpenLinkTarget("");  // nothing to open, nothing happens
    DestroyWindow(parent);
    DeleteSkinFonts();
}

// Pixels of the frame equal to `colour`.
int Count(const DibFrame& frame, int width, int height, COLORREF colour) {
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) count += frame.View().Row(y)[x] == AsFramePixel(colour);
    }
    return count;
}

TEST(DialogBitmap, ShowsTheEntryTransparentOrOpaqueAtItsPlace) {
    SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
    Listener listener;
    HWND dialog =
        skin_test::CreateParentWindow("TapestriqueDialogBitmapTest_WndClass", ListenerProcedure, &listener, 400, 200);
    ASSERT_NE(dialog, nullptr);
    HWND group = CreateWindowExA(0, "button", "Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 30, 40, 300, 100, dialog,
                                 reinterpret_cast<HMENU>(UINT_PTR{400}), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(group, nullptr);
    const char* entry = "BitmapAboutTapestrique_TrFF00FF";  // 166 × 36, magenta around the lettering
    constexpr COLORREF kMagenta = RGB(255, 0, 255), kFace = RGB(1, 2, 3);
    ASSERT_TRUE(CreateDialogBitmap(dialog, 400, 12, 20, 166, 36, entry, true, kMagenta));
    ASSERT_TRUE(CreateDialogBitmap(dialog, 0, 5, 6, 166, 36, entry, false, kMagenta));
    ASSERT_TRUE(CreateDialogBitmap(dialog, 0, 0, 0, 10, 10, "BitmapThatDoesNotExist", true, kMagenta))
        << "a missing entry leaves the control empty";

    HWND transparent = FindWindowExA(dialog, nullptr, kDialogBitmapClass, nullptr);
    HWND opaque = FindWindowExA(dialog, transparent, kDialogBitmapClass, nullptr);
    ASSERT_NE(opaque, nullptr);
    char title[96];
    GetWindowTextA(transparent, title, sizeof title);
    EXPECT_STREQ(title, "Tapestrique - Dialog Bitmap - BitmapAboutTapestrique_TrFF00FF");
    RECT place;
    GetWindowRect(transparent, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 42);
    EXPECT_EQ(place.top, 60);
    EXPECT_EQ(GetDlgCtrlID(transparent), 0);

    for (HWND control : {transparent, opaque}) {
        DibFrame frame;
        ASSERT_TRUE(frame.Create(166, 36));
        HBRUSH face = CreateSolidBrush(kFace);
        RECT all = {0, 0, 166, 36};
        FillRect(frame.Dc(), &all, face);
        DeleteObject(face);
        EXPECT_EQ(SendMessageA(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(frame.Dc()), 0), 1);
        const int shownFace = Count(frame, 166, 36, kFace), shownKey = Count(frame, 166, 36, kMagenta);
        if (control == transparent) {
            EXPECT_GT(shownFace, 166 * 36 / 10) << "the key colour is left out";
            EXPECT_EQ(shownKey, 0);
            EXPECT_LT(shownFace, 166 * 36) << "the lettering is drawn";
        } else {
            EXPECT_EQ(shownFace, 0);
            EXPECT_GT(shownKey, 166 * 36 / 10);
        }
    }
    DestroyWindow(dialog);
}

TEST(WindowHelpers, ShowAnimatedEnableAndCentre) {
    Listener listener;
    HWND window =
        skin_test::CreateParentWindow("TapestriqueWindowHelpersTest_WndClass", ListenerProcedure, &listener, 300, 200);
    ASSERT_NE(window, nullptr);
    constexpr DWORD kHideBlend = AW_HIDE | AW_BLEND, kShowBlend = AW_ACTIVATE | AW_BLEND;
    EXPECT_FALSE(ShowWindowAnimated(window, 200, kHideBlend)) << "already hidden";
    EXPECT_TRUE(ShowWindowAnimated(window, 200, kShowBlend));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(ShowWindowAnimated(window, 200, kShowBlend));
    EXPECT_TRUE(ShowWindowAnimated(window, 200, kHideBlend));
    EXPECT_FALSE(IsWindowVisible(window));
    SetWindowAnimationSupport(false, false);  // plainly, as with the effects off
    EXPECT_TRUE(ShowWindowAnimated(window, 200, 0x60008));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(ShowWindowAnimated(window, 0, 0x50004));
    EXPECT_FALSE(IsWindowVisible(window));
    SetWindowAnimationSupport(true, true);

    EXPECT_TRUE(SetControlEnabled(window, false));
    EXPECT_FALSE(SetControlEnabled(window, false));
    EXPECT_TRUE(SetControlEnabled(window, true));
    EXPECT_FALSE(SetControlEnabled(nullptr, true));

    SetBrowserProgram("Z:\\nonexistent\\browser.exe");
    EXPECT_FALSE(OpenInBrowser("http://localhost/")) << "a browser that does not start is a failure";
    EXPECT_FALSE(OpenInBrowser(""));
    SetBrowserProgram(nullptr);

    // A reference that hangs over the right edge of the work area.
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    HWND reference =
        skin_test::CreateParentWindow("TapestriqueWindowHelpersTest_WndClass", ListenerProcedure, &listener, 300, 200);
    SetWindowPos(reference, nullptr, work.right - 100, work.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CenterWindow(window, reference, true);
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.top, work.top + 50);
    EXPECT_EQ(placed.right - placed.left, 300) << "the size stays";
    DestroyWindow(reference);
    DestroyWindow(window);
}

}  // namespace
