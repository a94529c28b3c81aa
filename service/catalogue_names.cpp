#include "service/catalogue_names.h"

namespace {

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

std::string PictureStem(std::string_view root,
                        std::string_view category,
                        std::string_view gallery,
                        std::string_view image) {
    std::string path(root);
    if (!path.empty() && path.back() != '/') path += '/';
    path += PictureIdentifier(category, gallery, image);
    return path;
}

}  // namespace

bool IsCatalogueName(std::string_view name) {
    if (name.empty() || name.size() > kCatalogueNameLength || name.front() == '.') return false;
    for (char c : name) {
        if (!IsNameByte(c)) return false;
    }
    return true;
}

std::string MakeCatalogueName(std::string_view text) {
    std::string name;
    for (char c : text) {
        if (name.empty() && c == '.') continue;
        name += IsNameByte(c) ? c : '_';
        if (name.size() == kCatalogueNameLength) break;
    }
    return name.empty() ? "Image" : name;
}

std::string PictureIdentifier(std::string_view category, std::string_view gallery, std::string_view image) {
    std::string identifier(category);
    identifier += '/';
    identifier += gallery;
    identifier += '/';
    identifier += image;
    return identifier;
}

std::string PictureFilePath(std::string_view root,
                            std::string_view category,
                            std::string_view gallery,
                            std::string_view image) {
    return PictureStem(root, category, gallery, image) + ".tqi";
}

std::string ThumbnailFilePath(std::string_view root,
                              std::string_view category,
                              std::string_view gallery,
                              std::string_view image) {
    return PictureStem(root, category, gallery, image) + "_Thumbnail.jpg";
}
