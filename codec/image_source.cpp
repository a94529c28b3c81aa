// File sources and sinks through the C stream functions (narrow paths in the system code
// page in both builds), memory sources over a borrowed buffer.
#include "codec/image_source.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"

struct ImageSource {
    std::FILE* file = nullptr;
    char* path = nullptr;
    const unsigned char* memory = nullptr;
    size_t memorySize = 0;
    size_t memoryPosition = 0;
};

struct ImageSink {
    std::FILE* file = nullptr;
    bool failed = false;
};

namespace {

bool SeekFile(std::FILE* file, long long offset, int whence) {
#ifdef _WIN32
    return _fseeki64(file, offset, whence) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), whence) == 0;
#endif
}

long long TellFile(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<long long>(ftello(file));
#endif
}

bool FileSize(std::FILE* file, uint64_t& size) {
    long long here = TellFile(file);
    if (here < 0 || !SeekFile(file, 0, SEEK_END)) return false;
    long long end = TellFile(file);
    if (!SeekFile(file, here, SEEK_SET) || end < 0) return false;
    size = static_cast<uint64_t>(end);
    return true;
}

}  // namespace

ImageSource* OpenFileSource(const char* path) {
    if (!BeginCodecCall()) return nullptr;
    if (path == nullptr) {
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
    size_t length = std::strlen(path);
    auto* source = new (std::nothrow) ImageSource;
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (source == nullptr || copy == nullptr) {
        delete source;
        std::free(copy);
        SetCodecError(kCodecOutOfMemory);
        return nullptr;
    }
    std::memcpy(copy, path, length + 1);
    source->file = std::fopen(path, "rb");
    if (source->file == nullptr) {
        delete source;
        std::free(copy);
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
    source->path = copy;
    return source;
}

ImageSource* OpenMemorySource(const void* buffer, size_t size) {
    if (!BeginCodecCall()) return nullptr;
    if (buffer == nullptr) {
        SetCodecError(kCodecBadArgument);
        return nullptr;
    }
    auto* source = new (std::nothrow) ImageSource;
    if (source == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return nullptr;
    }
    source->memory = static_cast<const unsigned char*>(buffer);
    source->memorySize = size;
    return source;
}

bool SeekSource(ImageSource* source, long long offset, int origin) {
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    uint64_t size = 0;
    long long base = 0;
    if (source->file != nullptr) {
        if (!FileSize(source->file, size)) return SetCodecError(kCodecReadError), false;
        if (origin == kSourceFromCurrent) base = TellFile(source->file);
    } else {
        size = source->memorySize;
        if (origin == kSourceFromCurrent) base = static_cast<long long>(source->memoryPosition);
    }
    if (origin == kSourceFromEnd) base = static_cast<long long>(size);
    if (origin < kSourceFromStart || origin > kSourceFromEnd) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    // Offsets come from file headers; keep the sum from overflowing.
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0 || static_cast<uint64_t>(base + offset) > size) {
        SetCodecError(kCodecReadError);
        return false;
    }
    long long target = base + offset;
    if (source->file != nullptr) {
        if (!SeekFile(source->file, target, SEEK_SET)) return SetCodecError(kCodecReadError), false;
    } else {
        source->memoryPosition = static_cast<size_t>(target);
    }
    return true;
}

size_t ReadSource(ImageSource* source, void* buffer, size_t count) {
    if (source == nullptr || buffer == nullptr) return 0;
    if (source->file != nullptr) return std::fread(buffer, 1, count, source->file);
    size_t available = source->memorySize - source->memoryPosition;
    if (count > available) count = available;
    if (count != 0) std::memcpy(buffer, source->memory + source->memoryPosition, count);
    source->memoryPosition += count;
    return count;
}

bool GetSourceSize(ImageSource* source, uint64_t& size) {
    if (source == nullptr) return false;
    if (source->file != nullptr) return FileSize(source->file, size);
    size = source->memorySize;
    return true;
}

const char* GetSourcePath(const ImageSource* source) {
    return source == nullptr ? nullptr : source->path;
}

int CloseSource(ImageSource* source) {
    if (source == nullptr) return kCodecBadArgument;
    int result = 0;
    if (source->file != nullptr && std::fclose(source->file) != 0) result = kCodecReadError;
    std::free(source->path);
    delete source;
    return result;
}

bool LoadSourceBytes(ImageSource* source, SourceBytes& bytes) {
    bytes = SourceBytes{};
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    if (source->file == nullptr) {
        bytes.data = source->memory;
        bytes.size = source->memorySize;
        return true;
    }
    uint64_t size = 0;
    if (!FileSize(source->file, size) || !SeekFile(source->file, 0, SEEK_SET)) {
        SetCodecError(kCodecReadError);
        return false;
    }
    if (size > kCodecMaxAllocation) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    auto* data = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : static_cast<size_t>(size)));
    if (data == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    if (std::fread(data, 1, static_cast<size_t>(size), source->file) != size) {
        std::free(data);
        SetCodecError(kCodecReadError);
        return false;
    }
    bytes.data = data;
    bytes.size = static_cast<size_t>(size);
    bytes.owned = data;
    return true;
}

void FreeSourceBytes(SourceBytes& bytes) {
    std::free(bytes.owned);
    bytes = SourceBytes{};
}

ImageSink* OpenFileSink(const char* path) {
    if (!BeginCodecCall()) return nullptr;
    if (path == nullptr) {
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
    auto* sink = new (std::nothrow) ImageSink;
    if (sink == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return nullptr;
    }
    sink->file = std::fopen(path, "wb");
    if (sink->file == nullptr) {
        delete sink;
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
    return sink;
}

bool WriteSink(ImageSink* sink, const void* data, size_t count) {
    if (sink == nullptr || sink->failed) return false;
    if (count != 0 && std::fwrite(data, 1, count, sink->file) != count) {
        sink->failed = true;
        SetCodecError(kCodecWriteError);
        return false;
    }
    return true;
}

int CloseSink(ImageSink* sink) {
    if (sink == nullptr) return kCodecBadArgument;
    int result = sink->failed ? kCodecWriteError : 0;
    if (std::fclose(sink->file) != 0) result = kCodecWriteError;
    delete sink;
    return result;
}
