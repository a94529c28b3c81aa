// What the main window does when the system's settings change (WM_WININICHANGE, also sent
// by the window itself after every wallpaper application): it reads the interface effects,
// the desktop colour, the screen size and the work area again, and composes the wallpaper
// again when they changed in a way that shows on it.
#include "app/main_window/environment_change.h"
#include "app/main_window/main_window_win32.h"
#include "app/startup/application_flags.h"
#include "app/startup/os_version.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"

namespace {

void ReadInterfaceEffects(MainWindow& state) {
    const int os = state.process->osVersionCode;
    if (HasUiEffectsSetting(os)) {
        BOOL effects = TRUE;
        if (SystemParametersInfoA(SPI_GETUIEFFECTS, 0, &effects, 0)) state.SetFlag(kFlagUiEffectsOff, !effects);
    }
    if (HasFlatMenuSetting(os)) {
        BOOL flat = FALSE;
        if (SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0)) state.SetFlag(kFlagFlatMenus, flat != FALSE);
    }
    SetWindowAnimationSupport(!state.HasFlag(kFlagUiEffectsOff), FadesWindows(os));
}

}  // namespace

void OnEnvironmentChange(MainWindow& state) {
    (void)SyncScreensaverState(state.store, state.settings(), state.screensaver);
    ReadInterfaceEffects(state);
    const WallpaperScreen current = ReadWallpaperScreen();
    const EnvironmentChange change = DecideEnvironmentChange(
        state.screen, current, state.settings().btWallpaperImagesUseOnlyWorkArea == 1, !state.selectedName.empty());
    state.screen = current;
    if (change.redrawPreview) OnPictureListSelectionChanged(state);
    if (change.reapplyWallpaper) SendMessageA(state.window, WM_APP_APPLY_WALLPAPER, 0, 0);
    if (state.settings().btDesktopIconsTextBkgndTransparent == 1) MakeIconTextTransparent();
}
