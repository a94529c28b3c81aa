#include <gtest/gtest.h>

#include <cstring>

#include "app/main_window/command_rules.h"
#include "app/main_window/environment_change.h"
#include "app/main_window/hotkey_names.h"
#include "app/main_window/hotkey_table.h"
#include "app/main_window/window_presence.h"
#include "ui/localization/language.h"

namespace {

MenuItemState MenuItem(const MainWindowState& state, MenuCommand command) {
    for (const MenuItemState& item : DecideMenuStates(state)) {
        if (item.command == command) return item;
    }
    ADD_FAILURE() << "no menu item " << command;
    return {};
}

TEST(MainWindowRules, HotkeyNamesAndTheMenuTextsThatCarryThem) {
    struct Case {
        uint8_t key, modifiers;
        const char* menu;
        const char* shortForm;
    };
    const Case cases[] = {
        {0x75, 2, "Ctrl+F6", "Ctrl + F6"},
        {0x62, 7, "Ctrl+Alt+Shift+NP2", "Ct+Alt+Sh+NP2"},
        {0x41, 4, "A", "A"},  // Alt alone has no prefix
        {0xBA, 6, "Ctrl+Alt+?", "Ctrl + Alt + ?"},
        {0x30, 3, "Ctrl+Shift+0", "Ctrl + Sh + 0"},
        {0x87, 1, "F24", "F24"},
        {0x88, 2, "Ctrl+?", "Ctrl + ?"},
        {0x69, 2, "Ctrl+NP9", "Ctrl + NP9"},
        {0x00, 6, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HotkeyName({c.key, c.modifiers}), c.menu) << int(c.key) << "/" << int(c.modifiers);
        EXPECT_EQ(HotkeyName({c.key, c.modifiers}, HotkeyNameForm::Short), c.shortForm) << int(c.key);
    }
    EXPECT_EQ(RegistrationModifiers(7), 7u);
    EXPECT_EQ(RegistrationModifiers(1), 4u) << "Shift";
    EXPECT_EQ(RegistrationModifiers(4), 1u) << "Alt";

    // With the defaults every item ends in a tab and its name; only "open" has no blank.
    Settings settings = DefaultSettings();
    const char* expected[] = {"&Change wallpaper now\t Ctrl+Alt+C", "Re&move wallpaper\t Ctrl+Alt+R",
                              "&Launch screensaver\t Ctrl+Alt+S", "&Open Tapestrique\tCtrl+Alt+L",
                              "&Download images!\t Ctrl+Alt+I"};
    for (size_t i = 0; i < kHotkeyTable.size(); ++i) {
        EXPECT_EQ(HotkeyMenuItemText(kHotkeyTable[i], settings, true, kLanguageEnglish), expected[i]);
    }
    EXPECT_EQ(HotkeyMenuItemText(kHotkeyTable[0], settings, false, kLanguageFrench),
              "&Changer le papier peint maintenant")
        << "a hotkey taken by another program leaves the text alone";
}

struct StateCase {
    const char* description;
    uint8_t changer;
    int count;
    const char* current;
    const char* selected;
    // Expected: export/delete/rename, show current, remove, change, set as wallpaper.
    bool selection, showCurrent, remove, change, setWallpaper;
};

TEST(MainWindowRules, ButtonsMenuAndHotkeysFollowTheCollectionAndTheCurrentPicture) {
    const StateCase cases[] = {
        {"empty collection", 1, 0, "", "", false, false, false, false, false},
        {"one picture, not current", 1, 1, "", "", false, false, false, true, false},
        {"one picture, current and selected", 1, 1, "Dusk", "dusk", true, false, true, false, false},
        {"two pictures, other one selected", 1, 2, "Dusk", "Dawn", true, true, true, true, true},
        {"accented names differ only in case", 1, 2, "\xC9t\xE9", "\xE9T\xC9", true, false, true, true, false},
        {"changer off", 0, 5, "Dusk", "Dawn", true, true, false, false, false},
    };
    for (const StateCase& c : cases) {
        Settings settings = DefaultSettings();
        settings.btEnableWallpaperChanger = c.changer;
        std::strcpy(settings.szCurrentWallpaper, c.current);
        MainWindowState state{&settings, c.count, c.selected};

        ButtonStates buttons = DecideButtonStates(state);
        auto enabled = [&](MainWindowControl control) {
            for (const ButtonState& button : buttons.buttons)
                if (button.control == control) return button.enabled;
            ADD_FAILURE() << "no state for control " << control;
            return false;
        };
        EXPECT_EQ(enabled(kMainExportButton), c.selection) << c.description;
        EXPECT_EQ(enabled(kMainDeleteButton), c.selection) << c.description;
        EXPECT_EQ(enabled(kMainRenameButton), c.selection) << c.description;
        EXPECT_EQ(buttons.previewClickable, c.selection) << c.description;
        EXPECT_EQ(enabled(kMainShowCurrentButton), c.showCurrent) << c.description;
        EXPECT_EQ(enabled(kMainRemoveWallpaperButton), c.remove) << c.description;
        EXPECT_EQ(enabled(kMainChangeWallpaperButton), c.change) << c.description;
        EXPECT_EQ(enabled(kMainSetWallpaperButton), c.setWallpaper) << c.description;

        // The menu items and the hotkeys of the same commands agree with the buttons.
        EXPECT_EQ(MenuItem(state, kCommandChangeWallpaper).enabled, c.change) << c.description;
        EXPECT_EQ(MenuItem(state, kCommandRemoveWallpaper).enabled, c.remove) << c.description;
        EXPECT_EQ(MenuItem(state, kCommandRefreshDesktop).enabled, c.changer == 1) << c.description;
        EXPECT_EQ(MenuItem(state, kCommandEnableChanger).checked, c.changer == 1) << c.description;
        EXPECT_EQ(DecideHotkeyCommand(0, state).has_value(), c.change) << c.description;
        EXPECT_EQ(DecideHotkeyCommand(1, state).has_value(), c.remove) << c.description;
    }
}

TEST(MainWindowRules, OpenDialogsClosingAndTheScreensaverGreyTheirItems) {
    Settings settings = DefaultSettings();
    settings.btEnableScreensaver = 1;
    struct Case {
        OpenDialog dialog;
        bool closing, screensaverRunning;
        bool switches, settingsAbout, exit, launch;
    };
    const Case cases[] = {
        {OpenDialog::None, false, false, true, true, true, true},
        {OpenDialog::Settings, false, false, false, false, false, true},
        {OpenDialog::Welcome, false, false, false, false, false, true},
        {OpenDialog::Rename, false, false, true, false, false, true},
        {OpenDialog::None, true, true, true, true, false, false},
    };
    for (const Case& c : cases) {
        MainWindowState state{&settings, 3, "", c.dialog, c.closing, c.screensaverRunning};
        std::string where = "dialog " + std::to_string(int(c.dialog));
        for (MenuCommand command : {kCommandEnableChanger, kCommandEnableScreensaver}) {
            EXPECT_EQ(MenuItem(state, command).enabled, c.switches) << where << " " << command;
        }
        for (MenuCommand command : {kCommandSettings, kCommandAbout}) {
            EXPECT_EQ(MenuItem(state, command).enabled, c.settingsAbout) << where << " " << command;
        }
        EXPECT_EQ(MenuItem(state, kCommandExit).enabled, c.exit) << where;
        EXPECT_EQ(MenuItem(state, kCommandLaunchScreensaver).enabled, c.launch) << where;
        EXPECT_TRUE(MenuItem(state, kCommandEnableScreensaver).checked) << where;
        EXPECT_EQ(DecideHotkeyCommand(2, state).has_value(), c.launch) << where;
        ASSERT_TRUE(DecideHotkeyCommand(3, state)) << "open always works, " << where;
        std::optional<HotkeyCommand> download = DecideHotkeyCommand(4, state);
        ASSERT_TRUE(download) << where;
        EXPECT_TRUE(download->command == kCommandDownloadImages && download->playClick) << where;
    }
    EXPECT_FALSE(DecideHotkeyCommand(5, MainWindowState{&settings}));
}

TEST(MainWindowRules, SystemSettingsChangesReapplyTheWallpaperWhenTheDesktopLooksDifferent) {
    const WallpaperScreen before{1920, 1080, {0, 0, 1920, 1040}, 0x3A6EA5};
    WallpaperScreen otherColour = before;
    otherColour.desktopColour = 0x000000;
    WallpaperScreen taskbarMoved = before;
    taskbarMoved.workArea = {0, 40, 1920, 1080};
    WallpaperScreen otherScreen = before;
    otherScreen.width = 2560;
    WallpaperScreen unread = before;
    unread.desktopColour = kDesktopColourUnread;
    struct Case {
        const char* description;
        const WallpaperScreen& previous;
        const WallpaperScreen& current;
        bool workAreaOnly, selected;
        bool reapply, redraw;
    };
    const Case cases[] = {
        {"nothing changed", before, before, true, true, false, false},
        {"desktop colour", before, otherColour, false, true, true, true},
        {"desktop colour back", otherColour, before, false, false, true, false},
        {"first colour reading", unread, otherColour, true, true, false, false},
        {"taskbar moved, whole screen used", before, taskbarMoved, false, true, false, false},
        {"taskbar moved, work area used", before, taskbarMoved, true, true, true, false},
        {"screen size", before, otherScreen, false, true, true, false},
    };
    for (const Case& c : cases) {
        EnvironmentChange change = DecideEnvironmentChange(c.previous, c.current, c.workAreaOnly, c.selected);
        EXPECT_EQ(change.reapplyWallpaper, c.reapply) << c.description;
        EXPECT_EQ(change.redrawPreview, c.redraw) << c.description;
    }
}

TEST(MainWindowRules, FirstStartCentresTheWindowAndTheTooltipNamesTheCurrentPicture) {
    const WindowPoint unplaced{kWindowNotPlaced, kWindowNotPlaced};
    WindowPoint centred = MainWindowPosition(unplaced, 1366, 768, 501, 333);
    EXPECT_EQ(centred.x, 432) << "432.5 rounds down";
    EXPECT_EQ(centred.y, 217) << "217.5 rounds down";
    WindowPoint larger = MainWindowPosition(unplaced, 640, 480, 801, 600);
    EXPECT_EQ(larger.x, -81) << "-80.5 rounds down";
    WindowPoint remembered = MainWindowPosition({kWindowNotPlaced, 10}, 1366, 768, 501, 333);
    EXPECT_EQ(remembered.x, kWindowNotPlaced);
    EXPECT_EQ(remembered.y, 10);

    EXPECT_EQ(TrayTooltip(""), "Tapestrique");
    EXPECT_EQ(TrayTooltip("Dusk"), "Tapestrique - Dusk");
    std::string tooltip = TrayTooltip(std::string(127, 'x'));
    EXPECT_EQ(tooltip.size(), 63u);
}

}  // namespace
