// The new-image notification with the built skin: created hidden above the work area's
// bottom-right corner, shown and hidden once each however often it is asked, its hide timer
// started once, every click and its own close command handed to the main window unchanged,
// and a language switch that makes its face again in the new language at the new place.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/online/new_image_window_win32.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/language.h"
#include "ui/skin_fonts_win32.h"
#include "ui/tests/skin_test_support_win32.h"
#include "win32/window_state_win32.h"

namespace {

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};

// Stands in for the main window: it only hears the commands.
struct MainStandIn {
    std::vector<Command> commands;
};

LRESULT CALLBACK MainStandInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    MainStandIn* state = AttachedWindowState<MainStandIn>(window, message, lParam);
    if (state != nullptr && message == WM_COMMAND) state->commands.push_back({wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class NewImageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetLanguageIndex(kLanguageEnglish));
        ASSERT_TRUE(CreateSkinFonts());
        SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
        main_ = skin_test::CreateParentWindow("TapestriqueNewImageTestMain_WndClass", MainStandInProcedure, &mainState_,
                                              100, 100);
        ASSERT_NE(main_, nullptr);
        ASSERT_NE(CreateNewImageWindow(announcement_, main_, workArea_), nullptr);
    }
    void TearDown() override {
        DestroyNewImageWindow(announcement_);
        DestroyWindow(main_);
        (void)SetLanguageIndex(kLanguageEnglish);
        DeleteSkinFonts();
    }

    HWND Control(uint32_t id) const { return GetDlgItem(announcement_.window, static_cast<int>(id)); }

    void ExpectPlacedIn(const RECT& workArea) const {
        RECT place = {};
        GetWindowRect(announcement_.window, &place);
        EXPECT_EQ(place.right, workArea.right - kAnnouncementRightGap);
        EXPECT_EQ(place.bottom, workArea.bottom);
        EXPECT_EQ(place.right - place.left, announcement_.skinned.skin.backgroundWidth);
        EXPECT_EQ(place.bottom - place.top, announcement_.skinned.skin.backgroundHeight);
    }

    RECT workArea_ = {0, 0, 900, 700};
    MainStandIn mainState_;
    HWND main_ = nullptr;
    NewImageWindow announcement_;
};

TEST_F(NewImageWindowTest, IsCreatedHiddenWithItsSkinAboveTheWorkAreasCorner) {
    HWND window = announcement_.window;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "TapestriqueExeNewestImages_WndClass");
    EXPECT_EQ(WindowText(window), "Tapestrique");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    const LONG_PTR extended = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_EQ(extended & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_NE(GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP, 0);
    ASSERT_GT(announcement_.skinned.skin.backgroundWidth, 0);
    ExpectPlacedIn(workArea_);
    for (uint32_t id : kNewImageControls) EXPECT_NE(Control(id), nullptr) << id;
    EXPECT_EQ(WindowText(Control(kNewImageHeadline)), "New image available:");
    // The skin's own picture until a thumbnail comes.
    EXPECT_NE(SendMessageA(Control(kNewImageThumbnail), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(NewImageWindowTest, ShowsAndHidesOnceAndStartsItsHideTimerOnce) {
    HWND window = announcement_.window;
    ShowAnnouncement(announcement_);
    EXPECT_TRUE(IsWindowVisible(window));
    ShowAnnouncement(announcement_);  // a second announcement while it is shown
    EXPECT_TRUE(IsWindowVisible(window));

    StartAnnouncementHideTimer(announcement_);
    const UINT_PTR timer = announcement_.hideTimer;
    EXPECT_EQ(timer, kAnnouncementHideTimer);
    StartAnnouncementHideTimer(announcement_);
    EXPECT_EQ(announcement_.hideTimer, timer);

    // The timer's tick slides the window out and forgets the timer.
    SendMessageA(window, WM_TIMER, kAnnouncementHideTimer, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(announcement_.hideTimer, 0u);
    HideAnnouncement(announcement_);  // already hidden
    EXPECT_FALSE(IsWindowVisible(window));
    StartAnnouncementHideTimer(announcement_);
    EXPECT_EQ(announcement_.hideTimer, kAnnouncementHideTimer);
    HideAnnouncement(announcement_);
    EXPECT_EQ(announcement_.hideTimer, 0u);
}

TEST_F(NewImageWindowTest, HandsEveryClickAndItsCloseCommandToTheMainWindow) {
    HWND thumbnail = Control(kNewImageThumbnail);
    HWND close = Control(kNewImageCloseButton);
    SendMessageA(announcement_.window, WM_COMMAND, MAKEWPARAM(kNewImageThumbnail, STN_CLICKED),
                 reinterpret_cast<LPARAM>(thumbnail));
    SendMessageA(announcement_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(mainState_.commands.size(), 2u);
    EXPECT_EQ(mainState_.commands[0].wParam, MAKEWPARAM(kNewImageThumbnail, STN_CLICKED));
    EXPECT_EQ(mainState_.commands[0].lParam, reinterpret_cast<LPARAM>(thumbnail));
    EXPECT_EQ(mainState_.commands[1].wParam, MAKEWPARAM(kNewImageCloseButton, BN_CLICKED));
    EXPECT_EQ(mainState_.commands[1].lParam, reinterpret_cast<LPARAM>(close));
    EXPECT_TRUE(IsNewImageControl(announcement_, close));
    EXPECT_FALSE(IsNewImageControl(announcement_, main_));
}

TEST_F(NewImageWindowTest, ALanguageSwitchMakesItsFaceAgainAtTheNewPlace) {
    SetAnnouncementHeadline(announcement_, "Downloading... (40%)");
    SetAnnouncementDescription(announcement_, "Evening Sky");
    ASSERT_TRUE(SetLanguageIndex(kLanguageFrench));
    const RECT movedTaskbar = {0, 0, 800, 560};
    ReloadNewImageSkin(announcement_, movedTaskbar);
    ExpectPlacedIn(movedTaskbar);
    EXPECT_EQ(WindowText(Control(kNewImageHeadline)), "Nouvelle image disponible :");
    EXPECT_NE(SendMessageA(Control(kNewImageThumbnail), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_FALSE(IsWindowVisible(announcement_.window));
}

}  // namespace
