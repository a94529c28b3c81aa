#include "collection/collection_picture.h"

#include <cstring>
#include <string>

#include "base/directory_listing.h"
#include "collection/tqi_file.h"

FileResult ReadCollectionPicture(const char* folder, const char* title, PictureRecord& record, bool withPayload) {
    if (title == nullptr || title[0] == '\0' || std::strpbrk(title, "\\/:") != nullptr) return kFileCannotOpen;
    const std::string path = PathInFolder(folder, std::string(title) + ".tqi");
    return ReadPictureFile(PictureSource::FromPath(path.c_str()), record, withPayload);
}
