// .tqi picture files from memory: the header-only read and the full read with its payload.
#include <cstdlib>
#include <initializer_list>

#include "collection/tqi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool withPayload : {false, true}) {
        PictureRecord record;
        int result = ReadPictureFile(PictureSource::FromMemory(data, size), record, withPayload);
        if (result == 0 && withPayload && record.payloadSize != 0) {
            volatile unsigned char last = record.payload[record.payloadSize - 1];
            (void)last;
        }
        FreePicturePayload(record);
    }
    return 0;
}
