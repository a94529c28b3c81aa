#include "app/startup/installation_check.h"

#include "base/directory_listing.h"
#include "base/text_case.h"

InstallationPaths InstallationPathsFrom(const Settings& settings) {
    InstallationPaths paths;
    paths.folder = settings.InstallDir;
    if (paths.folder.empty()) return paths;
    paths.application = PathInFolder(paths.folder, kApplicationFileName);
    paths.dataResource = PathInFolder(paths.folder, kDataResourceFileName);
    return paths;
}

bool IsInstallationDamaged(const Settings& settings, InstallationFiles& files) {
    InstallationPaths paths = InstallationPathsFrom(settings);
    if (paths.folder.empty()) return true;
    if (!files.IsFile(paths.application.c_str())) return true;
    if (!files.OpenDataResource(paths.dataResource.c_str())) return true;
    return !EqualNoCaseAscii(settings.InstallVersion, kInstalledVersion);
}
