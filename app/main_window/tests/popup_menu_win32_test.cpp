// The tray menu as the main window prepares it before it opens, from the program's own menu
// resource (this test links the resources of Tapestrique.exe).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/main_window/popup_menu_win32.h"
#include "ui/localization/language.h"

namespace {

std::string ItemText(HMENU menu, UINT command) {
    char text[256] = {};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool IsGrayed(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        process_.instance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(LoadPopupMenu(window_));
        english_ = GetSubMenu(window_.menu.menu.Get(), kLanguageEnglish);
        ASSERT_NE(english_, nullptr);
    }

    ProcessFacts process_;
    MainWindow window_{&process_};
    HMENU english_ = nullptr;
};

TEST_F(PopupMenuTest, ItemsNameTheirRegisteredHotkeysAndOpenIsTheDefault) {
    window_.menu.registered = {true, true, true, true, false};
    PrepareMenu(window_, english_);
    EXPECT_EQ(ItemText(english_, kCommandChangeWallpaper), "&Change wallpaper now\t Ctrl+Alt+C");
    EXPECT_EQ(ItemText(english_, kCommandRemoveWallpaper), "Re&move wallpaper\t Ctrl+Alt+R");
    EXPECT_EQ(ItemText(english_, kCommandLaunchScreensaver), "&Launch screensaver\t Ctrl+Alt+S");
    EXPECT_EQ(ItemText(english_, kCommandOpen), "&Open Tapestrique\tCtrl+Alt+L") << "no blank after the tab";
    EXPECT_EQ(ItemText(english_, kCommandDownloadImages), "&Download images!") << "not registered: no name";
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_EQ(GetMenuDefaultItem(GetSubMenu(window_.menu.menu.Get(), language), FALSE, 0), kCommandOpen);
    }
}

TEST_F(PopupMenuTest, ItemsFollowTheCollectionAndTheOpenDialog) {
    // One picture, and it is current: nothing to change to.
    window_.titles = {"Harbour"};
    std::strcpy(process_.settings.szCurrentWallpaper, "Harbour");
    PrepareMenu(window_, english_);
    EXPECT_TRUE(IsGrayed(english_, kCommandChangeWallpaper));
    EXPECT_FALSE(IsGrayed(english_, kCommandRemoveWallpaper));
    EXPECT_TRUE(GetMenuState(english_, kCommandEnableChanger, MF_BYCOMMAND) & MF_CHECKED);

    window_.titles.push_back("Meadow");
    window_.openDialog = OpenDialog::Settings;
    PrepareMenu(window_, english_);
    EXPECT_FALSE(IsGrayed(english_, kCommandChangeWallpaper));
    EXPECT_TRUE(IsGrayed(english_, kCommandEnableChanger));
    EXPECT_TRUE(IsGrayed(english_, kCommandEnableScreensaver));
    EXPECT_TRUE(IsGrayed(english_, kCommandSettings));
    EXPECT_TRUE(IsGrayed(english_, kCommandExit));
}

}  // namespace
