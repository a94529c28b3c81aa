// What start-up learns about the system before any window exists: the common-controls
// version, the operating-system generation, the Windows and temporary folders and the program
// that opens web pages. Each is asked once and kept by the caller; failures give the neutral
// answer named below and are never reported. Windows only.
//
//     if (!IsCommonControlsVersionSupported(CommonControlsVersion())) {
//         ShowCommonControlsTooOldMessage();
//         return 0;
//     }
//     std::string windows = WindowsFolder();
//     std::string temporary = TemporaryFolder(windows);
//     SetBrowserProgram(FindBrowserProgram(temporary).c_str());
#pragma once

#include <cstdint>
#include <string>

// comctl32's version as PackedDllVersion gives it (app/startup/os_version.h); 0 when the
// library, its DllGetVersion or the call fails.
[[nodiscard]] uint32_t CommonControlsVersion();

// The running system's OsVersionCode (app/startup/os_version.h).
[[nodiscard]] int CurrentOsVersionCode();

// The Windows folder without a trailing backslash; empty when the system does not say.
[[nodiscard]] std::string WindowsFolder();

// The user's temporary folder without a trailing backslash, or `windowsFolder` when the
// system names no folder or one that does not exist.
[[nodiscard]] std::string TemporaryFolder(const std::string& windowsFolder);

// The program registered for ".html" files, found by asking the shell about a page written for
// the purpose in `temporaryFolder` (and deleted again); empty when there is none or the
// program named does not exist.
[[nodiscard]] std::string FindBrowserProgram(const std::string& temporaryFolder);

// The error box of a comctl32 older than 4.71, in the current language, without owner, with
// the caption of the program that cannot run.
void ShowCommonControlsTooOldMessage(const char* caption = "Tapestrique");
