// What both programs do the same way around their windows: the common controls they need,
// the installation's files as the check looks at them, the process-wide resources that every
// window shares (cursors, fonts, icons, the sounds still playing), and the message loop.
// Windows only.
//
//     InitializeCommonControls();
//     SystemInstallationFiles files;
//     bool damaged = IsInstallationDamaged(settings, files);
//     {
//         ProcessResources resources(instance, osVersionCode);
//         ...                                  // windows, dialogs
//         exitCode = RunMessageLoop();
//     }                                        // released after the last window
#pragma once

#include <windows.h>

#include "app/startup/installation_check.h"

// Every common-control class the programs use (all class bits).
void InitializeCommonControls();

// The installation check's view of the real file system; opening the data-resource file also
// makes it the process's data-resource file.
class SystemInstallationFiles : public InstallationFiles {
public:
    bool IsFile(const char* path) override;
    bool OpenDataResource(const char* path) override;
};

// The two cursors, the sixteen fonts and the two icons, made once the installation is known;
// released after the last window, once no sound plays any more (a sound still playing would
// be cut off with the process).
class ProcessResources {
public:
    ProcessResources(HINSTANCE instance, int osVersionCode);
    ~ProcessResources();
    ProcessResources(const ProcessResources&) = delete;
    ProcessResources& operator=(const ProcessResources&) = delete;
};

// Dispatches the calling thread's messages until WM_QUIT; its parameter, or 0 when the loop
// fails.
[[nodiscard]] int RunMessageLoop();
