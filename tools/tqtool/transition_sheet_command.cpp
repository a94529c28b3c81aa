// tqtool transition-sheet: a contact sheet of every transition effect, for looking at them
// all at once. Both pictures are stretched to the frame size; each row is one effect of the
// catalogue, in catalogue order, drawn forwards at progress 0, 0.25, 0.5, 0.75 and 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "codec/codec_state.h"
#include "codec/format_detection.h"
#include "codec/formats/bmp_codec.h"
#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "codec/resample/resample.h"
#include "screensaver/transitions/effect_catalogue.h"
#include "screensaver/transitions/transition_choice.h"
#include "screensaver/transitions/transition_effect.h"
#include "settings/transition_catalogue.h"
#include "tools/tqtool/command.h"

namespace {

const char kUsage[] = "transition-sheet OLD NEW OUT.bmp|.ppm [--size 320x180]";
constexpr int kColumns = 5;
constexpr size_t kLargestSheet = size_t(256) << 20;  // bytes

struct RgbPicture {
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
};

// Reads any picture the codec knows, stretched to width x height; prints why not on failure.
bool ReadStretched(const char* path, int width, int height, OwnedFrame& frame) {
    ImageSource* source = OpenFileSource(path);
    OwnedRgbImage picture;
    bool read = source != nullptr && ReadImageRgb24(source, picture);
    int error = GetLastCodecError();
    if (source != nullptr) CloseSource(source);
    if (!read) {
        std::fprintf(stderr, "tqtool: %s: cannot read (codec error %d)\n", path, error);
        return false;
    }
    std::vector<unsigned char> stretched(size_t(width) * height * 3);
    bool resized = ResizeRgb(picture.View(), RgbView{stretched.data(), width, height, width * 3});
    frame = OwnedFrame(width, height);
    if (!resized || frame.IsEmpty()) {
        std::fprintf(stderr, "tqtool: %s: cannot stretch to %dx%d\n", path, width, height);
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const unsigned char* rgb = stretched.data() + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) frame.View().Row(y)[x] = FramePixel(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]);
    }
    return true;
}

void PlaceFrame(const Frame& frame, RgbPicture& sheet, int left, int top) {
    for (int y = 0; y < frame.height; ++y) {
        unsigned char* rgb = sheet.pixels.data() + (size_t(top + y) * sheet.width + left) * 3;
        for (int x = 0; x < frame.width; ++x) {
            uint32_t pixel = frame.Row(y)[x];
            rgb[3 * x] = uint8_t(pixel >> 16);
            rgb[3 * x + 1] = uint8_t(pixel >> 8);
            rgb[3 * x + 2] = uint8_t(pixel);
        }
    }
}

// Draws row `entry` of the sheet; false when the effect cannot be created.
bool DrawEffectRow(int entry, const Frame& from, const Frame& to, const Frame& out, RgbPicture& sheet) {
    TransitionEffect effect;
    if (!CreateTransitionEffect(EffectCatalogue(entry).classId, from, to, out, effect)) return false;
    int style = WipeStyleOfEntry(entry);
    if (style >= 0 && !SetWipeStyle(effect, style)) return false;
    for (int column = 0; column < kColumns; ++column) {
        SetTransitionProgress(effect, float(column) / float(kColumns - 1));
        ExecuteTransition(effect);
        PlaceFrame(out, sheet, column * out.width, entry * out.height);
    }
    return true;
}

bool WriteSheet(const char* path, const RgbPicture& sheet) {
    ImageSink* sink = OpenFileSink(path);
    if (sink == nullptr) return false;
    bool written = false;
    if (PathHasExtension(path, ".bmp")) {
        written = WriteBmp(sink, sheet.pixels.data(), sheet.width, sheet.height, 24);
    } else {
        char header[64];
        int length = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", sheet.width, sheet.height);
        written = WriteSink(sink, header, size_t(length)) && WriteSink(sink, sheet.pixels.data(), sheet.pixels.size());
    }
    return CloseSink(sink) == 0 && written;
}

bool ParseSize(const char* text, int& width, int& height) {
    char* end = nullptr;
    long parsedWidth = std::strtol(text, &end, 10);
    if (end == text || *end != 'x') return false;
    const char* rest = end + 1;
    long parsedHeight = std::strtol(rest, &end, 10);
    if (end == rest || *end != '\0' || parsedWidth < 1 || parsedHeight < 1 || parsedWidth > 16384 ||
        parsedHeight > 16384) {
        return false;
    }
    width = int(parsedWidth), height = int(parsedHeight);
    return true;
}

int RunTransitionSheet(int argc, char** argv) {
    int width = 320, height = 180;
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--size") == 0 && ParseSize(argv[4], width, height))) {
        return ToolUsage(kUsage);
    }
    const char* outPath = argv[2];
    if (!PathHasExtension(outPath, ".bmp") && !PathHasExtension(outPath, ".ppm")) return ToolUsage(kUsage);
    RgbPicture sheet;
    sheet.width = kColumns * width;
    sheet.height = kTransitionCount * height;
    if (size_t(sheet.width) * size_t(sheet.height) * 3 > kLargestSheet) {
        std::fprintf(stderr, "tqtool: a sheet of %dx%d frames would exceed %zu MiB\n", width, height,
                     kLargestSheet >> 20);
        return kToolExitUsage;
    }
    OwnedFrame from, to;
    if (!ReadStretched(argv[0], width, height, from) || !ReadStretched(argv[1], width, height, to)) return 1;
    OwnedFrame out(width, height);
    sheet.pixels.assign(size_t(sheet.width) * sheet.height * 3, 0);
    for (int entry = 0; entry < kTransitionCount; ++entry) {
        if (!DrawEffectRow(entry, from.View(), to.View(), out.View(), sheet)) {
            std::fprintf(stderr, "tqtool: the effect of %s cannot be created\n", TransitionCatalogue(entry).name);
            return 1;
        }
        std::printf("%s\n", TransitionCatalogue(entry).name);
    }
    if (!WriteSheet(outPath, sheet)) {
        std::fprintf(stderr, "tqtool: %s: cannot write\n", outPath);
        return 1;
    }
    return 0;
}

const ToolCommandRegistrar kRegister({"transition-sheet",
                                      "transition-sheet OLD NEW OUT.bmp|.ppm [--size 320x180]\n"
                                      "                                       every transition effect at progress 0,\n"
                                      "                                       0.25, 0.5, 0.75 and 1, one row each in\n"
                                      "                                       catalogue order; prints the row names",
                                      RunTransitionSheet});

}  // namespace
