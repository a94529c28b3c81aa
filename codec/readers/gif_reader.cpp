#include "codec/codec_errors.h"
#include "codec/format_readers.h"

int ReadGifImage(BoundedReader& in, PaletteImage& out) {
    (void)in;
    (void)out;
    return kCodecNoDecoder;
}
