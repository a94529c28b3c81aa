// Results of the file routines: the picture file (collection/tqi_file.h) and the whole-file
// reading and writing beside it (base/whole_file.h) share this numbering. Callers treat
// every value but kFileOk as failure; import and export tell them apart.
#pragma once

enum FileResult : int {
    kFileOk = 0,
    kFileNotWritten = 1,  // compression failed, or the file cannot be created or fully written
    kFileCannotOpen = 2,
    kFileDamaged = 3,  // not a picture file: magic, title, lengths, a short read, a bad payload
    kFileEmptyOrUnreadable = 6,
    kFileOutOfMemory = 8,
    kFileInvalidName = 9,  // a title that cannot name a file of the collection; nothing was touched
};
