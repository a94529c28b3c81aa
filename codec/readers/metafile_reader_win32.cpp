#include "codec/codec_errors.h"
#include "codec/format_readers.h"

int ReadMetafileImage(const char* path, RgbImage& out) {
    (void)path;
    (void)out;
    return kCodecNoDecoder;
}
