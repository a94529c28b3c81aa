// Turning an ordinary picture file into a picture of the collection, as the import does for
// each file the user picks: the size is read from the file's headers and checked before
// anything is decoded (a small file that describes a giant picture is refused at once, not
// after it has exhausted memory), then the file is decoded to check it whole, and its payload
// is the JPEG file itself or, for every other format, a JPEG of quality 100 made of it.
//
//     PictureRecord record;
//     ImportResult result = PreparePictureImport(path, temporaryFolder, record);
//     if (result == ImportResult::kImported) { WritePictureFile(...); FreePicturePayload(record); }
#pragma once

#include "collection/picture_record.h"

// Both sides of an imported picture lie in kImportSmallestSide..kImportLargestSide.
constexpr int kImportSmallestSide = 64;
constexpr int kImportLargestSide = 4096;

[[nodiscard]] bool IsImportableSize(int width, int height);

// Why a file is not imported; the import tells the user each of these with a text of its own.
enum class ImportResult {
    kImported,
    kCannotOpen,   // the file cannot be opened or read (codec errors 2 and 3 included)
    kOutOfMemory,  // codec error 1
    kNotAnImage,   // any other codec error
    kSizeRefused,  // a side outside the bounds above
};

// Fills `record` (title: TitleFromFileName of the file's name, collection/picture_title.h;
// size; payload, freed by the holder) for `path`. A JPEG of a non-JPEG file is
// made in `temporaryFolder` and deleted again.
[[nodiscard]] ImportResult PreparePictureImport(const char* path, const char* temporaryFolder, PictureRecord& record);
