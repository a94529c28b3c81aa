// The per-thread codec state: errors stay with their thread, allocations follow the thread's
// installed functions or fall back to zeroed global memory with its size limit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"

namespace {

struct CountingHeap {
    int allocations = 0;
    int frees = 0;
    size_t lastSize = 0;
};

void* CountingAllocate(size_t size, void* user) {
    auto* heap = static_cast<CountingHeap*>(user);
    ++heap->allocations;
    heap->lastSize = size;
    return std::malloc(size == 0 ? 1 : size);
}

void* CountingReallocate(void* buffer, size_t size, void* /*user*/) {
    return std::realloc(buffer, size);
}

int CountingFree(void* buffer, void* user) {
    ++static_cast<CountingHeap*>(user)->frees;
    std::free(buffer);
    return 1;
}

TEST(CodecState, ErrorsBelongToTheirThread) {
    ASSERT_TRUE(BeginCodecCall());
    SetCodecError(kCodecReadError);
    int otherThreadError = -1;
    std::thread other([&] {
        otherThreadError = GetLastCodecError();
        ASSERT_TRUE(BeginCodecCall());
        SetCodecError(kCodecWriteError);
    });
    other.join();
    EXPECT_EQ(otherThreadError, kCodecOk);
    EXPECT_EQ(GetLastCodecError(), kCodecReadError);
    ASSERT_TRUE(BeginCodecCall());
    EXPECT_EQ(GetLastCodecError(), kCodecOk);
}

TEST(CodecState, ThreadStatesAreListedWhileTheirThreadsLive) {
    ASSERT_TRUE(BeginCodecCall());
    int before = CountCodecThreadStates();
    int during = 0;
    std::thread other([&] {
        ASSERT_TRUE(BeginCodecCall());
        during = CountCodecThreadStates();
    });
    other.join();
    EXPECT_EQ(during, before + 1);
    EXPECT_EQ(CountCodecThreadStates(), before);

    ShutdownCodec();
    EXPECT_EQ(CountCodecThreadStates(), 0);
    // The layer keeps working after shutdown: the next call lists the thread again.
    ASSERT_TRUE(BeginCodecCall());
    EXPECT_EQ(CountCodecThreadStates(), 1);
}

TEST(CodecMemory, FallbackIsZeroedAndRefusesOversizedRequests) {
    SetCodecAllocators(nullptr, nullptr, nullptr, nullptr);
    const size_t size = 4096;
    auto* block = static_cast<unsigned char*>(CodecAllocate(size));
    ASSERT_NE(block, nullptr);
    for (size_t i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << i;
    CodecFree(block);

    EXPECT_EQ(CodecAllocate(kCodecMaxAllocation + 1), nullptr);
    EXPECT_EQ(CodecAllocate(static_cast<size_t>(-1)), nullptr);
    void* empty = CodecAllocate(0);
    EXPECT_NE(empty, nullptr);
    CodecFree(empty);
    CodecFree(nullptr);
}

TEST(CodecMemory, InstalledFunctionsServeOnlyTheirThread) {
    CountingHeap heap;
    SetCodecAllocators(CountingAllocate, CountingReallocate, CountingFree, &heap);
    void* block = CodecAllocate(100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(heap.allocations, 1);
    EXPECT_EQ(heap.lastSize, 100u);

    std::thread other([] {
        // No functions installed here: global memory, which the counting heap never sees.
        void* global = CodecAllocate(10);
        EXPECT_NE(global, nullptr);
        CodecFree(global);
    });
    other.join();
    EXPECT_EQ(heap.allocations, 1);

    CodecFree(block);
    EXPECT_EQ(heap.frees, 1);

    CodecAllocators saved = GetCodecAllocators();
    EXPECT_EQ(saved.user, &heap);
    SetCodecAllocators(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetCodecAllocators().allocate, nullptr);
    RestoreCodecAllocators(saved);
    EXPECT_EQ(GetCodecAllocators().allocate, &CountingAllocate);
    SetCodecAllocators(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
