// Tapestrique.exe: one instance per logon session, which checks the system and its
// installation, makes the process-wide resources, creates the main window and runs the
// message loop until the user exits from the tray menu.
#include <windows.h>

#include "app/main_window/main_window_win32.h"
#include "app/settings_sheet/welcome_about_win32.h"
#include "app/startup/application_flags.h"
#include "app/startup/command_line.h"
#include "app/startup/install_dialog_win32.h"
#include "app/startup/installation_check.h"
#include "app/startup/os_version.h"
#include "app/startup/program_process_win32.h"
#include "app/startup/single_instance_win32.h"
#include "app/startup/startup_environment_win32.h"
#include "base/file_io.h"
#include "settings/settings_loader.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/localization/language.h"
#include "ui/resource_sound.h"
#include "ui/window_helpers_win32.h"

namespace {

// The main window and the message loop; the exit code of the loop.
int RunApplication(ProcessFacts& process) {
    if (!RegisterMainWindowClass() || !RegisterDialogBitmapClass()) return 0;
    MainWindow main(&process);
    HWND window = CreateMainWindow(main);
    if (window == nullptr) return 0;
    // The first run shows the window (the welcome comes with it); otherwise it shows unless
    // the program starts hidden or only to show a picture file.
    if (ShowsMainWindowAtStart(process.commandLine)) SendMessageA(window, WM_COMMAND, kCommandOpen, 0);
    if ((process.flags & kFlagFirstRun) != 0) ShowWelcomeDialog(main);
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

    SystemInstallationFiles files;
    process.flags = WithFlag(process.flags, kFlagInstallationDamaged, IsInstallationDamaged(process.settings, files));
    process.flags = WithFlag(process.flags, kFlagFirstRun, HasSwitch(process.commandLine, kSwitchFirstRun));
    int exitCode = 0;
    {
        ProcessResources resources(instance, process.osVersionCode);
        if ((process.flags & kFlagInstallationDamaged) != 0) {
            ShowInstallDialog(instance, process.settings);
        } else {
            exitCode = RunApplication(process);
        }
    }
    ShutdownResourceSounds();
    return exitCode;
}
