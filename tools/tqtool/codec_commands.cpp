// tqtool's picture commands: decode any picture the codec layer reads and write it as BMP,
// PPM or JPEG; resize a picture with the bicubic resampler or one of the filters.
#include <cstdio>
#include <cstdlib>

#include "codec/codec_errors.h"
#include "codec/codec_state.h"
#include "codec/resample/resample.h"
#include "tools/tqtool/command.h"
#include "tools/tqtool/image_files.h"

namespace {

bool ParseInt(const char* text, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < -1000000 || parsed > 1000000) return false;
    value = static_cast<int>(parsed);
    return true;
}

// The command's exit code is always a codec error, also where the resize stopped before the
// resampler could leave one.
int CodecErrorOfResize(RgbImageResult result) {
    if (result == kRgbImageOutOfMemory) return kCodecOutOfMemory;
    int error = GetLastCodecError();
    return error != kCodecOk ? error : kCodecBadArgument;  // a size that is not positive
}

int RunDecode(int argc, char** argv) {
    if (argc != 2) return ToolUsage("decode IN OUT.bmp|OUT.ppm|OUT.jpg");
    OwnedRgbImage picture;
    int format = 0;
    int result = ReadImageFile(argv[0], picture, format);
    if (result != 0) return result;
    std::printf("format: %d\nwidth: %d\nheight: %d\n", format, picture.Width(), picture.Height());
    return WriteImageFile(argv[1], picture);
}

int RunResize(int argc, char** argv) {
    const char* usage = "resize IN WIDTH HEIGHT FILTER OUT.bmp|OUT.ppm|OUT.jpg";
    int width = 0, height = 0, filter = 0;
    if (argc != 5 || !ParseInt(argv[1], width) || !ParseInt(argv[2], height) || !ParseInt(argv[3], filter)) {
        return ToolUsage(usage);
    }
    OwnedRgbImage picture;
    int format = 0;
    int result = ReadImageFile(argv[0], picture, format);
    if (result != 0) return result;
    RgbImageResult resized = ResizeRgbImage(picture, width, height, filter);
    if (resized != kRgbImageOk) {
        int error = CodecErrorOfResize(resized);
        std::fprintf(stderr, "tqtool: cannot resize to %dx%d with filter %d (codec error %d)\n", width, height, filter,
                     error);
        return error;
    }
    std::printf("width: %d\nheight: %d\n", picture.Width(), picture.Height());
    return WriteImageFile(argv[4], picture);
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
