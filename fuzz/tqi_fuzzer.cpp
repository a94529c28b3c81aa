// .tqi picture files from memory: the header-only read and the full read with its payload.
// Property of a successful full read: the payload is exactly what the file's zlib stream
// inflates to, inflated here again by zlib itself, no byte more or less.
#include <cstring>
#include <initializer_list>

#include "collection/tqi_file.h"
#include "fuzz/inflate_property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool withPayload : {false, true}) {
        PictureRecord record;
        int result = ReadPictureFile(PictureSource::FromMemory(data, size), record, withPayload);
        if (result == 0 && withPayload) {
            size_t lengthsAt = kPictureMagicSize + 4 + std::strlen(record.title) + 8;
            CheckInflatedBlock(data + lengthsAt, size - lengthsAt, record.payload, record.payloadSize);
        }
        FreePicturePayload(record);
    }
    return 0;
}
