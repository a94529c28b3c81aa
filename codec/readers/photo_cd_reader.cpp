#include "codec/codec_errors.h"
#include "codec/format_readers.h"

int ReadPhotoCdImage(BoundedReader& in, RgbImage& out) {
    (void)in;
    (void)out;
    return kCodecNoDecoder;
}
