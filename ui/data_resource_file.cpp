#include "ui/data_resource_file.h"

bool DataResourceFile::Open(const char* path) {
    position_ = 0;
    return file_.OpenForSequentialRead(path) && file_.Size(size_);
}

bool DataResourceFile::ReadExact(void* buffer, size_t count) {
    if (count > Remaining() || !file_.ReadExact(buffer, count)) return false;
    position_ += count;
    return true;
}

bool DataResourceFile::Skip(uint64_t count) {
    if (count > Remaining() || !file_.SkipForward(count)) return false;
    position_ += count;
    return true;
}
