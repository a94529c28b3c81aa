// Zero-initialised global memory: the fallback allocation of the codec layer when a thread
// installed no allocation functions, and the memory in which ReadImageRgb24 always returns
// its picture. Implemented with GlobalAlloc/GlobalFree in the Windows build and calloc/free
// in the host build. Requests above kCodecMaxAllocation (codec_memory.h) are refused.
#pragma once

#include <cstddef>

// A zero-filled block of `size` bytes (at least one byte is reserved for size 0), or nullptr.
[[nodiscard]] void* AllocateGlobalZeroed(size_t size);
// Releases a block from AllocateGlobalZeroed; null is ignored.
void FreeGlobal(void* buffer);
