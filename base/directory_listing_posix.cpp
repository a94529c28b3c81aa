#include <dirent.h>
#include <sys/stat.h>

#include "base/directory_listing.h"

namespace {

// d_type is only a hint: some file systems report DT_UNKNOWN, and a link may name a file.
bool IsRegularFile(int folderFd, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return false;
    struct stat info {};
    return ::fstatat(folderFd, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool ListFilesWithExtension(const char* folder, const char* extension, std::vector<std::string>& names) {
    names.clear();
    DIR* directory = ::opendir(folder);
    if (directory == nullptr) return false;
    while (const dirent* entry = ::readdir(directory)) {
        if (HasExtension(entry->d_name, extension) && IsRegularFile(::dirfd(directory), *entry)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(directory);
    return true;
}
