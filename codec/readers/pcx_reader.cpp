#include "codec/codec_errors.h"
#include "codec/format_readers.h"

int ReadPcxImage(BoundedReader& in, int requestedDepth, RgbImage& out) {
    (void)in;
    (void)requestedDepth;
    (void)out;
    return kCodecNoDecoder;
}
