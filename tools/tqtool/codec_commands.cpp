// tqtool's picture commands: decode any picture the codec layer reads and write it as BMP,
// PPM or JPEG; resize a picture with the bicubic resampler or one of the filters.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "codec/formats/bmp_codec.h"
#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/resample/resample.h"
#include "tools/tqtool/command.h"

namespace {

constexpr int kToolJpegQuality = 95;

// Reads IN into global memory; prints the codec error and returns it on failure.
int ReadPicture(const char* path, RgbImage& image, int& format) {
    ImageSource* source = OpenFileSource(path);
    if (source == nullptr) {
        int error = GetLastCodecError();
        std::fprintf(stderr, "tqtool: %s: cannot open (codec error %d)\n", path, error);
        return error;
    }
    format = GuessFormat(source);
    bool read = ReadImageRgb24(source, image);
    int error = GetLastCodecError();
    CloseSource(source);
    if (!read) {
        std::fprintf(stderr, "tqtool: %s: cannot decode (codec error %d)\n", path, error);
        return error;
    }
    return 0;
}

bool WritePpm(ImageSink* sink, const RgbImage& image) {
    char header[64];
    int length = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", image.width, image.height);
    return WriteSink(sink, header, static_cast<size_t>(length)) &&
           WriteSink(sink, image.pixels, static_cast<size_t>(image.width) * image.height * 3);
}

// Writes the picture by OUT's extension; returns 0, 64 for an unknown extension, or the codec error.
int WritePicture(const char* path, const RgbImage& image) {
    enum { kBmp, kPpm, kJpeg } kind;
    if (PathHasExtension(path, ".bmp")) {
        kind = kBmp;
    } else if (PathHasExtension(path, ".ppm")) {
        kind = kPpm;
    } else if (PathHasExtension(path, ".jpg") || PathHasExtension(path, ".jpeg")) {
        kind = kJpeg;
    } else {
        std::fprintf(stderr, "tqtool: %s: the output must end in .bmp, .ppm or .jpg\n", path);
        return 64;
    }
    ImageSink* sink = OpenFileSink(path);
    if (sink == nullptr) {
        int error = GetLastCodecError();
        std::fprintf(stderr, "tqtool: %s: cannot create (codec error %d)\n", path, error);
        return error;
    }
    bool written = kind == kBmp   ? WriteBmp(sink, image.pixels, image.width, image.height, 24)
                   : kind == kPpm ? WritePpm(sink, image)
                                  : WriteJpeg(sink, image.pixels, image.width, image.height, kToolJpegQuality, 24, 0);
    int error = written ? 0 : GetLastCodecError();
    int closed = CloseSink(sink);
    if (error == 0) error = closed;
    if (error != 0) std::fprintf(stderr, "tqtool: %s: cannot write (codec error %d)\n", path, error);
    return error;
}

bool ParseInt(const char* text, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < -1000000 || parsed > 1000000) return false;
    value = static_cast<int>(parsed);
    return true;
}

int RunDecode(int argc, char** argv) {
    if (argc != 2) return ToolUsage("decode IN OUT.bmp|OUT.ppm|OUT.jpg");
    RgbImage image;
    int format = 0;
    int result = ReadPicture(argv[0], image, format);
    if (result != 0) return result;
    std::printf("format: %d\nwidth: %d\nheight: %d\n", format, image.width, image.height);
    result = WritePicture(argv[1], image);
    FreeImageRgb24(image);
    return result;
}

int RunResize(int argc, char** argv) {
    const char* usage = "resize IN WIDTH HEIGHT FILTER OUT.bmp|OUT.ppm|OUT.jpg";
    int width = 0, height = 0, filter = 0;
    if (argc != 5 || !ParseInt(argv[1], width) || !ParseInt(argv[2], height) || !ParseInt(argv[3], filter)) {
        return ToolUsage(usage);
    }
    RgbImage image;
    int format = 0;
    int result = ReadPicture(argv[0], image, format);
    if (result != 0) return result;
    // The picture is in global memory, which is also where this thread's codec allocations go.
    result = ResizeRgbImage(image, width, height, filter);
    if (result != 0) {
        int error = GetLastCodecError();
        std::fprintf(stderr, "tqtool: cannot resize to %dx%d with filter %d (result %d, codec error %d)\n", width,
                     height, filter, result, error);
        FreeImageRgb24(image);
        return error != 0 ? error : result;
    }
    std::printf("width: %d\nheight: %d\n", image.width, image.height);
    result = WritePicture(argv[4], image);
    FreeImageRgb24(image);
    return result;
}

const ToolCommandRegistrar kDecode(
    {"decode",
     "decode IN OUT.bmp|.ppm|.jpg         decode any picture the codec reads; prints\n"
     "                                       the detected format code, width and height;\n"
     "                                       metafiles (WMF, APM, EMF) decode only in the\n"
     "                                       Windows programs: here they fail with error 52",
     RunDecode});
const ToolCommandRegistrar kResize({"resize",
                                    "resize IN W H FILTER OUT.bmp|.ppm|.jpg  resample (FILTER -1 bicubic, 0..13)",
                                    RunResize});

}  // namespace
