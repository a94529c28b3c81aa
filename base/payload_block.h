// Compressed blocks shared by the picture format, the data-resource container and skins:
//
//   offset 0  u32 C   compressed length
//   offset 4  u32 U   length before compression
//   offset 8  C bytes of a zlib (RFC 1950) stream
//
// Buffers returned here are allocated with std::malloc and freed by the caller with std::free.
#pragma once

#include <cstddef>
#include <cstdint>

// zlib cannot produce more than about 1032 bytes per input byte (a run of maximal-length
// matches); a claimed length beyond this bound cannot be genuine, whatever the stream holds.
constexpr uint64_t MaxInflatedSize(uint64_t compressedSize) {
    return compressedSize * 1032 + 64;
}

// True when a block claiming `compressedSize` and `inflatedSize` is plausible: the compressed
// bytes fit in `available` and the inflated length is one zlib could produce from them.
[[nodiscard]] bool IsPlausibleBlock(uint64_t compressedSize, uint64_t inflatedSize, uint64_t available);

// Inflates a block of `blockSize` bytes. Allocates U bytes and returns them, or nullptr when
// the block is cut short, implausible, out of memory, or the stream does not inflate into U
// bytes. A stream that produces fewer than U bytes is accepted; `produced`, when given,
// receives the number of bytes zlib actually wrote.
[[nodiscard]] unsigned char* InflatePayload(const unsigned char* block, size_t blockSize, uint32_t* produced = nullptr);
