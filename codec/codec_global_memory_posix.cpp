#include <cstdlib>

#include "codec/codec_global_memory.h"
#include "codec/codec_memory.h"

void* AllocateGlobalZeroed(size_t size) {
    if (size > kCodecMaxAllocation) return nullptr;
    return std::calloc(1, size == 0 ? 1 : size);
}

void FreeGlobal(void* buffer) {
    std::free(buffer);
}
