#include "app/startup/program_process_win32.h"

#include <commctrl.h>

#include "app/startup/os_version.h"
#include "app/startup/program_icons_win32.h"
#include "base/file_io.h"
#include "ui/data_resource.h"
#include "ui/resource_sound.h"
#include "ui/skin_cursors_win32.h"
#include "ui/skin_fonts_win32.h"

void InitializeCommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    (void)InitCommonControlsEx(&controls);
}

bool SystemInstallationFiles::IsFile(const char* path) {
    return IsExistingFile(path);
}

bool SystemInstallationFiles::OpenDataResource(const char* path) {
    SetDataResourcePath(path);
    return LoadDataResourceFromFile(path, nullptr, nullptr, nullptr) == kDataResourceOk;
}

ProcessResources::ProcessResources(HINSTANCE instance, int osVersionCode) {
    LoadSkinCursors(!UsesSystemCursors(osVersionCode));
    (void)CreateSkinFonts();
    (void)LoadProgramIcons(instance);
}

ProcessResources::~ProcessResources() {
    DestroyProgramIcons();
    DeleteSkinFonts();
    WaitForResourceSounds();
}

int RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}
