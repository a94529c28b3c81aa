#include "base/directory_listing.h"

#include "base/text_case.h"

namespace {
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif
}  // namespace

std::string PathInFolder(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!folder.empty() && folder.back() != kPathSeparator) path.push_back(kPathSeparator);
    path.append(name);
    return path;
}

bool HasExtension(std::string_view name, std::string_view extension) {
    return name.size() >= extension.size() && EqualNoCaseAscii(name.substr(name.size() - extension.size()), extension);
}
