// JPEG decoding through libjpeg, from a memory source in place or from a file source read in
// blocks. Beyond the library's own checks, a hostile file is bounded before it costs much
// time or memory:
//   - the file must hold at least one bit per 8 × 8 block of its frame, the least that any
//     Huffman-coded file needs (arithmetic-coded files are held to the same bound), before
//     the picture is allocated;
//   - every Huffman-coded scan must carry the least data that its kind of scan needs for the
//     frame, checked as each scan ends, and no file may have more scans than kMaxScans;
//   - running out of data inside a scan, before its last row of blocks, is a cut file;
//   - the library's working memory is the coefficients that a multi-scan file must keep,
//     plus kWorkingMemory.
#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/formats/jpeg_decoder.h"
#include "codec/formats/jpeg_errors.h"
#include "codec/formats/reader_support.h"
#include "codec/image_source.h"
#include "codec/pixels/row_layout.h"
// clang-format off
#include <jerror.h>
// clang-format on

namespace {

constexpr size_t kStreamBlockSize = 64 * 1024;
constexpr long kWorkingMemory = 64L << 20;
// Encoders write a handful of scans, a few dozen at the most; a file that repeats scans
// hundreds of times only makes the decoder go over the whole picture again and again.
constexpr int kMaxScans = 300;
// An end-of-band run code stands for at most 32767 blocks and takes at least 15 bits.
constexpr uint64_t kMaxEndOfBandRun = 32767;
constexpr uint64_t kEndOfBandRunBits = 15;

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

struct DecoderState {
    JpegErrorExit errors;  // first: the library's error pointer is the state's address
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    ImageSource* stream = nullptr;  // null: the whole file lies in memory
    JOCTET* block = nullptr;
    uint64_t delivered = 0;  // bytes of the file handed to the library so far
    bool sourceEnded = false;
    bool dataMissing = false;  // a Huffman segment lacked bits after the source ended
    int refusal = kCodecOk;    // a refusal of our own, reported instead of the library's error
    int scanNumber = 0;
    uint64_t scanStart = 0;
    uint64_t scanLeastBytes = 0;
};

DecoderState& StateOf(j_common_ptr info) {
    return *reinterpret_cast<DecoderState*>(&JpegErrorExitOf(info));
}

DecoderState& StateOf(j_decompress_ptr info) {
    return StateOf(reinterpret_cast<j_common_ptr>(info));
}

[[noreturn]] void Refuse(j_decompress_ptr info, int code) {
    DecoderState& state = StateOf(info);
    state.refusal = code;
    std::longjmp(state.errors.jump, 1);
}

uint64_t InputPosition(const DecoderState& state) {
    // After the end only the inserted end-of-image marker is left in the buffer.
    return state.sourceEnded ? state.delivered : state.delivered - state.source.bytes_in_buffer;
}

void NoteWarning(j_common_ptr info, int level) {
    DecoderState& state = StateOf(info);
    if (level < 0) {
        // Corrupt data is decoded on as far as possible; only running out of data counts.
        if (state.sourceEnded && info->err->msg_code == JWRN_HIT_MARKER) state.dataMissing = true;
        info->err->num_warnings++;
    }
}

void InitSource(j_decompress_ptr) {}

// At the end it inserts an end-of-image marker, as libjpeg's own sources do.
boolean FillInputBuffer(j_decompress_ptr info) {
    DecoderState& state = StateOf(info);
    if (state.stream != nullptr) {
        size_t count = ReadSource(state.stream, state.block, kStreamBlockSize);
        if (count != 0) {
            state.source.next_input_byte = state.block;
            state.source.bytes_in_buffer = count;
            state.delivered += count;
            return TRUE;
        }
    }
    state.sourceEnded = true;
    // Inside a scan before its last row of blocks, part of the picture is missing. Huffman
    // data also tells it in the last row (the marker warning); arithmetic-coded data never
    // does, because its decoder reads zeros at the end of every scan, cut or not.
    if (info->input_scan_number > 0 && info->input_iMCU_row + 1 < info->total_iMCU_rows) {
        ERREXIT(info, JERR_INPUT_EOF);
    }
    WARNMS(info, JWRN_JPEG_EOF);
    state.source.next_input_byte = kEndOfImage;
    state.source.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    DecoderState& state = StateOf(info);
    if (count <= 0) return;
    while (static_cast<size_t>(count) > state.source.bytes_in_buffer) {
        count -= static_cast<long>(state.source.bytes_in_buffer);
        (void)FillInputBuffer(info);
    }
    state.source.next_input_byte += count;
    state.source.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

uint64_t ComponentBlocks(const jpeg_component_info& component) {
    return static_cast<uint64_t>(component.width_in_blocks) * component.height_in_blocks;
}

// Every block of the frame costs a Huffman-coded file at least one bit.
uint64_t LeastFrameBytes(const jpeg_decompress_struct& info) {
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c) blocks += ComponentBlocks(info.comp_info[c]);
    return blocks / 8;
}

// The least data the current scan can be coded in: two bits per block in a sequential scan
// (the DC difference and the end of block), one in a progressive DC scan, one end-of-band
// run per 32767 blocks in a progressive AC scan. Arithmetic coding has no such floor.
uint64_t LeastScanBytes(const jpeg_decompress_struct& info) {
    if (info.arith_code) return 0;
    uint64_t blocks = 0;
    for (int c = 0; c < info.comps_in_scan; ++c) blocks += ComponentBlocks(*info.cur_comp_info[c]);
    uint64_t bits = !info.progressive_mode ? blocks * 2
                    : info.Ss == 0         ? blocks
                                           : blocks / kMaxEndOfBandRun * kEndOfBandRunBits;
    return bits / 8;
}

void EndScan(j_decompress_ptr info) {
    DecoderState& state = StateOf(info);
    if (state.scanNumber > 0 && InputPosition(state) - state.scanStart < state.scanLeastBytes) {
        Refuse(info, kCodecReadError);
    }
}

void BeginScan(j_decompress_ptr info) {
    DecoderState& state = StateOf(info);
    state.scanNumber = info->input_scan_number;
    state.scanStart = InputPosition(state);
    state.scanLeastBytes = LeastScanBytes(*info);
}

// Called before every step of input; a new scan number means that a scan has just begun.
void WatchScans(j_common_ptr common) {
    auto info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number == StateOf(info).scanNumber) return;
    EndScan(info);
    if (info->input_scan_number > kMaxScans) Refuse(info, kCodecUnsupportedVariant);
    BeginScan(info);
}

// The coefficients that a file of several scans keeps for the whole picture while it decodes.
uint64_t CoefficientBytes(const jpeg_decompress_struct& info) {
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        uint64_t columns = (component.width_in_blocks + component.h_samp_factor - 1) / component.h_samp_factor;
        uint64_t rows = (component.height_in_blocks + component.v_samp_factor - 1) / component.v_samp_factor;
        blocks += columns * component.h_samp_factor * rows * component.v_samp_factor;
    }
    return blocks * sizeof(JBLOCK);
}

// The library counts its memory in a long, which has 32 bits on Windows.
long WorkingMemoryLimit(jpeg_decompress_struct& info) {
    uint64_t limit = kWorkingMemory + (jpeg_has_multiple_scans(&info) ? CoefficientBytes(info) : 0);
    return limit > static_cast<uint64_t>(LONG_MAX) ? LONG_MAX : static_cast<long>(limit);
}

int CodeForLibraryError(const DecoderState& state) {
    if (state.refusal != kCodecOk) return state.refusal;
    if (state.sourceEnded) return kCodecReadError;
    switch (state.errors.manager.msg_code) {
        case JERR_OUT_OF_MEMORY:
        case JERR_NO_BACKING_STORE:  // the working-memory limit was reached
            return kCodecOutOfMemory;
        case JERR_NO_SOI:
            return kCodecCannotOpen;
        default:
            return kCodecUnsupportedVariant;
    }
}

// Sets the library up to read `state`'s input: from `data` (all `size` bytes of the file)
// or, when `state.stream` is given, from the stream in blocks.
void AttachInput(jpeg_decompress_struct& info, DecoderState& state, const unsigned char* data, size_t size) {
    state.source.init_source = InitSource;
    state.source.fill_input_buffer = FillInputBuffer;
    state.source.skip_input_data = SkipInputData;
    state.source.resync_to_restart = jpeg_resync_to_restart;
    state.source.term_source = TermSource;
    state.source.next_input_byte = state.stream != nullptr ? state.block : data;
    state.source.bytes_in_buffer = state.stream != nullptr ? 0 : size;
    state.delivered = state.stream != nullptr ? 0 : size;
    info.src = &state.source;
    state.progress.progress_monitor = WatchScans;
    info.progress = &state.progress;
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
    bool headerOnly = false;  // only the frame's size, in `out`
};

void ChooseOutput(jpeg_decompress_struct& info, const DecodeRequest& request, bool cmyk) {
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else if (request.bitDepth == 8) {
        info.out_color_space = JCS_GRAYSCALE;
    } else {
        info.out_color_space = JCS_RGB;
    }
    if (!request.reduce) return;
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

void ReadRows(jpeg_decompress_struct& info, bool cmyk, int bitDepth, size_t rowBytes, unsigned char* pixels) {
    const int width = static_cast<int>(info.output_width);
    if (cmyk) {
        bool inverted = info.saw_Adobe_marker;
        JSAMPARRAY row =
            (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
        while (info.output_scanline < info.output_height) {
            unsigned char* target = pixels + rowBytes * info.output_scanline;
            jpeg_read_scanlines(&info, row, 1);
            CmykRowToRgb(row[0], width, inverted, target, bitDepth);
        }
        return;
    }
    JSAMPROW rows[8];
    while (info.output_scanline < info.output_height) {
        unsigned first = info.output_scanline;
        unsigned count = info.output_height - first;
        if (count > 8) count = 8;
        for (unsigned i = 0; i < count; ++i) rows[i] = pixels + rowBytes * (first + i);
        unsigned done = jpeg_read_scanlines(&info, rows, count);
        if (bitDepth == 32) {
            for (unsigned i = 0; i < done; ++i) WidenRowToRgbx(rows[i], width);
        }
    }
}

// The decoder proper, between setjmp and the library's longjmp; what must survive a jump
// (the state, the pixels) lives in the caller's frame.
int RunDecoder(DecoderState& state,
               const unsigned char* data,
               size_t size,
               const DecodeRequest& request,
               CodecBuffer& pixels,
               RgbImage& out) {
    jpeg_decompress_struct info;
    info.err = UseJpegErrorExit(state.errors);
    state.errors.manager.emit_message = NoteWarning;
    if (setjmp(state.errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return CodeForLibraryError(state);
    }
    jpeg_create_decompress(&info);
    AttachInput(info, state, data, size);
    jpeg_read_header(&info, TRUE);
    if (request.headerOnly) {
        out.width = static_cast<int>(info.image_width);
        out.height = static_cast<int>(info.image_height);
        jpeg_destroy_decompress(&info);
        return kCodecOk;
    }
    BeginScan(&info);
    if (size < LeastFrameBytes(info)) Refuse(&info, kCodecReadError);
    info.mem->max_memory_to_use = WorkingMemoryLimit(info);
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    ChooseOutput(info, request, cmyk);
    jpeg_calc_output_dimensions(&info);
    size_t rowBytes = 0, totalBytes = 0;
    if (info.output_width > 0x7FFFFFFF || info.output_height > 0x7FFFFFFF ||
        !PictureBufferSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height), request.bitDepth,
                           rowBytes, totalBytes)) {
        Refuse(&info, kCodecOutOfMemory);
    }
    pixels = CodecBuffer::Allocate(totalBytes);
    if (pixels.IsEmpty()) Refuse(&info, kCodecOutOfMemory);
    jpeg_start_decompress(&info);
    ReadRows(info, cmyk, request.bitDepth, rowBytes, pixels.Data());
    EndScan(&info);
    if (state.dataMissing) Refuse(&info, kCodecReadError);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    return kCodecOk;
}

// Decodes the whole source from its first byte: a memory source in place, a file source in
// blocks (so that a big photo is not copied into memory first).
int RunDecoderOnSource(ImageSource* source, const DecodeRequest& request, CodecBuffer& pixels, RgbImage& out) {
    DecoderState state;
    if (GetSourcePath(source) == nullptr) {
        SourceBytes bytes;  // a memory source lends its buffer
        if (!LoadSourceBytes(source, bytes)) return GetLastCodecError();
        return RunDecoder(state, bytes.data, bytes.size, request, pixels, out);
    }
    uint64_t size = 0;
    if (!GetSourceSize(source, size) || !SeekSource(source, 0, kSourceFromStart)) return kCodecReadError;
    WorkArray<JOCTET> block = AllocateWorkArray<JOCTET>(kStreamBlockSize);
    if (block == nullptr) return kCodecOutOfMemory;
    state.stream = source;
    state.block = block.get();
    return RunDecoder(state, nullptr, size > SIZE_MAX ? SIZE_MAX : static_cast<size_t>(size), request, pixels, out);
}

int DecodeJpegSource(ImageSource* source, const DecodeRequest& request, RgbImage& out) {
    CodecBuffer pixels;
    int result = RunDecoderOnSource(source, request, pixels, out);
    if (result != kCodecOk) {
        out = RgbImage{};
        return result;
    }
    DeliverRgbImage(pixels, out.width, out.height, out);
    return kCodecOk;
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

int ReadJpegSize(ImageSource* source, int& width, int& height) {
    RgbImage size;
    int result = DecodeJpegSource(source, DecodeRequest{24, false, 0, 0, true}, size);
    width = size.width;
    height = size.height;
    return result;
}

bool ReadJpegFrameSize(const unsigned char* data, size_t size, int& width, int& height) {
    width = height = 0;
    ImageSource* source = OpenMemorySource(data, size);
    if (source == nullptr) return false;
    int result = ReadJpegSize(source, width, height);
    (void)CloseSource(source);
    SetCodecError(result);
    return result == kCodecOk;
}

bool DecodeJpeg(ImageSource* source, int bitDepth, RgbImage& out) {
    return DecodeFromSource(source, DecodeRequest{bitDepth, false, 0, 0}, out);
}

bool DecodeJpegScaled(ImageSource* source, int minimumWidth, int minimumHeight, RgbImage& out) {
    return DecodeFromSource(source, DecodeRequest{24, true, minimumWidth, minimumHeight}, out);
}
