// Allocation of every buffer the codec layer hands out: through the calling thread's
// allocation functions when it installed some (SetCodecAllocators), else zero-initialised
// global memory, refusing requests above kCodecMaxAllocation bytes.
//
// Inside the system a buffer has one owner, CodecBuffer, which remembers the functions that
// made it and frees through them, whichever thread ends up releasing it. CodecAllocate and
// CodecFree are the boundary for callers that hold bare pointers (they follow the calling
// thread's functions, so such a pointer must be freed on a thread with the same ones); a
// bare pointer enters ownership with Adopt (right after the call that made it, on the same
// thread) or AdoptGlobal (memory that is global whatever the thread installed).
// Working memory that never leaves a function is a WorkArray, never malloc or the codec
// allocator.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>

#include "codec/codec_state.h"

constexpr size_t kCodecMaxAllocation = 2147348478;

// Returns nullptr when memory runs out or the request is too large (the caller sets error 1).
[[nodiscard]] void* CodecAllocate(size_t size);
void CodecFree(void* buffer);

// A move-only owner of one codec allocation.
class CodecBuffer {
public:
    CodecBuffer() = default;
    // `size` bytes from the calling thread's allocation functions (or global memory); empty
    // when memory runs out or the request is above kCodecMaxAllocation.
    [[nodiscard]] static CodecBuffer Allocate(size_t size);
    // `size` uninitialised bytes from the ordinary heap, whatever the thread installed: for
    // canvases that are filled at once, where zeroing would be wasted work.
    [[nodiscard]] static CodecBuffer AllocateOnHeap(size_t size);
    // Takes over a pointer that CodecAllocate returned on the calling thread, with the
    // allocation functions the thread has installed now.
    [[nodiscard]] static CodecBuffer Adopt(unsigned char* data);
    // Takes over a block of global memory (AllocateGlobalZeroed), such as the generic read's.
    [[nodiscard]] static CodecBuffer AdoptGlobal(unsigned char* data);

    CodecBuffer(CodecBuffer&& other) noexcept { *this = std::move(other); }
    CodecBuffer& operator=(CodecBuffer&& other) noexcept;
    CodecBuffer(const CodecBuffer&) = delete;
    CodecBuffer& operator=(const CodecBuffer&) = delete;
    ~CodecBuffer() { Reset(); }

    [[nodiscard]] unsigned char* Data() const { return data_; }
    [[nodiscard]] bool IsEmpty() const { return data_ == nullptr; }
    // Frees the buffer through the functions that allocated it.
    void Reset();
    // Gives the buffer up to a bare-pointer holder, which must free it the way it was made:
    // CodecFree on a thread with the same allocation functions, FreeGlobal for global memory.
    [[nodiscard]] unsigned char* Release();

private:
    unsigned char* data_ = nullptr;
    CodecFreeFunction free_ = nullptr;  // null: global memory
    void* user_ = nullptr;
};

// Working memory of an operation: `count` value-initialised elements, or null when the count
// overflows or memory runs out.
template <typename T>
using WorkArray = std::unique_ptr<T[]>;

template <typename T>
[[nodiscard]] WorkArray<T> AllocateWorkArray(size_t count) {
    if (count > kCodecMaxAllocation / sizeof(T)) return nullptr;
    return WorkArray<T>(new (std::nothrow) T[count == 0 ? 1 : count]());
}

// The same with the elements left unset, for memory that is written before it is read (an
// intermediate picture), where clearing it first would cost time.
template <typename T>
[[nodiscard]] WorkArray<T> AllocateUnsetWorkArray(size_t count) {
    static_assert(std::is_trivially_default_constructible_v<T>);
    if (count > kCodecMaxAllocation / sizeof(T)) return nullptr;
    return WorkArray<T>(new (std::nothrow) T[count == 0 ? 1 : count]);
}
