// The initialization window on its own thread, driven by a main thread that never pumps a
// message: it opens in the work area's corner with the built skin, answers every progress
// message (its own display only, bar and text each left alone when not given) and closes with
// its thread. That it paints itself meanwhile is the initialization_window scenario's to show.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/initialization_window_win32.h"
#include "ui/localization/language.h"
#include "ui/skin_fonts_win32.h"

namespace {

std::string WindowText(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class InitializationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetLanguageIndex(kLanguageEnglish));
        ASSERT_TRUE(CreateSkinFonts());
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { DeleteSkinFonts(); }
};

TEST_F(InitializationWindowTest, ShowsTheBusyMainThreadsProgressFromItsOwnThreadAndCloses) {
    SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
    InitializationWindow initialization;
    ASSERT_TRUE(OpenInitializationWindow(initialization));
    HWND window = initialization.window;
    EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), "Tapestrique - Initializing...");
    RECT place = {};
    GetWindowRect(window, &place);
    const RECT workArea = WorkArea();
    EXPECT_EQ(place.right, workArea.right - 8);
    EXPECT_EQ(place.top, workArea.top + 8);
    EXPECT_GT(place.right - place.left, 0);

    HWND label = GetDlgItem(window, kInitializationStatusLabel);
    HWND bar = GetDlgItem(window, kInitializationProgressBar);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(WindowText(label), "Initializing...");

    // From here on this thread only sends and sleeps, as a busy start-up does.
    struct Step {
        ProgressDisplay display;
        int32_t position;
        const char* text;
        int expectedPosition;
        const char* expectedText;
    };
    const Step steps[] = {
        {kProgressInitialization, 5, "Reading list of images...", 5, "Reading list of images..."},
        {kProgressInitialization, 28, nullptr, 28, "Reading list of images..."},
        {kProgressInitialization, kProgressUnchanged, "Starting Tapestrique...", 28, "Starting Tapestrique..."},
        {kProgressDownload, 90, "another window's display", 28, "Starting Tapestrique..."},
        {kProgressInitialization, 100, nullptr, 100, "Starting Tapestrique..."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.expectedPosition);
        EXPECT_TRUE(SendProgress(window, step.display, step.position, step.text));
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), step.expectedPosition);
        EXPECT_EQ(WindowText(label), step.expectedText);
    }
    CloseInitializationWindow(initialization);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(initialization.window, nullptr);
    EXPECT_FALSE(initialization.worker.thread.IsValid());
    EXPECT_FALSE(SendProgress(window, kProgressInitialization, 50, "too late"));
    CloseInitializationWindow(initialization);
}

TEST_F(InitializationWindowTest, WithoutItsSkinIsAnEmptyCornerThatStillAnswers) {
    SetDataResourcePath("Z:/nonexistent/Tapestrique.dat");
    InitializationWindow initialization;
    ASSERT_TRUE(OpenInitializationWindow(initialization));
    RECT place = {};
    GetWindowRect(initialization.window, &place);
    const RECT workArea = WorkArea();
    EXPECT_EQ(place.left, workArea.right - 8);
    EXPECT_EQ(place.top, workArea.top + 8);
    EXPECT_EQ(place.right - place.left, 0);
    EXPECT_TRUE(SendProgress(initialization.window, kProgressInitialization, 40, "no controls"));
    CloseInitializationWindow(initialization);
    EXPECT_EQ(initialization.worker.threadId, 0u);
}

}  // namespace
