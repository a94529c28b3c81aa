#include "base/payload_block.h"

#include <zlib.h>

#include <cstdlib>

#include "base/byte_order.h"
#include "base/byte_source.h"

namespace {

// One zlib stream of exactly `compressedSize` bytes into exactly `inflatedSize` bytes; null
// otherwise, or when memory runs out (`outOfMemory` then says so).
unsigned char* InflateExactly(const unsigned char* stream,
                              uint32_t compressedSize,
                              uint32_t inflatedSize,
                              bool& outOfMemory) {
    outOfMemory = false;
    auto* output = static_cast<unsigned char*>(std::malloc(size_t{inflatedSize} + 1));
    if (output == nullptr) {
        outOfMemory = true;
        return nullptr;
    }
    z_stream inflater{};
    if (inflateInit(&inflater) != Z_OK) {
        std::free(output);
        outOfMemory = true;
        return nullptr;
    }
    static const unsigned char kNoInput = 0;
    inflater.next_in = compressedSize != 0 ? const_cast<unsigned char*>(stream) : const_cast<unsigned char*>(&kNoInput);
    inflater.avail_in = compressedSize;
    inflater.next_out = output;
    inflater.avail_out = inflatedSize;
    int status = inflate(&inflater, Z_FINISH);
    bool exact = status == Z_STREAM_END && inflater.avail_out == 0 && inflater.avail_in == 0;
    inflateEnd(&inflater);
    if (!exact) {
        std::free(output);
        return nullptr;
    }
    return output;
}

}  // namespace

bool IsPlausibleBlock(uint64_t compressedSize, uint64_t inflatedSize, uint64_t available) {
    return compressedSize <= available && inflatedSize <= MaxInflatedSize(compressedSize);
}

unsigned char* InflatePayload(const unsigned char* block, size_t blockSize, uint32_t* inflatedSize) {
    if (block == nullptr || blockSize < 8) return nullptr;
    uint32_t compressed = ReadLe32(block);
    uint32_t inflated = ReadLe32(block + 4);
    if (!IsPlausibleBlock(compressed, inflated, blockSize - 8)) return nullptr;
    bool outOfMemory = false;
    unsigned char* output = InflateExactly(block + 8, compressed, inflated, outOfMemory);
    if (output != nullptr && inflatedSize != nullptr) *inflatedSize = inflated;
    return output;
}

BlockReadResult ReadPayloadBlock(ByteSource& input, unsigned char** content, uint32_t* contentSize) {
    uint32_t compressed = 0;
    uint32_t inflated = 0;
    if (!input.ReadLe32(compressed) || !input.ReadLe32(inflated)) return BlockReadResult::kDamaged;
    // Refused before any allocation, so a damaged or hostile file cannot make us reserve gigabytes.
    if (!IsPlausibleBlock(compressed, inflated, input.Remaining())) return BlockReadResult::kDamaged;

    // A source in memory is inflated where it lies; a file's stream is read into memory first.
    const unsigned char* stream = input.MemoryAtPosition();
    unsigned char* copy = nullptr;
    if (stream == nullptr) {
        copy = static_cast<unsigned char*>(std::malloc(compressed != 0 ? compressed : 1));
        if (copy == nullptr) return BlockReadResult::kOutOfMemory;
        if (!input.Read(copy, compressed)) {
            std::free(copy);
            return BlockReadResult::kDamaged;
        }
        stream = copy;
    } else if (!input.Skip(compressed)) {
        return BlockReadResult::kDamaged;
    }
    bool outOfMemory = false;
    unsigned char* output = InflateExactly(stream, compressed, inflated, outOfMemory);
    std::free(copy);
    if (output == nullptr) return outOfMemory ? BlockReadResult::kOutOfMemory : BlockReadResult::kDamaged;
    *content = output;
    *contentSize = inflated;
    return BlockReadResult::kOk;
}
