// Sources read through the shared byte source (a file, or a borrowed memory buffer); sinks
// write through the C stream functions. Paths are narrow, in the system code page.
#include "codec/image_source.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "base/byte_source.h"
#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"

struct ImageSource {
    ByteSource bytes;
    WorkArray<char> path;  // empty for a memory source
};

struct ImageSink {
    std::FILE* file = nullptr;
    bool failed = false;
};

ImageSource* OpenFileSource(const char* path) {
    if (!BeginCodecCall()) return nullptr;
    if (path == nullptr) {
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
    size_t length = std::strlen(path);
    auto* source = new (std::nothrow) ImageSource;
    if (source != nullptr) source->path = AllocateWorkArray<char>(length + 1);
    if (source == nullptr || source->path == nullptr) {
        delete source;
        SetCodecError(kCodecOutOfMemory);
        return nullptr;
    }
    std::memcpy(source->path.get(), path, length + 1);
    if (!source->bytes.OpenFile(path)) {
        delete source;
        SetCodecError(kCodecCannotOpen);
        return nullptr;
    }
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
    source->bytes.OpenMemory(buffer, size);
    return source;
}

bool SeekSource(ImageSource* source, long long offset, int origin) {
    if (source == nullptr || origin < kSourceFromStart || origin > kSourceFromEnd) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    const ByteSource& bytes = source->bytes;
    uint64_t base = origin == kSourceFromStart ? 0 : origin == kSourceFromCurrent ? bytes.Position() : bytes.Size();
    // Offsets come from file headers; keep the sum from wrapping around.
    bool inside = offset >= 0 ? static_cast<uint64_t>(offset) <= bytes.Size() - base
                              : static_cast<uint64_t>(-(offset + 1)) < base;
    if (!inside || !source->bytes.Seek(base + static_cast<uint64_t>(offset))) {
        SetCodecError(kCodecReadError);
        return false;
    }
    return true;
}

size_t ReadSource(ImageSource* source, void* buffer, size_t count) {
    if (source == nullptr || buffer == nullptr) return 0;
    return source->bytes.ReadSome(buffer, count);
}

bool GetSourceSize(ImageSource* source, uint64_t& size) {
    if (source == nullptr) return false;
    size = source->bytes.Size();
    return true;
}

const char* GetSourcePath(const ImageSource* source) {
    return source == nullptr ? nullptr : source->path.get();
}

int CloseSource(ImageSource* source) {
    if (source == nullptr) return kCodecBadArgument;
    delete source;
    return kCodecOk;
}

bool LoadSourceBytes(ImageSource* source, SourceBytes& bytes) {
    bytes = SourceBytes{};
    if (source == nullptr) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    ByteSource& input = source->bytes;
    if (!input.Seek(0)) {
        SetCodecError(kCodecReadError);
        return false;
    }
    if (!input.IsFile()) {
        bytes.data = input.MemoryAtPosition();
        bytes.size = static_cast<size_t>(input.Size());
        return true;
    }
    if (input.Size() > kCodecMaxAllocation) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    auto size = static_cast<size_t>(input.Size());
    WorkArray<unsigned char> data = AllocateWorkArray<unsigned char>(size);
    if (data == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    if (!input.Read(data.get(), size)) {
        SetCodecError(kCodecReadError);
        return false;
    }
    bytes.data = data.get();
    bytes.size = size;
    bytes.owned = std::move(data);
    return true;
}

void FreeSourceBytes(SourceBytes& bytes) {
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
