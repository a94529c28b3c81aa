// Per-thread codec state kept in thread-local storage. Each state links itself into one
// process-wide list under a lock on the thread's first codec call and unlinks itself when its
// thread ends; the lock is taken only at those moments, never by an ordinary codec call.
#include "codec/codec_state.h"

#include <mutex>
#include <new>

#include "codec/codec_errors.h"

namespace {

struct CodecThreadState;

struct StateList {
    CodecThreadState* first = nullptr;
    int count = 0;
};

// The list is created on first use and deleted by ShutdownCodec. The lock that guards it is
// never destroyed: thread-local states of the main thread can be destroyed after the
// program's static objects (the MinGW runtime does so), and they still take the lock.
StateList* g_stateList = nullptr;

std::mutex& StateListLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

struct CodecThreadState {
    int lastError = kCodecOk;
    CodecAllocators allocators;
    bool registered = false;
    CodecThreadState* previous = nullptr;
    CodecThreadState* next = nullptr;

    bool Register() {
        if (registered) return true;
        std::lock_guard<std::mutex> guard(StateListLock());
        if (g_stateList == nullptr) g_stateList = new (std::nothrow) StateList;
        StateList* list = g_stateList;
        if (list == nullptr) return false;
        previous = nullptr;
        next = list->first;
        if (next != nullptr) next->previous = this;
        list->first = this;
        ++list->count;
        registered = true;
        return true;
    }

    ~CodecThreadState() {
        if (!registered) return;
        std::lock_guard<std::mutex> guard(StateListLock());
        StateList* list = g_stateList;
        if (list == nullptr) return;  // the layer was shut down; the list went with it
        if (previous != nullptr) previous->next = next;
        if (next != nullptr) next->previous = previous;
        if (list->first == this) list->first = next;
        --list->count;
    }
};

thread_local CodecThreadState t_state;

}  // namespace

bool BeginCodecCall() {
    if (!t_state.Register()) {
        t_state.lastError = kCodecNoThreadState;
        return false;
    }
    t_state.lastError = kCodecOk;
    return true;
}

int SetCodecError(int code) {
    t_state.lastError = code;
    return code;
}

int GetLastCodecError() {
    return t_state.lastError;
}

void SetCodecAllocators(CodecAllocateFunction allocate,
                        CodecReallocateFunction reallocate,
                        CodecFreeFunction free,
                        void* user) {
    if (!BeginCodecCall()) return;
    if (allocate == nullptr || free == nullptr) {
        t_state.allocators = CodecAllocators{};
        return;
    }
    t_state.allocators = CodecAllocators{allocate, reallocate, free, user};
}

CodecAllocators GetCodecAllocators() {
    return t_state.allocators;
}

void RestoreCodecAllocators(const CodecAllocators& allocators) {
    t_state.allocators = allocators;
}

void ShutdownCodec() {
    std::lock_guard<std::mutex> guard(StateListLock());
    if (g_stateList == nullptr) return;
    // States of threads still running forget the list; they register again on next use.
    for (CodecThreadState* state = g_stateList->first; state != nullptr;) {
        CodecThreadState* next = state->next;
        state->registered = false;
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
