#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/data_resource_file.h"

DataResourceFile::~DataResourceFile() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool DataResourceFile::Open(const char* path) {
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    handle_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
    position_ = 0;
    return true;
}

bool DataResourceFile::ReadExact(void* buffer, size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(static_cast<int>(handle_), bytes + done, count - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
        position_ += static_cast<uint64_t>(got);
    }
    return true;
}

bool DataResourceFile::Skip(uint64_t count) {
    if (count > Remaining()) return false;
    if (::lseek(static_cast<int>(handle_), static_cast<off_t>(count), SEEK_CUR) < 0) return false;
    position_ += count;
    return true;
}
