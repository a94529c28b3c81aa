// The operating-system generation the program adapts to (OsVersionCode), from the version
// that GetVersionEx reports, and the behaviours that depend on it; the common-controls
// version the program needs.
//
//   0  major below 4                 4  major 4, minor below 10, NT platform
//   1  major 4, minor below 10       5  major 5, minor 0
//   2  major 4, minor 10 to 89       6  major 5, minor 1
//   3  major 4, minor 90 or more     7  major 5, minor 2 or more; major 6 or more
//
// Every major version from 6 on is the newest generation whatever its minor version: the
// minor number restarts with each major one, and Windows 10 (10.0) is not older than XP.
#pragma once

#include <cstdint>

[[nodiscard]] int OsVersionCode(uint32_t major, uint32_t minor, bool ntPlatform);

// The system's own hand and arrow cursors instead of the program's.
[[nodiscard]] constexpr bool UsesSystemCursors(int osVersionCode) {
    return osVersionCode >= 5;
}
// Whether the menu and tooltip effects setting (SPI_GETUIEFFECTS) exists.
[[nodiscard]] constexpr bool HasUiEffectsSetting(int osVersionCode) {
    return osVersionCode >= 5;
}
// Whether the flat-menu setting (SPI_GETFLATMENU) exists; windows fade from the same generation.
[[nodiscard]] constexpr bool HasFlatMenuSetting(int osVersionCode) {
    return osVersionCode >= 6;
}
[[nodiscard]] constexpr bool FadesWindows(int osVersionCode) {
    return osVersionCode >= 6;
}

// A DLL version as DllGetVersion's major and minor numbers give it: major x 65536 + minor
// (0 when it could not be read).
[[nodiscard]] constexpr uint32_t PackedDllVersion(uint32_t major, uint32_t minor) {
    return major * 65536 + minor;
}
// The property sheets, list views and hotkey controls need comctl32 4.71 or later.
[[nodiscard]] constexpr bool IsCommonControlsVersionSupported(uint32_t packedVersion) {
    return packedVersion > PackedDllVersion(4, 70);
}
