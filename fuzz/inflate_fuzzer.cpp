// Compressed blocks of pictures, resources and skins, with the property of every block that
// inflates: exactly its declared size, exactly what zlib makes of the stream.
#include <cstdlib>

#include "base/payload_block.h"
#include "fuzz/inflate_property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t inflatedSize = 0;
    unsigned char* inflated = InflatePayload(data, size, &inflatedSize);
    if (inflated != nullptr) CheckInflatedBlock(data, size, inflated, inflatedSize);
    std::free(inflated);
    return 0;
}
