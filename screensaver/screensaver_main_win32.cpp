// Tapestrique.scr: started by the system full screen, as a preview inside a window it names,
// or for its configuration (which is the desktop application's), and by the application's
// test button as a test preview. One copy runs at a time; it checks the system and the
// desktop application's installation, makes the process-wide resources and runs its window
// until the user comes back.
#include <windows.h>

#include "app/startup/command_line.h"
#include "app/startup/install_dialog_win32.h"
#include "app/startup/installation_check.h"
#include "app/startup/os_version.h"
#include "app/startup/program_process_win32.h"
#include "app/startup/single_instance_win32.h"
#include "app/startup/startup_environment_win32.h"
#include "screensaver/screensaver_process_win32.h"
#include "screensaver/screensaver_window_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_loader.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"
#include "ui/resource_sound.h"
#include "ui/window_helpers_win32.h"

namespace {

uint32_t LaunchFlags(ScreensaverMode mode) {
    switch (mode) {
        case ScreensaverMode::Preview:
            return kScreensaverPreview;
        case ScreensaverMode::TestPreview:
            return kScreensaverPreview | kScreensaverTestPreview;
        default:
            return 0;
    }
}

// The window and its message loop; the loop's exit code.
int RunScreensaver(ScreensaverProcess& process) {
    ScreensaverWindow state(&process);
    if (CreateScreensaverWindow(state) == nullptr) return 0;
    return RunMessageLoop();
}

// What the process does once it knows its installation and mode; the exit code.
int Dispatch(ScreensaverProcess& process) {
    if (process.Has(kScreensaverInstallationProblem)) {
        if (!process.IsPreview()) ShowInstallDialog(process.instance, process.settings);
        return 0;
    }
    if (process.launch.mode == ScreensaverMode::Configuration) {
        (void)WinExec(process.paths.application.c_str(), SW_SHOWNORMAL);
        return 0;
    }
    return RunScreensaver(process);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // A second copy ends at once and says nothing: the system starts screensavers again and
    // again while one runs.
    FirstInstanceClaim claim = ClaimFirstInstance(kScreensaverMutexName);
    if (claim.otherInstanceRunning) return 0;

    ScreensaverProcess process;
    process.instance = instance;
    process.commandLine = KeptCommandLine(commandLine != nullptr ? commandLine : "");

    RegistryStore store;
    LoadLanguageAndInstallation(store, process.settings);
    LoadLanguage(process.settings.szLanguage);
    if (!IsCommonControlsVersionSupported(CommonControlsVersion())) {
        ShowCommonControlsTooOldMessage(Text(TextId::ScreensaverCaption));
        return 0;
    }
    InitializeCommonControls();
    InitializeResourceSounds();
    process.osVersionCode = CurrentOsVersionCode();
    SetBrowserProgram(FindBrowserProgram(TemporaryFolder(WindowsFolder())).c_str());
    process.canvasWidth = GetSystemMetrics(SM_CXSCREEN);
    process.canvasHeight = GetSystemMetrics(SM_CYSCREEN);

    SystemInstallationFiles files;
    if (IsInstallationDamaged(process.settings, files)) process.flags |= kScreensaverInstallationProblem;
    process.paths = InstallationPathsFrom(process.settings);
    process.launch = ReadScreensaverCommandLine(process.commandLine);
    process.flags |= LaunchFlags(process.launch.mode);

    int exitCode = 0;
    {
        ProcessResources resources(instance, process.osVersionCode);
        exitCode = Dispatch(process);
    }
    ShutdownResourceSounds();
    return exitCode;
}
