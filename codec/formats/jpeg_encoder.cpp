// JPEG encoding into a sink through a buffered destination manager. Errors inside libjpeg
// jump back to WriteJpeg (jpeg_errors.h).
#include <csetjmp>
#include <cstdio>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/formats/jpeg_errors.h"
#include "codec/image_source.h"
#include "codec/pixels/row_layout.h"
// clang-format off
#include <jerror.h>
// clang-format on

namespace {

constexpr size_t kOutputBufferSize = 64 * 1024;

struct SinkDestination {
    jpeg_destination_mgr manager;
    ImageSink* sink;
    JOCTET* buffer;
    bool failed;
};

void InitDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<SinkDestination*>(info->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kOutputBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
    auto* destination = reinterpret_cast<SinkDestination*>(info->dest);
    if (!WriteSink(destination->sink, destination->buffer, kOutputBufferSize)) {
        destination->failed = true;
        ERREXIT(info, JERR_FILE_WRITE);
    }
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kOutputBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<SinkDestination*>(info->dest);
    size_t pending = kOutputBufferSize - destination->manager.free_in_buffer;
    if (pending != 0 && !WriteSink(destination->sink, destination->buffer, pending)) {
        destination->failed = true;
        ERREXIT(info, JERR_FILE_WRITE);
    }
}

}  // namespace

bool WriteJpeg(ImageSink* sink,
               const unsigned char* pixels,
               int width,
               int height,
               int quality,
               int bitDepth,
               int options) {
    if (!BeginCodecCall()) return false;
    size_t rowBytes = 0, totalBytes = 0;
    if (sink == nullptr || pixels == nullptr || quality < 1 || quality > 100 ||
        (bitDepth != 8 && bitDepth != 24 && bitDepth != 32) || width > JPEG_MAX_DIMENSION ||
        height > JPEG_MAX_DIMENSION || !PictureBufferSize(width, height, bitDepth, rowBytes, totalBytes)) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    WorkArray<JOCTET> buffer = AllocateWorkArray<JOCTET>(kOutputBufferSize);
    if (buffer == nullptr) {
        SetCodecError(kCodecOutOfMemory);
        return false;
    }
    jpeg_compress_struct info;
    JpegErrorExit errors;
    SinkDestination destination{{}, sink, buffer.get(), false};
    info.err = UseJpegErrorExit(errors);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&info);
        SetCodecError(kCodecWriteError);
        return false;
    }
    jpeg_create_compress(&info);
    destination.manager.init_destination = InitDestination;
    destination.manager.empty_output_buffer = EmptyOutputBuffer;
    destination.manager.term_destination = TermDestination;
    info.dest = &destination.manager;

    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = bitDepth / 8;
    info.in_color_space = bitDepth == 8 ? JCS_GRAYSCALE : (bitDepth == 24 ? JCS_RGB : JCS_CMYK);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (options & kJpegWriteOptimizeCoding) info.optimize_coding = TRUE;
    if (options & kJpegWriteProgressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + rowBytes * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}
