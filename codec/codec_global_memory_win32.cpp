#include <windows.h>

#include "codec/codec_global_memory.h"
#include "codec/codec_memory.h"

void* AllocateGlobalZeroed(size_t size) {
    if (size > kCodecMaxAllocation) return nullptr;
    return GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size == 0 ? 1 : size);
}

void FreeGlobal(void* buffer) {
    if (buffer != nullptr) GlobalFree(buffer);
}
