// The collection folder: one "<title>.tqi" file per picture. Every command addresses a
// picture by its title, and a title is only ever used as a file name once CheckTitle
// (collection/picture_title.h) accepts it with kStoredTitleLength, so no title can name a
// device or a file outside the folder; one that does not pass gives kFileInvalidName and
// touches nothing.
//
// Writes never leave a picture half done: a new file is written completely beside its target
// and only then takes its place, and an old file is deleted only after its successor exists.
//
//     if (CollectionHasTitle(titles, record.title)) ...   // ask before overwriting
//     if (StoreCollectionPicture(folder, record) != kFileOk) ...
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "collection/picture_record.h"

// Reads the picture named `title` (see ReadPictureFile).
[[nodiscard]] FileResult ReadCollectionPicture(const char* folder,
                                               const char* title,
                                               PictureRecord& record,
                                               bool withPayload);

// Writes `record` (with its payload) as "<title>.tqi", creating the folder when it is missing
// and replacing a picture of the same title only once the new file is complete.
[[nodiscard]] FileResult StoreCollectionPicture(const char* folder, const PictureRecord& record);

// Deletes the picture; kFileNotWritten when its file cannot be deleted.
[[nodiscard]] FileResult DeleteCollectionPicture(const char* folder, const char* title);

// Gives the picture `oldTitle` the title `newTitle`: the new file, with the new title inside,
// is written completely before the old one is deleted, and the old file stays whenever
// anything fails. Titles that differ only in letter case name one file on Windows, so such a
// rename (the same title included) is refused with kFileInvalidName; the caller refuses any
// title the list already holds.
[[nodiscard]] FileResult RenameCollectionPicture(const char* folder, const char* oldTitle, const char* newTitle);

// The file an export of `title` writes: "<title>.jpg" in the export folder. The caller asks
// before an existing one is overwritten.
[[nodiscard]] std::string ExportedPicturePath(const char* exportFolder, const char* title);

// Writes the picture's JPEG payload, byte for byte, to ExportedPicturePath (stored in
// `exportedPath`), creating the export folder when it is missing.
[[nodiscard]] FileResult ExportCollectionPicture(const char* collectionFolder,
                                                 const char* title,
                                                 const char* exportFolder,
                                                 std::string& exportedPath);

// Whether the list holds `title` in any letter case of Windows-1252.
[[nodiscard]] bool CollectionHasTitle(const std::vector<std::string>& titles, std::string_view title);
