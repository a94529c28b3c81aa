#include "base/payload_block.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "collection/tests/tqi_test_files.h"

using test_support::Bytes;

namespace {

Bytes Block(const Bytes& data, uint32_t inflatedSize) {
    Bytes compressed = tqi_test::Compress(data);
    Bytes block;
    tqi_test::AppendLe32(block, static_cast<uint32_t>(compressed.size()));
    tqi_test::AppendLe32(block, inflatedSize);
    block.insert(block.end(), compressed.begin(), compressed.end());
    return block;
}

}  // namespace

TEST(InflatePayload, InflatesExactlyTheDeclaredLength) {
    Bytes data = test_support::PseudoRandomBytes(4096, 1);
    Bytes exact = Block(data, 4096);
    uint32_t size = 0;
    unsigned char* out = InflatePayload(exact.data(), exact.size(), &size);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(size, 4096u);
    EXPECT_EQ(Bytes(out, out + 4096), data);
    std::free(out);

    Bytes roomy = Block(data, 5000);
    Bytes tight = Block(data, 4095);
    Bytes spare = exact;
    spare[0] += 2;  // two bytes past the stream's end still inside the block
    spare.insert(spare.end(), {0x78, 0x9C});
    for (const Bytes* block : {&roomy, &tight, &spare}) {
        EXPECT_EQ(InflatePayload(block->data(), block->size(), &size), nullptr);
    }
}

TEST(InflatePayload, RefusesBlocksThatCannotBeGenuine) {
    Bytes data(100000, 'a');  // compresses about 1000:1, near zlib's limit
    Bytes block = Block(data, 100000);
    unsigned char* out = InflatePayload(block.data(), block.size());
    ASSERT_NE(out, nullptr) << "a genuine highly compressed block must pass the plausibility bound";
    std::free(out);

    EXPECT_EQ(InflatePayload(block.data(), block.size() - 1), nullptr) << "compressed bytes cut short";
    EXPECT_EQ(InflatePayload(block.data(), 7), nullptr);
    EXPECT_EQ(InflatePayload(nullptr, 0), nullptr);

    Bytes hugeClaim = Block(Bytes{1, 2, 3}, 0x7FFFFFFF);
    EXPECT_EQ(InflatePayload(hugeClaim.data(), hugeClaim.size()), nullptr);
}

TEST(InflatePayload, EmptyPayloadIsAValidBuffer) {
    Bytes block = Block(Bytes{}, 0);
    uint32_t size = 99;
    unsigned char* out = InflatePayload(block.data(), block.size(), &size);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(size, 0u);
    std::free(out);
}
