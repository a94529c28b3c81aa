// Compressed blocks shared by the picture format, the data-resource container and skins:
//
//   offset 0  u32 C   compressed length
//   offset 4  u32 U   length before compression
//   offset 8  C bytes of a zlib (RFC 1950) stream
//
// A block is sound only when its C bytes are exactly one zlib stream of exactly U bytes: a
// stream that ends early would hand out U bytes of which some were never written, and one
// with bytes to spare was not written by us. Every reader of blocks inflates through here.
// Buffers returned here are allocated with std::malloc and freed by the caller with std::free.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteSource;

// zlib cannot produce more than about 1032 bytes per input byte (a run of maximal-length
// matches); a claimed length beyond this bound cannot be genuine, whatever the stream holds.
constexpr uint64_t MaxInflatedSize(uint64_t compressedSize) {
    return compressedSize * 1032 + 64;
}

// True when a block claiming `compressedSize` and `inflatedSize` is plausible: the compressed
// bytes fit in `available` and the inflated length is one zlib could produce from them.
[[nodiscard]] bool IsPlausibleBlock(uint64_t compressedSize, uint64_t inflatedSize, uint64_t available);

// Inflates a block of `blockSize` bytes held in memory. Returns U bytes (with one spare byte
// behind them, so that an empty payload is a valid buffer) and their count in
// `inflatedSize`, or nullptr when the block is cut short, implausible, out of memory, or not
// exactly one stream of U bytes.
[[nodiscard]] unsigned char* InflatePayload(const unsigned char* block,
                                            size_t blockSize,
                                            uint32_t* inflatedSize = nullptr);

enum class BlockReadResult { kOk, kDamaged, kOutOfMemory };

// Reads the block that starts at the input's position (lengths that the rest of the input
// cannot hold are refused before anything is allocated) and inflates it as InflatePayload
// does. On success `*content` holds the U bytes and `*contentSize` their count.
[[nodiscard]] BlockReadResult ReadPayloadBlock(ByteSource& input, unsigned char** content, uint32_t* contentSize);
