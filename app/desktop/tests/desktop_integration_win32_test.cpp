// The desktop integration against the real registry, system.ini and system settings of the
// Wine prefix, and the icon-list search against a stand-in of the shell's window tree.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/desktop/desktop_integration_win32.h"
#include "settings/memory_store.h"

namespace {

std::string RunValue() {
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tapestrique",
                     RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return "(absent)";
    }
    return data;
}

TEST(DesktopIntegration, RunEntryHasItsThreeForms) {
    Settings settings = DefaultSettings();
    const std::string program = "C:\\Program Files\\Tapestrique\\Tapestrique.exe";
    settings.btRunAtWindowsStartup = 1;
    settings.btRunAtWindowsStartupAutoOpen = 0;
    WriteRunEntry(settings, program);
    EXPECT_EQ(RunValue(), "\"" + program + "\" /hidden");
    settings.btRunAtWindowsStartupAutoOpen = 1;
    WriteRunEntry(settings, program);
    EXPECT_EQ(RunValue(), "\"" + program + "\"");
    settings.btRunAtWindowsStartup = 0;
    WriteRunEntry(settings, program);
    EXPECT_EQ(RunValue(), "(absent)");
}

TEST(DesktopIntegration, ScreensaverStateFollowsTheSystemByItsShortPath) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const ScreensaverPaths ours = MakeScreensaverPaths(windows);
    MemoryStore store;
    Settings settings = DefaultSettings();

    SetSystemScreensaver(true, ours);
    settings.btEnableScreensaver = 0;
    EXPECT_TRUE(SyncScreensaverState(store, settings, ours));
    EXPECT_EQ(settings.btEnableScreensaver, 1);
    EXPECT_FALSE(SyncScreensaverState(store, settings, ours)) << "no change, nothing written";

    // Another screensaver: a different path in system.ini.
    ScreensaverPaths other = ours;
    other.shortPath = "C:\\WINDOWS\\OTHER~1.SCR";
    SetSystemScreensaver(true, other);
    EXPECT_TRUE(SyncScreensaverState(store, settings, ours));
    EXPECT_EQ(settings.btEnableScreensaver, 0);

    SetSystemScreensaver(false, ours);
    EXPECT_FALSE(SyncScreensaverState(store, settings, ours));
    char entry[256] = {};
    GetPrivateProfileStringA("boot", "scrnsave.exe", "", entry, sizeof entry, "system.ini");
    EXPECT_STREQ(entry, "") << "removing deletes the entry";
}

// The shell's icon list, as the program looks for it: Progman, its view, the list view.
class StandInDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        for (const char* name : {"Progman", "SHELLDLL_DefView"}) {
            windowClass.lpszClassName = name;
            RegisterClassA(&windowClass);
        }
        manager_ = CreateWindowA("Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        HWND view = CreateWindowA("SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, manager_, nullptr,
                                  windowClass.hInstance, nullptr);
        list_ = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, view, nullptr,
                              windowClass.hInstance, nullptr);
    }
    void TearDown() override { DestroyWindow(manager_); }

    HWND manager_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(StandInDesktop, IconsToggleAndTheirLabelsTurnTransparent) {
    ASSERT_NE(list_, nullptr);
    ASSERT_EQ(FindDesktopIconList(), list_);
    EXPECT_FALSE(AreDesktopIconsHidden());
    ToggleDesktopIcons();
    EXPECT_TRUE(AreDesktopIconsHidden());
    ToggleDesktopIcons();
    EXPECT_FALSE(AreDesktopIconsHidden()) << "the command toggles";

    MakeIconTextTransparent();
    EXPECT_EQ(SendMessageA(list_, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
    EXPECT_EQ(SendMessageA(list_, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
}

}  // namespace
