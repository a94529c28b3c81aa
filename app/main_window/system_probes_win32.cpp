#include "app/main_window/system_probes_win32.h"

#include <windows.h>

#include <dshow.h>

#include "screensaver/transitions/effect_catalogue.h"
#include "win32/com_owners_win32.h"
#include "win32/system_handles_win32.h"

bool CanWriteMachineSoftwareKey() {
    OwnedRegistryKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_WRITE, key.Receive()) == ERROR_SUCCESS;
}

bool CanPlayDirectShow() {
    ComPtr<IMediaControl> control;
    return SUCCEEDED(
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaControl, control.ReceiveVoid()));
}

bool AreTransitionsAvailable() {
    // The effects are the program's own code, not a system component that may be missing, so
    // this holds in every build that links the engine; it never stops the start.
    return EffectCatalogue(0).draw != nullptr;
}
