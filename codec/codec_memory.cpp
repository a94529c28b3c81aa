// Routes the layer's allocations to the calling thread's allocation functions, or to
// zero-initialised global memory when it installed none.
#include "codec/codec_memory.h"

#include "codec/codec_global_memory.h"
#include "codec/codec_state.h"

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
