#include "tools/tqtool/image_files.h"

#include <cstdio>

#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/bmp_codec.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "tools/tqtool/command.h"

namespace {

constexpr int kToolJpegQuality = 95;

bool WritePpm(ImageSink* sink, const ConstRgbView& picture) {
    char header[64];
    int length = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", picture.width, picture.height);
    return WriteSink(sink, header, static_cast<size_t>(length)) &&
           WriteSink(sink, picture.pixels, static_cast<size_t>(picture.stride) * static_cast<size_t>(picture.height));
}

}  // namespace

int ReadImageFile(const char* path, OwnedRgbImage& picture, int& format) {
    ImageSource* source = OpenFileSource(path);
    if (source == nullptr) {
        int error = GetLastCodecError();
        std::fprintf(stderr, "tqtool: %s: cannot open (codec error %d)\n", path, error);
        return error;
    }
    format = GuessFormat(source);
    bool read = ReadImageRgb24(source, picture);
    int error = GetLastCodecError();
    (void)CloseSource(source);
    if (!read) {
        std::fprintf(stderr, "tqtool: %s: cannot decode (codec error %d)\n", path, error);
        return error;
    }
    return 0;
}

int WriteImageFile(const char* path, const OwnedRgbImage& picture) {
    enum { kBmp, kPpm, kJpeg } kind;
    if (PathHasExtension(path, ".bmp")) {
        kind = kBmp;
    } else if (PathHasExtension(path, ".ppm")) {
        kind = kPpm;
    } else if (PathHasExtension(path, ".jpg") || PathHasExtension(path, ".jpeg")) {
        kind = kJpeg;
    } else {
        std::fprintf(stderr, "tqtool: %s: the output must end in .bmp, .ppm or .jpg\n", path);
        return kToolExitUsage;
    }
    ImageSink* sink = OpenFileSink(path);
    if (sink == nullptr) {
        int error = GetLastCodecError();
        std::fprintf(stderr, "tqtool: %s: cannot create (codec error %d)\n", path, error);
        return error;
    }
    ConstRgbView view = picture.View();
    bool written = kind == kBmp   ? WriteBmp(sink, view.pixels, view.width, view.height, 24)
                   : kind == kPpm ? WritePpm(sink, view)
                                  : WriteJpeg(sink, view.pixels, view.width, view.height, kToolJpegQuality, 24, 0);
    int error = written ? 0 : GetLastCodecError();
    int closed = CloseSink(sink);
    if (error == 0) error = closed;
    if (error != 0) std::fprintf(stderr, "tqtool: %s: cannot write (codec error %d)\n", path, error);
    return error;
}
