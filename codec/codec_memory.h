// Allocation of every buffer the codec layer hands out: through the calling thread's
// allocation functions when it installed some (SetCodecAllocators), else zero-initialised
// global memory, refusing requests above kCodecMaxAllocation bytes.
#pragma once

#include <cstddef>

constexpr size_t kCodecMaxAllocation = 2147348478;

// Returns nullptr when memory runs out or the request is too large (the caller sets error 1).
[[nodiscard]] void* CodecAllocate(size_t size);
void CodecFree(void* buffer);
