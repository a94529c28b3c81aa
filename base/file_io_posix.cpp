#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

void File::Close() {
    if (handle_ != kNone) {
        ::close(static_cast<int>(handle_));
        handle_ = kNone;
    }
}

bool File::OpenForSequentialRead(const char* path) {
    Close();
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    handle_ = fd;
    return true;
}

bool File::CreateExclusive(const char* path) {
    Close();
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool File::Size(uint64_t& size) const {
    struct stat info {};
    if (handle_ == kNone || ::fstat(static_cast<int>(handle_), &info) != 0) return false;
    size = static_cast<uint64_t>(info.st_size);
    return true;
}

size_t File::Read(void* buffer, size_t count) {
    if (handle_ == kNone) return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    // read() may deliver less than asked before the end; one logical read gathers it all.
    while (done < count) {
        ssize_t got = ::read(static_cast<int>(handle_), bytes + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool File::SkipForward(uint64_t count) {
    return handle_ != kNone && count <= INT64_MAX &&
           ::lseek(static_cast<int>(handle_), static_cast<off_t>(count), SEEK_CUR) >= 0;
}

bool File::SeekTo(uint64_t position) {
    return handle_ != kNone && position <= INT64_MAX &&
           ::lseek(static_cast<int>(handle_), static_cast<off_t>(position), SEEK_SET) >= 0;
}

bool File::WriteAll(const void* buffer, size_t count) {
    if (handle_ == kNone) return false;
    auto* bytes = static_cast<const unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t put = ::write(static_cast<int>(handle_), bytes + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool File::Flush() {
    return handle_ != kNone && ::fsync(static_cast<int>(handle_)) == 0;
}

bool ReplaceFileWith(const char* to, const char* from) {
    return ::rename(from, to) == 0;
}

bool DeleteFilePath(const char* path) {
    return ::unlink(path) == 0;
}

bool CreateFolder(const char* path) {
    return ::mkdir(path, 0755) == 0 || IsExistingFolder(path);
}

bool IsExistingFile(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

bool IsExistingFolder(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeSiblingTempPath(const char* path, char* out, size_t outSize) {
    static std::atomic<unsigned> counter{0};
    int length = std::snprintf(out, outSize, "%s.~tmp%u-%u", path, static_cast<unsigned>(::getpid()), counter++);
    if (length >= 0 && static_cast<size_t>(length) < outSize) return true;
    if (outSize > 0) out[0] = '\0';
    return false;
}
