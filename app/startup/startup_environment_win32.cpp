#include "app/startup/startup_environment_win32.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "app/startup/os_version.h"
#include "base/directory_listing.h"
#include "base/file_io.h"
#include "ui/localization/text_table.h"
#include "win32/unique_handle.h"

namespace {

using OwnedLibrary = UniqueHandle<HandleClosedBy<HMODULE, FreeLibrary>>;

constexpr char kBrowserProbeFileName[] = "Tapestrique Temp.html";

std::string WithoutTrailingBackslash(const char* path, DWORD length) {
    if (length > 0 && path[length - 1] == '\\') --length;
    return std::string(path, length);
}

// The text of a folder call that fills `buffer` and returns the length, or a larger size
// (or 0) when it fails.
template <typename Call>
std::string FolderFrom(Call call) {
    char buffer[MAX_PATH + 1];
    DWORD length = call(buffer, static_cast<DWORD>(sizeof buffer));
    if (length == 0 || length >= sizeof buffer) return {};
    return WithoutTrailingBackslash(buffer, length);
}

}  // namespace

uint32_t CommonControlsVersion() {
    OwnedLibrary library(LoadLibraryA("comctl32.dll"));
    if (!library.IsValid()) return 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), "DllGetVersion")));
    if (getVersion == nullptr) return 0;
    // The original structure of 20 bytes: every version of comctl32 that exports the call
    // knows it.
    DLLVERSIONINFO info = {};
    static_assert(sizeof info == 20);
    info.cbSize = sizeof info;
    if (FAILED(getVersion(&info))) return 0;
    return PackedDllVersion(info.dwMajorVersion, info.dwMinorVersion);
}

int CurrentOsVersionCode() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return OsVersionCode(0, 0, false);
    return OsVersionCode(info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId == VER_PLATFORM_WIN32_NT);
}

std::string WindowsFolder() {
    return FolderFrom([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string TemporaryFolder(const std::string& windowsFolder) {
    std::string folder = FolderFrom([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
    return !folder.empty() && IsExistingFolder(folder.c_str()) ? folder : windowsFolder;
}

std::string FindBrowserProgram(const std::string& temporaryFolder) {
    const std::string page = PathInFolder(temporaryFolder, kBrowserProbeFileName);
    std::string browser;
    {
        File probe;
        if (!probe.CreateExclusive(page.c_str())) return {};
        char program[MAX_PATH] = {};
        HINSTANCE found = FindExecutableA(page.c_str(), temporaryFolder.c_str(), program);
        if (reinterpret_cast<INT_PTR>(found) > 32 && IsExistingFile(program)) browser = program;
    }  // closed before it can be deleted
    (void)DeleteFilePath(page.c_str());
    return browser;
}

void ShowCommonControlsTooOldMessage(const char* caption) {
    MessageBoxA(nullptr, Text(TextId::CommonControlsTooOld), caption, MB_ICONERROR);
}
