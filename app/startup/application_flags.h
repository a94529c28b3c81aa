// The desktop application's process-wide facts, one bit each, set during start-up and by the
// main window's environment checks.
#pragma once

#include <cstdint>

enum ApplicationFlag : uint32_t {
    kFlagInstallationDamaged = 0x001,
    kFlagMainWindowClosing = 0x002,
    kFlagNoDirectShowPlayback = 0x004,
    kFlagTransitionsAvailable = 0x008,
    kFlagFirstRun = 0x010,
    kFlagMachineKeyWritable = 0x020,  // the user may write to HKEY_LOCAL_MACHINE\Software
    kFlagUiEffectsOff = 0x040,        // menu and tooltip effects are off
    kFlagFlatMenus = 0x080,
    kFlagTrayIconPresent = 0x100,
};

[[nodiscard]] constexpr uint32_t WithFlag(uint32_t flags, ApplicationFlag flag, bool on) {
    return on ? flags | flag : flags & ~static_cast<uint32_t>(flag);
}
