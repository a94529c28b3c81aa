#include "base/payload_block.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/zlib_blocks.h"

using test_support::Bytes;
using test_support::CompressedBlock;

TEST(InflatePayload, InflatesExactlyTheDeclaredLength) {
    Bytes data = test_support::PseudoRandomBytes(4096, 1);
    Bytes exact = CompressedBlock(data, 4096);
    uint32_t size = 0;
    unsigned char* out = InflatePayload(exact.data(), exact.size(), &size);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(size, 4096u);
    EXPECT_EQ(Bytes(out, out + 4096), data);
    std::free(out);

    Bytes roomy = CompressedBlock(data, 5000);
    Bytes tight = CompressedBlock(data, 4095);
    Bytes spare = exact;
    spare[0] += 2;  // two bytes past the stream's end still inside the block
    spare.insert(spare.end(), {0x78, 0x9C});
    for (const Bytes* block : {&roomy, &tight, &spare}) {
        EXPECT_EQ(InflatePayload(block->data(), block->size(), &size), nullptr);
    }
}

TEST(InflatePayload, RefusesBlocksThatCannotBeGenuine) {
    Bytes data(100000, 'a');  // compresses about 1000:1, near zlib's limit
    Bytes block = CompressedBlock(data, 100000);
    unsigned char* out = InflatePayload(block.data(), block.size());
    ASSERT_NE(out, nullptr) << "a genuine highly compressed block must pass the plausibility bound";
    std::free(out);

    EXPECT_EQ(InflatePayload(block.data(), block.size() - 1), nullptr) << "compressed bytes cut short";
    EXPECT_EQ(InflatePayload(block.data(), 7), nullptr);
    EXPECT_EQ(InflatePayload(nullptr, 0), nullptr);

    Bytes hugeClaim = CompressedBlock(Bytes{1, 2, 3}, 0x7FFFFFFF);
    EXPECT_EQ(InflatePayload(hugeClaim.data(), hugeClaim.size()), nullptr);
}

TEST(InflatePayload, EmptyPayloadIsAValidBuffer) {
    Bytes block = CompressedBlock(Bytes{}, 0);
    uint32_t size = 99;
    unsigned char* out = InflatePayload(block.data(), block.size(), &size);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(size, 0u);
    std::free(out);
}
