// What Tapestrique.scr learns at start-up and keeps until it ends, shared by its window.
// Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/startup/installation_check.h"
#include "screensaver/screensaver_command_line.h"
#include "settings/settings.h"

// The process's facts, one bit each.
enum ScreensaverFlag : uint32_t {
    kScreensaverInstallationProblem = 0x01,  // the desktop application is missing or incomplete
    kScreensaverClosing = 0x02,              // the window has begun to close
    kScreensaverPreview = 0x10,              // the window is a child of the window given
    kScreensaverTestPreview = 0x20,          // a preview that always animates and announces itself
    kScreensaverTransitionsActive = 0x40,    // changes are animated
};

constexpr char kScreensaverWindowClass[] = "TapestriqueScr_WndClass";
constexpr char kScreensaverWindowTitle[] = "Tapestrique screensaver";

struct ScreensaverProcess {
    HINSTANCE instance = nullptr;
    std::string commandLine;  // empty when it was too long to keep
    ScreensaverLaunch launch;
    uint32_t flags = 0;  // ScreensaverFlag bits
    int osVersionCode = 0;
    Settings settings = DefaultSettings();
    InstallationPaths paths;
    // Every picture is composed at this size: the screen's, or the preview's parent's.
    int canvasWidth = 0;
    int canvasHeight = 0;

    [[nodiscard]] bool Has(ScreensaverFlag flag) const { return (flags & flag) != 0; }
    [[nodiscard]] bool IsPreview() const { return Has(kScreensaverPreview); }
};
