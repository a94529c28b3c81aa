// tqtool compose: lays a .tqi picture out as a wallpaper would be, and writes a 24-bit BMP.
// Exit codes: the picture file's result when it cannot be read, the composition's result, or
// the codec error when the BMP cannot be written.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/wallpaper/compose_picture.h"
#include "app/wallpaper/title_text.h"
#include "collection/tqi_file.h"
#include "tools/tqtool/command.h"
#include "tools/tqtool/image_files.h"

namespace {

const char kUsage[] =
    "compose IN.tqi WIDTH HEIGHT PRESENTATION OUT.bmp|.ppm|.jpg [--area L,T,R,B] [--grey] [--title] "
    "[--background 0xBBGGRR] [--filter N]";

bool ParseInt(const char* text, long minimum, long maximum, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 0);
    return end != text && *end == 0 && value >= minimum && value <= maximum;
}

}  // namespace

static int RunCompose(int argc, char** argv) {
    if (argc < 5) return ToolUsage(kUsage);
    long width = 0;
    long height = 0;
    long presentation = 0;
    if (!ParseInt(argv[1], 1, 32768, width) || !ParseInt(argv[2], 1, 32768, height) ||
        !ParseInt(argv[3], 0, 255, presentation)) {
        return ToolUsage(kUsage);
    }
    ComposeRequest request;
    request.targetWidth = static_cast<int>(width);
    request.targetHeight = static_cast<int>(height);
    request.presentation = static_cast<uint8_t>(presentation);
    for (int i = 5; i < argc; ++i) {
        long value = 0;
        if (std::strcmp(argv[i], "--grey") == 0) {
            request.flags |= kComposeGreyscale;
        } else if (std::strcmp(argv[i], "--title") == 0) {
            request.flags |= kComposeTitle;
        } else if (std::strcmp(argv[i], "--area") == 0 && i + 1 < argc) {
            AreaRect area;
            int consumed = 0;
            if (std::sscanf(argv[++i], "%d,%d,%d,%d%n", &area.left, &area.top, &area.right, &area.bottom, &consumed) !=
                    4 ||
                argv[i][consumed] != 0) {
                return ToolUsage(kUsage);
            }
            request.area = area;
        } else if (std::strcmp(argv[i], "--background") == 0 && i + 1 < argc) {
            if (!ParseInt(argv[++i], 0, 0xFFFFFF, value)) return ToolUsage(kUsage);
            request.backgroundColour = static_cast<uint32_t>(value);
        } else if (std::strcmp(argv[i], "--filter") == 0 && i + 1 < argc) {
            if (!ParseInt(argv[++i], -1, 13, value)) return ToolUsage(kUsage);
            request.resizeFilter = static_cast<int>(value);
        } else {
            return ToolUsage(kUsage);
        }
    }
    if ((request.flags & kComposeTitle) != 0 && !IsTitleDrawingAvailable()) {
        std::fprintf(stderr,
                     "tqtool: --title needs the font Liberation Sans Bold (Debian package fonts-liberation, or a "
                     "font file in TQ_TITLE_FONT); refusing to compose without the title\n");
        return kToolExitMissingFont;
    }

    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(argv[0]), record, true);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: cannot read %s (result %d)\n", argv[0], result);
        return result;
    }
    OwnedRgbImage composed;
    ComposeResult composition = ComposePicture(record, request, composed);
    FreePicturePayload(record);
    if (composition != kComposeOk) {
        std::fprintf(stderr, "tqtool: composing %s failed (result %d)\n", argv[0], composition);
        return composition;
    }
    return WriteImageFile(argv[4], composed);
}

static const ToolCommandRegistrar kRegisterCompose({"compose", kUsage, RunCompose});
