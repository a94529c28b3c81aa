// Routes the layer's allocations to the calling thread's allocation functions, or to
// zero-initialised global memory when it installed none.
#include "codec/codec_memory.h"

#include <cstdlib>

#include "codec/codec_global_memory.h"

namespace {

int FreeOnHeap(void* buffer, void*) {
    std::free(buffer);
    return 1;
}

}  // namespace

void* CodecAllocate(size_t size) {
    CodecAllocators allocators = GetCodecAllocators();
    if (allocators.allocate != nullptr) return allocators.allocate(size, allocators.user);
    if (size > kCodecMaxAllocation) return nullptr;
    return AllocateGlobalZeroed(size);
}

void CodecFree(void* buffer) {
    if (buffer == nullptr) return;
    CodecAllocators allocators = GetCodecAllocators();
    if (allocators.free != nullptr) {
        (void)allocators.free(buffer, allocators.user);
        return;
    }
    FreeGlobal(buffer);
}

CodecBuffer CodecBuffer::Allocate(size_t size) {
    return Adopt(static_cast<unsigned char*>(CodecAllocate(size)));
}

CodecBuffer CodecBuffer::AllocateOnHeap(size_t size) {
    CodecBuffer buffer;
    if (size > kCodecMaxAllocation) return buffer;
    buffer.data_ = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
    if (buffer.data_ != nullptr) buffer.free_ = FreeOnHeap;
    return buffer;
}

CodecBuffer CodecBuffer::Adopt(unsigned char* data) {
    CodecBuffer buffer;
    buffer.data_ = data;
    // Installed functions free what they made; without them the memory is global.
    CodecAllocators allocators = GetCodecAllocators();
    if (data != nullptr && allocators.allocate != nullptr) {
        buffer.free_ = allocators.free;
        buffer.user_ = allocators.user;
    }
    return buffer;
}

CodecBuffer CodecBuffer::AdoptGlobal(unsigned char* data) {
    CodecBuffer buffer;
    buffer.data_ = data;
    return buffer;
}

CodecBuffer& CodecBuffer::operator=(CodecBuffer&& other) noexcept {
    if (this != &other) {
        Reset();
        data_ = other.data_;
        free_ = other.free_;
        user_ = other.user_;
        other.data_ = nullptr;
    }
    return *this;
}

void CodecBuffer::Reset() {
    if (data_ == nullptr) return;
    if (free_ != nullptr) {
        (void)free_(data_, user_);
    } else {
        FreeGlobal(data_);
    }
    data_ = nullptr;
}

unsigned char* CodecBuffer::Release() {
    unsigned char* data = data_;
    data_ = nullptr;
    return data;
}
