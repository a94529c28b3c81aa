// Compressed blocks of pictures, resources and skins.
#include <cstdlib>

#include "base/byte_order.h"
#include "base/payload_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t produced = 0;
    unsigned char* inflated = InflatePayload(data, size, &produced);
    if (inflated != nullptr) {
        // The buffer holds the block's declared length, whatever zlib produced.
        uint32_t declared = ReadLe32(data + 4);
        if (produced > declared) __builtin_trap();
        if (declared != 0) {
            volatile unsigned char last = inflated[declared - 1];
            (void)last;
        }
    }
    std::free(inflated);
    return 0;
}
