// Metafiles are played by the Windows graphics interface; a host build has no player, so it
// recognises them but cannot decode them.
#include "codec/codec_errors.h"
#include "codec/formats/format_readers.h"

int ReadMetafileImage(const char* path, RgbImage& out) {
    (void)path;
    out = {};
    return kCodecNoDecoder;
}

int ReadMetafileSize(const char* path, int& width, int& height) {
    (void)path;
    width = height = 0;
    return kCodecNoDecoder;
}
