// The codec layer's per-thread state: the last error code of the thread and the allocation
// functions it installed for the buffers the layer hands out.
//
// The state is created on a thread's first call into the layer and lives until the thread
// ends. Every public codec operation starts with BeginCodecCall(), which clears the error,
// and leaves its own code behind with SetCodecError(); callers read it with
// GetLastCodecError().
#pragma once

#include <cstddef>

// The thread's allocation functions; each receives the user value given at installation.
// Free returns 1 on success.
using CodecAllocateFunction = void* (*)(size_t size, void* user);
using CodecReallocateFunction = void* (*)(void* buffer, size_t size, void* user);
using CodecFreeFunction = int (*)(void* buffer, void* user);

// Installs the calling thread's allocation functions; passing null functions removes them,
// so the layer falls back to zero-initialised global memory.
void SetCodecAllocators(CodecAllocateFunction allocate,
                        CodecReallocateFunction reallocate,
                        CodecFreeFunction free,
                        void* user);

struct CodecAllocators {
    CodecAllocateFunction allocate = nullptr;
    CodecReallocateFunction reallocate = nullptr;
    CodecFreeFunction free = nullptr;
    void* user = nullptr;
};

// The calling thread's current allocators (all null when none are installed). Used to set
// them aside and put them back around an operation that must return global memory.
[[nodiscard]] CodecAllocators GetCodecAllocators();
void RestoreCodecAllocators(const CodecAllocators& allocators);

// The last error code (CodecError) left by a codec operation on the calling thread.
[[nodiscard]] int GetLastCodecError();

// Releases the lock that guards the list of per-thread states; called once at program end.
// A later call into the layer creates the lock again.
void ShutdownCodec();

// How many threads currently hold a codec state (for diagnostics and tests).
[[nodiscard]] int CountCodecThreadStates();

// For the layer's own operations: clears the calling thread's error, creating its state on
// first use. False when the state cannot be created; the operation must then fail at once
// (GetLastCodecError then reports kCodecNoThreadState).
[[nodiscard]] bool BeginCodecCall();
// Leaves `code` as the calling thread's last error and returns it.
int SetCodecError(int code);
