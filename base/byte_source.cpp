#include "base/byte_source.h"

#include "base/byte_order.h"

bool ByteSource::OpenFile(const char* path) {
    fromFile_ = true;
    fileSize_ = 0;
    filePosition_ = 0;
    delivered_ = 0;
    return path != nullptr && file_.OpenForSequentialRead(path) && file_.Size(fileSize_);
}

void ByteSource::OpenMemory(const void* data, size_t size) {
    file_.Close();
    fromFile_ = false;
    delivered_ = 0;
    memory_ = BoundedReader(static_cast<const unsigned char*>(data), data != nullptr ? size : 0);
}

size_t ByteSource::ReadSome(void* out, size_t count) {
    if (count > Remaining()) count = static_cast<size_t>(Remaining());
    size_t done = 0;
    if (!fromFile_) {
        done = memory_.Read(out, count) ? count : 0;
    } else {
        done = file_.Read(out, count);
        filePosition_ += done;
    }
    delivered_ += done;
    return done;
}

bool ByteSource::Read(void* out, size_t count) {
    if (count > Remaining()) return false;
    uint64_t start = Position();
    if (ReadSome(out, count) == count) return true;
    (void)Seek(start);  // a file that shrank under us: put the position back
    return false;
}

bool ByteSource::ReadLe32(uint32_t& value) {
    unsigned char bytes[4] = {};
    if (!Read(bytes, sizeof bytes)) return false;
    value = ::ReadLe32(bytes);
    return true;
}

bool ByteSource::Skip(uint64_t count) {
    if (count > Remaining()) return false;
    if (!fromFile_) return memory_.Skip(static_cast<size_t>(count));
    if (!file_.SkipForward(count)) return false;
    filePosition_ += count;
    return true;
}

bool ByteSource::Seek(uint64_t position) {
    if (position > Size()) return false;
    if (!fromFile_) return memory_.Seek(static_cast<size_t>(position));
    if (!file_.SeekTo(position)) return false;
    filePosition_ = position;
    return true;
}
