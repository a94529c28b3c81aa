#include "collection/collection_folder.h"

#include <cstring>

#include "base/directory_listing.h"
#include "base/file_io.h"
#include "base/text_case.h"
#include "base/whole_file.h"
#include "collection/picture_title.h"
#include "collection/tqi_file.h"

namespace {

constexpr const char* kPictureExtension = ".tqi";
constexpr const char* kExportExtension = ".jpg";

bool IsUsableTitle(const char* title) {
    return title != nullptr && CheckTitle(title, kStoredTitleLength) == TitleCheck::kValid;
}

std::string PicturePath(const char* folder, const char* title) {
    return PathInFolder(folder, std::string(title) + kPictureExtension);
}

}  // namespace

FileResult ReadCollectionPicture(const char* folder, const char* title, PictureRecord& record, bool withPayload) {
    if (!IsUsableTitle(title)) return kFileInvalidName;
    const std::string path = PicturePath(folder, title);
    return ReadPictureFile(PictureSource::FromPath(path.c_str()), record, withPayload);
}

FileResult StoreCollectionPicture(const char* folder, const PictureRecord& record) {
    // The stored title must end at its NUL within the field, like any title a reader accepts.
    if (std::memchr(record.title, '\0', sizeof record.title) == nullptr || !IsUsableTitle(record.title)) {
        return kFileInvalidName;
    }
    if (!CreateFolder(folder)) return kFileNotWritten;
    const std::string path = PicturePath(folder, record.title);
    return WritePictureFile(path.c_str(), record);
}

FileResult DeleteCollectionPicture(const char* folder, const char* title) {
    if (!IsUsableTitle(title)) return kFileInvalidName;
    return DeleteFilePath(PicturePath(folder, title).c_str()) ? kFileOk : kFileNotWritten;
}

FileResult RenameCollectionPicture(const char* folder, const char* oldTitle, const char* newTitle) {
    if (!IsUsableTitle(oldTitle) || !IsUsableTitle(newTitle) || EqualNoCaseCp1252(oldTitle, newTitle)) {
        return kFileInvalidName;
    }
    ScopedPictureRecord picture;
    FileResult result = ReadCollectionPicture(folder, oldTitle, picture.record, true);
    if (result != kFileOk) return result;
    std::strcpy(picture.record.title, newTitle);  // fits: usable titles have at most 127 characters
    result = StoreCollectionPicture(folder, picture.record);
    if (result != kFileOk) return result;
    result = DeleteCollectionPicture(folder, oldTitle);
    // Two pictures where there was one would outlive the failure: the new file goes again.
    if (result != kFileOk) (void)DeleteCollectionPicture(folder, newTitle);
    return result;
}

std::string ExportedPicturePath(const char* exportFolder, const char* title) {
    return PathInFolder(exportFolder, std::string(title) + kExportExtension);
}

FileResult ExportCollectionPicture(const char* collectionFolder,
                                   const char* title,
                                   const char* exportFolder,
                                   std::string& exportedPath) {
    if (!IsUsableTitle(title)) return kFileInvalidName;
    ScopedPictureRecord picture;
    FileResult result = ReadCollectionPicture(collectionFolder, title, picture.record, true);
    if (result != kFileOk) return result;
    if (!CreateFolder(exportFolder)) return kFileNotWritten;
    exportedPath = ExportedPicturePath(exportFolder, title);
    return WriteWholeFile(exportedPath.c_str(), picture.record.payload, picture.record.payloadSize);
}

bool CollectionHasTitle(const std::vector<std::string>& titles, std::string_view title) {
    return FindPictureIndex(titles, title) >= 0;
}
