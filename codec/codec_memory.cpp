// Routes the layer's allocations to the calling thread's allocation functions, or to
// zero-initialised global memory when it installed none.
#include "codec/codec_memory.h"

#include "codec/codec_global_memory.h"

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
    CodecBuffer buffer;
    CodecAllocators allocators = GetCodecAllocators();
    buffer.data_ = static_cast<unsigned char*>(CodecAllocate(size));
    // Installed functions free what they made; without them the memory is global.
    if (buffer.data_ != nullptr && allocators.allocate != nullptr) {
        buffer.free_ = allocators.free;
        buffer.user_ = allocators.user;
    }
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
