// Whether the installation can run: the installer's Install key names a folder that holds
// the program and its data-resource file, and says it installed this version. A damaged
// installation shows the install dialog and ends the program.
//
// The file system's side is behind InstallationFiles, so the order of the checks and their
// outcome are the same in the Windows program and in the tests.
#pragma once

#include <string>

#include "settings/settings.h"

constexpr char kInstalledVersion[] = "1.0.01";  // compared without regard to letter case
constexpr char kApplicationFileName[] = "Tapestrique.exe";
constexpr char kDataResourceFileName[] = "Tapestrique.dat";

class InstallationFiles {
public:
    virtual ~InstallationFiles() = default;
    // Whether `path` is an existing file.
    [[nodiscard]] virtual bool IsFile(const char* path) = 0;
    // Opens the data-resource file for the rest of the process (the install dialog plays its
    // sounds too); false when it cannot be used.
    [[nodiscard]] virtual bool OpenDataResource(const char* path) = 0;
};

// The installation folder and the files in it, from InstallDir (its trailing backslash is
// already removed when the settings are loaded).
struct InstallationPaths {
    std::string folder;
    std::string application;   // kApplicationFileName in the folder, for the Run entry
    std::string dataResource;  // kDataResourceFileName in the folder
};
[[nodiscard]] InstallationPaths InstallationPathsFrom(const Settings& settings);

// The checks in their order, each only when the ones before it passed: InstallDir read (not
// empty; a key that cannot be opened leaves it empty), the program in it, the data-resource
// file opened, InstallVersion equal to kInstalledVersion in any letter case.
[[nodiscard]] bool IsInstallationDamaged(const Settings& settings, InstallationFiles& files);
