// Tapestrique.exe: one instance per logon session, which checks the system and its
// installation, makes the process-wide resources, creates the main window and runs the
// message loop until the user exits from the tray menu.
#include <windows.h>

#include <commctrl.h>

#include "app/main_window/main_window_win32.h"
#include "app/startup/application_flags.h"
#include "app/startup/command_line.h"
#include "app/startup/install_dialog_win32.h"
#include "app/startup/installation_check.h"
#include "app/startup/os_version.h"
#include "base/file_io.h"
#include "app/startup/program_icons_win32.h"
#include "app/startup/single_instance_win32.h"
#include "app/startup/startup_environment_win32.h"
#include "base/file_io.h"
#include "settings/settings_loader.h"
#include "ui/data_resource.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/localization/language.h"
#include "ui/resource_sound.h"
#include "ui/skin_cursors_win32.h"
#include "ui/skin_fonts_win32.h"
#include "ui/window_helpers_win32.h"

namespace {

class Win32InstallationFiles : public InstallationFiles {
public:
    bool IsFile(const char* path) override { return IsExistingFile(path); }
    bool OpenDataResource(const char* path) override {
        SetDataResourcePath(path);
        return LoadDataResourceFromFile(path, nullptr, nullptr, nullptr) == kDataResourceOk;
    }
};

// The process-wide resources every window shares, from the cursors to the sounds, made once
// the installation is known and released after the last window.
class SharedResources {
public:
    SharedResources(HINSTANCE instance, int osVersionCode) {
        LoadSkinCursors(!UsesSystemCursors(osVersionCode));
        (void)CreateSkinFonts();
        (void)LoadProgramIcons(instance);
    }
    ~SharedResources() {
        DestroyProgramIcons();
        DeleteSkinFonts();
        WaitForResourceSounds();  // a sound still playing would be cut off with the process
    }
    SharedResources(const SharedResources&) = delete;
    SharedResources& operator=(const SharedResources&) = delete;
};

int RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

void InitializeCommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    (void)InitCommonControlsEx(&controls);
}

// The main window and the message loop; the exit code of the loop.
int RunApplication(ProcessFacts& process) {
    if (!RegisterMainWindowClass() || !RegisterDialogBitmapClass()) return 0;
    MainWindow main(&process);
    HWND window = CreateMainWindow(main);
    if (window == nullptr) return 0;
    // The first run shows the window (the welcome comes with it); otherwise it shows unless
    // the program starts hidden or only to show a picture file.
    if (ShowsMainWindowAtStart(process.commandLine)) SendMessageA(window, WM_COMMAND, kCommandOpen, 0);
    return RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ProcessFacts process;
    process.instance = instance;
    process.commandLine = KeptCommandLine(commandLine != nullptr ? commandLine : "");

    FirstInstanceClaim claim = ClaimFirstInstance(kApplicationMutexName);
    if (claim.otherInstanceRunning) {
        HandOverToFirstInstance(process.commandLine);
        return 0;
    }

    RegistryStore store;
    LoadLanguageAndInstallation(store, process.settings);
    LoadLanguage(process.settings.szLanguage);
    if (!IsCommonControlsVersionSupported(CommonControlsVersion())) {
        ShowCommonControlsTooOldMessage();
        return 0;
    }
    InitializeCommonControls();
    InitializeResourceSounds();
    process.osVersionCode = CurrentOsVersionCode();
    process.windowsFolder = WindowsFolder();
    process.temporaryFolder = TemporaryFolder(process.windowsFolder);
    SetBrowserProgram(FindBrowserProgram(process.temporaryFolder).c_str());

    Win32InstallationFiles files;
    process.flags = WithFlag(process.flags, kFlagInstallationDamaged, IsInstallationDamaged(process.settings, files));
    process.flags = WithFlag(process.flags, kFlagFirstRun, HasSwitch(process.commandLine, kSwitchFirstRun));
    int exitCode = 0;
    {
        SharedResources resources(instance, process.osVersionCode);
        if ((process.flags & kFlagInstallationDamaged) != 0) {
            ShowInstallDialog(instance, process.settings);
        } else {
            exitCode = RunApplication(process);
        }
    }
    ShutdownResourceSounds();
    return exitCode;
}
