// Opens the initialization window the way a program's start-up does and drives it from a main
// thread that never pumps a message: the list is read in four steps, then the window waits in
// the work area's corner for the screenshot and is closed. Used by the initialization_window
// scenario.
//
//   initialization_probe DAT RECT-FILE [SECONDS]
//
// Writes "x y width height" of the window to RECT-FILE once the progress is shown, stays busy
// for SECONDS (default 4) and exits: 0 on success, 2 when the window does not open.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "ui/data_resource.h"
#include "ui/initialization_window_win32.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"
#include "ui/skin_fonts_win32.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: initialization_probe DAT RECT-FILE [SECONDS]\n");
        return 64;
    }
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 4;
    SetDataResourcePath(argv[1]);
    (void)SetLanguageIndex(kLanguageEnglish);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateSkinFonts()) return 2;

    InitializationWindow initialization;
    if (!OpenInitializationWindow(initialization)) return 2;
    HWND window = initialization.window;
    (void)SendProgress(window, kProgressInitialization, kStartupListReadingPosition, Text(TextId::ReadingImageList));
    // Half of a collection of four, each file as long to read as a slow disk makes it.
    for (int read = 1; read <= 2; ++read) {
        Sleep(300);
        (void)SendProgress(window, kProgressInitialization, StartupProgressPosition(read, 4), nullptr);
    }
    RECT place = {};
    GetWindowRect(window, &place);
    FILE* rect = std::fopen(argv[2], "w");
    if (rect != nullptr) {
        std::fprintf(rect, "%ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
                     place.bottom - place.top);
        std::fclose(rect);
    }
    Sleep(static_cast<DWORD>(seconds) * 1000);
    (void)SendProgress(window, kProgressInitialization, kStartupListCompletePosition,
                       Text(TextId::StartingTapestrique));
    CloseInitializationWindow(initialization);
    DeleteSkinFonts();
    return 0;
}
