#include "base/whole_file.h"

#include <cstdint>
#include <cstdlib>

#include "base/file_io.h"

FileResult ReadWholeFile(const char* path, unsigned char** data, size_t* size) {
    File file;
    if (!file.OpenForSequentialRead(path)) return kFileCannotOpen;
    uint64_t fileSize = 0;
    if (!file.Size(fileSize) || fileSize == 0 || fileSize > SIZE_MAX) return kFileEmptyOrUnreadable;
    auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(fileSize)));
    if (buffer == nullptr) return kFileOutOfMemory;
    if (!file.ReadExact(buffer, static_cast<size_t>(fileSize))) {
        std::free(buffer);
        return kFileEmptyOrUnreadable;
    }
    *data = buffer;
    *size = static_cast<size_t>(fileSize);
    return kFileOk;
}

bool WriteFileReplacing(const char* path, const void* data, size_t count) {
    char temporary[1024];
    if (!MakeSiblingTempPath(path, temporary, sizeof temporary)) return false;
    {
        File file;
        if (!file.CreateExclusive(temporary)) return false;
        if (!file.WriteAll(data, count) || !file.Flush()) {
            file.Close();
            DeleteFilePath(temporary);
            return false;
        }
    }
    if (!ReplaceFileWith(path, temporary)) {
        DeleteFilePath(temporary);
        return false;
    }
    return true;
}

FileResult WriteWholeFile(const char* path, const void* data, size_t count) {
    return WriteFileReplacing(path, data, count) ? kFileOk : kFileNotWritten;
}
