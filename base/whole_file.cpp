#include "base/whole_file.h"

#include <cstdint>
#include <cstdlib>

#include "base/file_io.h"

int ReadWholeFile(const char* path, unsigned char** data, size_t* size) {
    File file;
    if (!file.OpenForSequentialRead(path)) return 2;
    uint64_t fileSize = 0;
    if (!file.Size(fileSize) || fileSize == 0 || fileSize > SIZE_MAX) return 6;
    auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(fileSize)));
    if (buffer == nullptr) return 8;
    if (!file.ReadExact(buffer, static_cast<size_t>(fileSize))) {
        std::free(buffer);
        return 6;
    }
    *data = buffer;
    *size = static_cast<size_t>(fileSize);
    return 0;
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

int WriteWholeFile(const char* path, const void* data, size_t count) {
    return WriteFileReplacing(path, data, count) ? 0 : 1;
}
