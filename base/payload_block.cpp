#include "base/payload_block.h"

#include <zlib.h>

#include <cstdlib>

#include "base/byte_order.h"

bool IsPlausibleBlock(uint64_t compressedSize, uint64_t inflatedSize, uint64_t available) {
    return compressedSize <= available && inflatedSize <= MaxInflatedSize(compressedSize);
}

unsigned char* InflatePayload(const unsigned char* block, size_t blockSize, uint32_t* produced) {
    if (block == nullptr || blockSize < 8) return nullptr;
    uint32_t compressedSize = ReadLe32(block);
    uint32_t inflatedSize = ReadLe32(block + 4);
    if (!IsPlausibleBlock(compressedSize, inflatedSize, blockSize - 8)) return nullptr;

    // malloc(0) may return nullptr; one spare byte keeps an empty payload a valid buffer.
    auto* output = static_cast<unsigned char*>(std::malloc(inflatedSize + 1u));
    if (output == nullptr) return nullptr;
    uLongf outputSize = inflatedSize;
    if (uncompress(output, &outputSize, block + 8, compressedSize) != Z_OK) {
        std::free(output);
        return nullptr;
    }
    if (produced != nullptr) *produced = static_cast<uint32_t>(outputSize);
    return output;
}
