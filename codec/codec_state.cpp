// Per-thread codec states on the heap, found through a thread-specific key whose destructor
// releases a thread's state when the thread ends. (A C++ thread_local object with a
// destructor is not used on purpose: the MinGW runtime may free its storage before running
// its destructor.) Each state is linked into one process-wide list under a lock when its
// thread first calls the layer and unlinked when the thread ends; the lock is taken only at
// those moments, never by an ordinary codec call.
#include "codec/codec_state.h"

#include <pthread.h>

#include <mutex>
#include <new>

#include "codec/codec_errors.h"

namespace {

struct CodecThreadState {
    int lastError = kCodecOk;
    CodecAllocators allocators;
    bool listed = false;
    CodecThreadState* previous = nullptr;
    CodecThreadState* next = nullptr;
};

struct StateList {
    CodecThreadState* first = nullptr;
    int count = 0;
};

// The list is created on first use and deleted by ShutdownCodec. The lock that guards it is
// never destroyed, so that threads ending during or after the program's exit can still take it.
StateList* g_stateList = nullptr;

std::mutex& StateListLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

// Links a state into the list; false when the list cannot be created.
bool ListState(CodecThreadState* state) {
    std::lock_guard<std::mutex> guard(StateListLock());
    if (state->listed) return true;
    if (g_stateList == nullptr) g_stateList = new (std::nothrow) StateList;
    StateList* list = g_stateList;
    if (list == nullptr) return false;
    state->previous = nullptr;
    state->next = list->first;
    if (state->next != nullptr) state->next->previous = state;
    list->first = state;
    ++list->count;
    state->listed = true;
    return true;
}

void DestroyState(void* value) {
    auto* state = static_cast<CodecThreadState*>(value);
    {
        std::lock_guard<std::mutex> guard(StateListLock());
        StateList* list = g_stateList;
        if (state->listed && list != nullptr) {
            if (state->previous != nullptr) state->previous->next = state->next;
            if (state->next != nullptr) state->next->previous = state->previous;
            if (list->first == state) list->first = state->next;
            --list->count;
        }
    }
    delete state;
}

pthread_key_t g_stateKey;
bool g_stateKeyCreated = false;

bool CreateStateKey() {
    static std::once_flag once;
    std::call_once(once, [] { g_stateKeyCreated = pthread_key_create(&g_stateKey, DestroyState) == 0; });
    return g_stateKeyCreated;
}

// The calling thread's state, or nullptr when none exists yet.
CodecThreadState* ExistingState() {
    if (!CreateStateKey()) return nullptr;
    return static_cast<CodecThreadState*>(pthread_getspecific(g_stateKey));
}

// The calling thread's state, created and listed on first use; nullptr when that fails.
CodecThreadState* CurrentState() {
    CodecThreadState* state = ExistingState();
    if (state != nullptr) {
        if (!state->listed && !ListState(state)) return nullptr;  // after a shutdown
        return state;
    }
    if (!g_stateKeyCreated) return nullptr;
    state = new (std::nothrow) CodecThreadState;
    if (state == nullptr) return nullptr;
    if (pthread_setspecific(g_stateKey, state) != 0) {
        delete state;
        return nullptr;
    }
    if (!ListState(state)) return nullptr;
    return state;
}

// Set when the calling thread's state could not be created (a plain flag needs no destructor).
thread_local bool t_stateMissing = false;

}  // namespace

bool BeginCodecCall() {
    CodecThreadState* state = CurrentState();
    t_stateMissing = state == nullptr;
    if (state == nullptr) return false;
    state->lastError = kCodecOk;
    return true;
}

int SetCodecError(int code) {
    CodecThreadState* state = ExistingState();
    if (state != nullptr) state->lastError = code;
    return code;
}

int GetLastCodecError() {
    if (t_stateMissing) return kCodecNoThreadState;
    CodecThreadState* state = ExistingState();
    return state == nullptr ? kCodecOk : state->lastError;
}

void SetCodecAllocators(CodecAllocateFunction allocate,
                        CodecReallocateFunction reallocate,
                        CodecFreeFunction free,
                        void* user) {
    if (!BeginCodecCall()) return;
    CodecThreadState* state = ExistingState();
    if (allocate == nullptr || free == nullptr) {
        state->allocators = CodecAllocators{};
        return;
    }
    state->allocators = CodecAllocators{allocate, reallocate, free, user};
}

CodecAllocators GetCodecAllocators() {
    CodecThreadState* state = ExistingState();
    return state == nullptr ? CodecAllocators{} : state->allocators;
}

void RestoreCodecAllocators(const CodecAllocators& allocators) {
    CodecThreadState* state = CurrentState();
    if (state != nullptr) state->allocators = allocators;
}

void ShutdownCodec() {
    std::lock_guard<std::mutex> guard(StateListLock());
    if (g_stateList == nullptr) return;
    // States of threads still running leave the list; they join a new one on their next call.
    for (CodecThreadState* state = g_stateList->first; state != nullptr;) {
        CodecThreadState* next = state->next;
        state->listed = false;
        state->previous = state->next = nullptr;
        state = next;
    }
    delete g_stateList;
    g_stateList = nullptr;
}

int CountCodecThreadStates() {
    std::lock_guard<std::mutex> guard(StateListLock());
    return g_stateList == nullptr ? 0 : g_stateList->count;
}
