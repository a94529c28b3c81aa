#include <windows.h>

#include "base/directory_listing.h"

bool ListFilesWithExtension(const char* folder, const char* extension, std::vector<std::string>& names) {
    names.clear();
    std::string pattern = PathInFolder(folder, std::string("*") + extension);
    WIN32_FIND_DATAA found;
    // The basic information level skips the short names, and large fetches take a big
    // collection folder in fewer round trips.
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && HasExtension(found.cFileName, extension)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}
