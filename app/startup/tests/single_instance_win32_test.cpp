#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window/menu_commands.h"
#include "app/startup/single_instance_win32.h"
#include "win32/window_state_win32.h"

namespace {

// What a first instance's main window hears from a second start.
struct FirstInstanceWindow {
    std::vector<std::string> copied;  // the bytes of each WM_COPYDATA with dwData 0, NUL included
    std::vector<WPARAM> commands;
};

LRESULT CALLBACK FirstInstanceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    FirstInstanceWindow* state = AttachedWindowState<FirstInstanceWindow>(window, message, lParam);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData == 0) state->copied.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
            return 1;
        }
        case WM_COMMAND:
            state->commands.push_back(wParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

TEST(SingleInstance, TheMutexMarksTheFirstInstanceOnlyWhileItIsHeld) {
    const char name[] = "TapestriqueTest_Mutex_SingleInstance";
    FirstInstanceClaim first = ClaimFirstInstance(name);
    EXPECT_FALSE(first.otherInstanceRunning);
    EXPECT_TRUE(first.mutex.IsValid());
    FirstInstanceClaim second = ClaimFirstInstance(name);
    EXPECT_TRUE(second.otherInstanceRunning);
    EXPECT_FALSE(second.mutex.IsValid()) << "a second start keeps nothing open";
    EXPECT_TRUE(IsProgramRunning(name));
    first.mutex.Reset();
    EXPECT_FALSE(IsProgramRunning(name));
    EXPECT_FALSE(IsProgramRunning(name)) << "the test itself holds nothing";
}

TEST(SingleInstance, ASecondStartHandsAPictureOverWholeAndOtherwiseOpensTheMainWindow) {
    HandOverToFirstInstance("/file:C:\\a.tqi");  // no first window yet: nothing to do, nothing breaks

    FirstInstanceWindow state;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FirstInstanceProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kMainWindowClassName;
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, kMainWindowClassName, kMainWindowTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, &state);
    ASSERT_NE(window, nullptr);

    const std::string withPicture = "\"Tapestrique.exe\" \"/FILE:C:\\My Pictures\\Dusk.tqi\"";
    HandOverToFirstInstance(withPicture);
    HandOverToFirstInstance("Tapestrique.exe /hidden");
    PumpMessages();
    EXPECT_EQ(state.copied, std::vector<std::string>({withPicture + '\0'}));
    EXPECT_EQ(state.commands, std::vector<WPARAM>({kCommandOpen}));

    DestroyWindow(window);
    UnregisterClassA(kMainWindowClassName, windowClass.hInstance);
}

}  // namespace
