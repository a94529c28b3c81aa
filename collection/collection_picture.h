// A picture of the collection by its title: the file "<title>.tqi" in the collection folder.
#pragma once

#include "base/file_result.h"
#include "collection/picture_record.h"

// Reads the picture named `title` (see ReadPictureFile). A title that is empty or would reach
// into another folder (a path separator or a drive colon) names no picture of the collection:
// kFileCannotOpen, and nothing is opened.
[[nodiscard]] FileResult ReadCollectionPicture(const char* folder,
                                               const char* title,
                                               PictureRecord& record,
                                               bool withPayload);
