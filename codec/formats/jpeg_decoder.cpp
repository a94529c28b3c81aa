// JPEG decoding from a file held in memory. libjpeg reports fatal errors through error_exit,
// which must not return, so the decoder runs between setjmp and longjmp; everything that
// needs releasing after a jump lives in plain variables outside that frame.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/image_source.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/formats/jpeg_decoder.h"
#include "codec/pixels/row_layout.h"
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

struct DecoderErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool sourceEnded = false;
    bool dataMissing = false;  // a segment lacked bits after the source ended
};

void ExitOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<DecoderErrors*>(info->err);
    std::longjmp(errors->jump, 1);
}

void NoteWarning(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<DecoderErrors*>(info->err);
    if (level < 0) {
        // Corrupt data is decoded on as far as possible; only running out of data counts.
        if (errors->sourceEnded && info->err->msg_code == JWRN_HIT_MARKER) errors->dataMissing = true;
        info->err->num_warnings++;
    }
}

void SilenceOutput(j_common_ptr) {}

// A source manager over the whole file in memory, or over a file source read in blocks (so
// that a big photo is not copied into memory first). At the end it inserts an end-of-image
// marker, as libjpeg's own sources do, and remembers that the data ran out.
struct MemorySourceManager {
    jpeg_source_mgr manager;
    DecoderErrors* errors;
    ImageSource* stream;  // null: everything is in memory already
    JOCTET* block;
};

constexpr size_t kStreamBlockSize = 64 * 1024;

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
    auto* source = reinterpret_cast<MemorySourceManager*>(info->src);
    if (source->stream != nullptr) {
        size_t count = ReadSource(source->stream, source->block, kStreamBlockSize);
        if (count != 0) {
            source->manager.next_input_byte = source->block;
            source->manager.bytes_in_buffer = count;
            return TRUE;
        }
    }
    source->errors->sourceEnded = true;
    WARNMS(info, JWRN_JPEG_EOF);
    source->manager.next_input_byte = kEndOfImage;
    source->manager.bytes_in_buffer = 2;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<MemorySourceManager*>(info->src);
    if (count <= 0) return;
    while (static_cast<size_t>(count) > source->manager.bytes_in_buffer) {
        count -= static_cast<long>(source->manager.bytes_in_buffer);
        (void)FillInputBuffer(info);
    }
    source->manager.next_input_byte += count;
    source->manager.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

int CodeForLibraryError(const DecoderErrors& errors) {
    if (errors.sourceEnded) return kCodecReadError;
    switch (errors.manager.msg_code) {
        case JERR_OUT_OF_MEMORY:
            return kCodecOutOfMemory;
        case JERR_NO_SOI:
            return kCodecCannotOpen;
        default:
            return kCodecUnsupportedVariant;
    }
}

// Adobe's CMYK JPEG files store inverted ink values; without the Adobe marker they are plain.
void CmykRowToRgb(const JSAMPLE* in, int width, bool inverted, unsigned char* out, int outDepth) {
    for (int x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        int red = (c * k + 127) / 255;
        int green = (m * k + 127) / 255;
        int blue = (y * k + 127) / 255;
        if (outDepth == 8) {
            *out++ = static_cast<unsigned char>((306 * red + 601 * green + 117 * blue) >> 10);
            continue;
        }
        out[0] = static_cast<unsigned char>(red);
        out[1] = static_cast<unsigned char>(green);
        out[2] = static_cast<unsigned char>(blue);
        if (outDepth == 32) {
            out[3] = 255;
            out += 4;
        } else {
            out += 3;
        }
    }
}

// 24-bit samples to red, green, blue, 255, in place from the right end.
void WidenRowToRgbx(unsigned char* row, int width) {
    for (int x = width - 1; x >= 0; --x) {
        row[x * 4 + 3] = 255;
        row[x * 4 + 2] = row[x * 3 + 2];
        row[x * 4 + 1] = row[x * 3 + 1];
        row[x * 4 + 0] = row[x * 3 + 0];
    }
}

struct DecodeRequest {
    int bitDepth;
    bool reduce;  // pick the smallest reduction that covers the minimum size
    int minimumWidth;
    int minimumHeight;
};

// Decodes from `data` (all `size` bytes of the file) or, when `stream` is given, from the
// stream read in blocks into `block`; `size` is then the stream's size.
int DecodeJpegInput(const unsigned char* data,
                    size_t size,
                    ImageSource* stream,
                    JOCTET* block,
                    const DecodeRequest& request,
                    RgbImage& out) {
    jpeg_decompress_struct info;
    DecoderErrors errors;
    MemorySourceManager source;
    // Released after a jump; volatile so that the values set after setjmp survive it.
    unsigned char* volatile pixels = nullptr;

    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ExitOnError;
    errors.manager.emit_message = NoteWarning;
    errors.manager.output_message = SilenceOutput;
    if (setjmp(errors.jump) != 0) {
        int code = CodeForLibraryError(errors);
        jpeg_destroy_decompress(&info);
        CodecFree(pixels);
        return code;
    }
    jpeg_create_decompress(&info);
    source.errors = &errors;
    source.stream = stream;
    source.block = block;
    source.manager.init_source = InitSource;
    source.manager.fill_input_buffer = FillInputBuffer;
    source.manager.skip_input_data = SkipInputData;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = TermSource;
    source.manager.next_input_byte = stream != nullptr ? block : data;
    source.manager.bytes_in_buffer = stream != nullptr ? 0 : size;
    info.src = &source.manager;

    // Progressive files keep every coefficient of the picture in memory while they decode;
    // a hostile header must not make that unbounded (libjpeg then fails with out of memory).
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_read_header(&info, TRUE);
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else if (request.bitDepth == 8) {
        info.out_color_space = JCS_GRAYSCALE;
    } else {
        info.out_color_space = JCS_RGB;
    }
    if (request.reduce) {
        unsigned denominator = 8;
        while (denominator > 1) {
            unsigned width = (info.image_width + denominator - 1) / denominator;
            unsigned height = (info.image_height + denominator - 1) / denominator;
            if (width >= static_cast<unsigned>(request.minimumWidth) &&
                height >= static_cast<unsigned>(request.minimumHeight)) {
                break;
            }
            denominator /= 2;
        }
        info.scale_num = 1;
        info.scale_denom = denominator;
    }
    jpeg_calc_output_dimensions(&info);
    // libjpeg checks that the file's data is there only while decoding; a header on top of
    // almost nothing must not cost a giant allocation first. Even a uniform picture needs a
    // few bits per block of 8 × 8 pixels (arithmetic coding can do with less).
    if (!info.arith_code && size < (static_cast<uint64_t>(info.image_width) * info.image_height) / 4096) {
        jpeg_destroy_decompress(&info);
        return kCodecReadError;
    }
    size_t rowBytes = 0, totalBytes = 0;
    if (info.output_width > 0x7FFFFFFF || info.output_height > 0x7FFFFFFF ||
        !PictureBufferSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height), request.bitDepth,
                           rowBytes, totalBytes)) {
        jpeg_destroy_decompress(&info);
        return kCodecOutOfMemory;
    }
    pixels = static_cast<unsigned char*>(CodecAllocate(totalBytes));
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&info);
        return kCodecOutOfMemory;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (cmyk) {
        bool inverted = info.saw_Adobe_marker;
        JSAMPARRAY row =
            (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
        while (info.output_scanline < info.output_height) {
            unsigned char* target = pixels + rowBytes * info.output_scanline;
            jpeg_read_scanlines(&info, row, 1);
            CmykRowToRgb(row[0], width, inverted, target, request.bitDepth);
        }
    } else {
        JSAMPROW rows[8];
        while (info.output_scanline < info.output_height) {
            unsigned first = info.output_scanline;
            unsigned count = info.output_height - first;
            if (count > 8) count = 8;
            for (unsigned i = 0; i < count; ++i) rows[i] = pixels + rowBytes * (first + i);
            unsigned done = jpeg_read_scanlines(&info, rows, count);
            if (request.bitDepth == 32) {
                for (unsigned i = 0; i < done; ++i) WidenRowToRgbx(rows[i], width);
            }
        }
    }
    if (errors.dataMissing) {
        jpeg_destroy_decompress(&info);
        CodecFree(pixels);
        return kCodecReadError;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.pixels = pixels;
    out.width = width;
    out.height = height;
    return kCodecOk;
}

int DecodeJpegSource(ImageSource* source, const DecodeRequest& request, RgbImage& out) {
    if (GetSourcePath(source) == nullptr) {
        SourceBytes bytes;  // a memory source lends its buffer
        if (!LoadSourceBytes(source, bytes)) return GetLastCodecError();
        int result = DecodeJpegInput(bytes.data, bytes.size, nullptr, nullptr, request, out);
        FreeSourceBytes(bytes);
        return result;
    }
    uint64_t size = 0;
    if (!GetSourceSize(source, size) || !SeekSource(source, 0, kSourceFromStart)) return kCodecReadError;
    auto* block = static_cast<JOCTET*>(std::malloc(kStreamBlockSize));
    if (block == nullptr) return kCodecOutOfMemory;
    int result =
        DecodeJpegInput(nullptr, size > SIZE_MAX ? SIZE_MAX : static_cast<size_t>(size), source, block, request, out);
    std::free(block);
    return result;
}

bool DecodeFromSource(ImageSource* source, const DecodeRequest& request, RgbImage& out) {
    out = RgbImage{};
    if (!BeginCodecCall()) return false;
    if (source == nullptr || (request.bitDepth != 8 && request.bitDepth != 24 && request.bitDepth != 32) ||
        request.minimumWidth < 0 || request.minimumHeight < 0) {
        SetCodecError(kCodecBadArgument);
        return false;
    }
    int result = DecodeJpegSource(source, request, out);
    if (result != kCodecOk) {
        SetCodecError(result);
        return false;
    }
    return true;
}

}  // namespace

int ReadJpegImage(ImageSource* source, int bitDepth, RgbImage& out) {
    out = RgbImage{};
    return DecodeJpegSource(source, DecodeRequest{bitDepth, false, 0, 0}, out);
}

bool DecodeJpeg(ImageSource* source, int bitDepth, RgbImage& out) {
    return DecodeFromSource(source, DecodeRequest{bitDepth, false, 0, 0}, out);
}

bool DecodeJpegScaled(ImageSource* source, int minimumWidth, int minimumHeight, RgbImage& out) {
    return DecodeFromSource(source, DecodeRequest{24, true, minimumWidth, minimumHeight}, out);
}
