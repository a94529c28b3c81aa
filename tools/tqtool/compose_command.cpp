// tqtool compose: lays a .tqi picture out as a wallpaper would be, and writes a 24-bit BMP.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/wallpaper/compose_picture.h"
#include "app/wallpaper/title_text.h"
#include "codec/formats/bmp_codec.h"
#include "codec/image_source.h"
#include "collection/tqi_file.h"
#include "tools/tqtool/command.h"

namespace {

const char kUsage[] =
    "compose IN.tqi WIDTH HEIGHT PRESENTATION OUT.bmp [--area L,T,R,B] [--grey] [--title] "
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
    AreaRect area;
    bool haveArea = false;
    uint32_t flags = 0;
    long background = 0;
    long filter = kResizeBicubic;
    for (int i = 5; i < argc; ++i) {
        if (std::strcmp(argv[i], "--grey") == 0) {
            flags |= kComposeGreyscale;
        } else if (std::strcmp(argv[i], "--title") == 0) {
            flags |= kComposeTitle;
        } else if (std::strcmp(argv[i], "--area") == 0 && i + 1 < argc) {
            int consumed = 0;
            if (std::sscanf(argv[++i], "%d,%d,%d,%d%n", &area.left, &area.top, &area.right, &area.bottom, &consumed) !=
                    4 ||
                argv[i][consumed] != 0) {
                return ToolUsage(kUsage);
            }
            haveArea = true;
        } else if (std::strcmp(argv[i], "--background") == 0 && i + 1 < argc) {
            if (!ParseInt(argv[++i], 0, 0xFFFFFF, background)) return ToolUsage(kUsage);
        } else if (std::strcmp(argv[i], "--filter") == 0 && i + 1 < argc) {
            if (!ParseInt(argv[++i], -1, 13, filter)) return ToolUsage(kUsage);
        } else {
            return ToolUsage(kUsage);
        }
    }
    if ((flags & kComposeTitle) != 0 && !IsTitleDrawingAvailable()) {
        std::fprintf(stderr,
                     "tqtool: --title needs the font Liberation Sans Bold (Debian package fonts-liberation, or a "
                     "font file in TQ_TITLE_FONT); refusing to compose without the title\n");
        return 69;
    }

    PictureRecord record;
    int result = ReadPictureFile(PictureSource::FromPath(argv[0]), record, true);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: cannot read %s (result %d)\n", argv[0], result);
        return result;
    }
    RgbImage composed;
    result = ComposePicture(composed, record, static_cast<int>(width), static_cast<int>(height),
                            static_cast<int>(filter), haveArea ? &area : nullptr, static_cast<uint8_t>(presentation),
                            static_cast<uint32_t>(background), flags);
    FreePicturePayload(record);
    if (result != 0) {
        std::fprintf(stderr, "tqtool: composing %s failed (result %d)\n", argv[0], result);
        return result;
    }
    ImageSink* sink = OpenFileSink(argv[4]);
    bool written = sink != nullptr && WriteBmp(sink, composed.pixels, composed.width, composed.height, 24);
    bool closed = sink != nullptr && CloseSink(sink) == 0;
    FreeComposedPicture(composed);
    if (!written || !closed) {
        std::fprintf(stderr, "tqtool: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}

static const ToolCommandRegistrar kRegisterCompose({"compose", kUsage, RunCompose});
