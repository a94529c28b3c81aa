// The files of one folder, for the portable core: the collection lists its pictures with it.
// Implemented with FindFirstFile in the Windows build (directory_listing_win32.cpp) and with
// readdir in the host build (directory_listing_posix.cpp).
//
//     std::vector<std::string> names;
//     if (ListFilesWithExtension(folder, ".tqi", names))
//         for (const std::string& name : names) Read(PathInFolder(folder, name));
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names (not paths) of the files directly inside `folder` whose names end in `extension`
// ("." included) in any ASCII letter case, in the order the system gives them; folders are
// left out. An empty folder gives true and no names; a folder that cannot be read gives false.
[[nodiscard]] bool ListFilesWithExtension(const char* folder, const char* extension, std::vector<std::string>& names);

// The path of `name` inside `folder`, joined with the system's separator.
[[nodiscard]] std::string PathInFolder(std::string_view folder, std::string_view name);

// Whether `name` ends in `extension` in any ASCII letter case; the system's own pattern
// matching is not trusted with it (Windows also matches short 8.3 aliases).
[[nodiscard]] bool HasExtension(std::string_view name, std::string_view extension);
