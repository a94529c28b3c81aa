// Times the codec layer's heavy operations on one thread: JPEG decoding of a photo, the
// Lanczos and bicubic resamplers at wallpaper sizes, greyscale, overlay and BMP writing.
// Prints one line per operation: name, best time in milliseconds, megapixels per second
// (of the larger of source and target). Input: a photo (6000 × 4000) and a screen-sized
// picture (2560 × 1600), both JPEG.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "codec/codec_memory.h"
#include "codec/codec_state.h"
#include "codec/formats/bmp_codec.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_source.h"
#include "codec/pixels/pixel_ops.h"
#include "codec/resample/resample.h"

namespace {

double BestMilliseconds(int runs, const std::function<bool()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::fprintf(stderr, "codec_bench: an operation failed (codec error %d)\n", GetLastCodecError());
            std::exit(1);
        }
        double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (elapsed < best) best = elapsed;
    }
    return best;
}

void Report(const char* name, double milliseconds, double megapixels) {
    std::printf("%-28s %9.2f ms %9.1f Mpx/s\n", name, milliseconds, megapixels / (milliseconds / 1000.0));
    std::fflush(stdout);
}

// Decodes into the bare picture the JPEG decoder fills, so that the warm-buffer runs can
// keep one block between them.
bool DecodeFile(const char* path, RgbImage& image) {
    ImageSource* source = OpenFileSource(path);
    if (source == nullptr) return false;
    bool done = DecodeJpeg(source, 24, image);
    CloseSource(source);
    return done;
}

bool DecodeFile(const char* path, OwnedRgbImage& image) {
    RgbImage decoded;
    bool done = DecodeFile(path, decoded);
    image = AdoptCodecPicture(decoded);
    return done;
}

void BenchResize(const char* label, const OwnedRgbImage& source, int width, int height) {
    OwnedRgbImage target;
    if (AllocateCanvas(width, height, target) != kRgbImageOk) std::exit(1);
    double megapixels = static_cast<double>(source.Width()) * source.Height() / 1e6;
    std::string lanczos = std::string("lanczos ") + label;
    std::string bicubic = std::string("bicubic ") + label;
    Report(lanczos.c_str(),
           BestMilliseconds(5, [&] { return ResampleRgb(source.View(), target.View(), kFilterLanczos3); }), megapixels);
    Report(bicubic.c_str(), BestMilliseconds(5, [&] { return ResizeRgb(source.View(), target.View()); }), megapixels);
}

// Buffers on the ordinary heap, as the programs' own threads have them.
void InstallHeapAllocators() {
    SetCodecAllocators([](size_t size, void*) { return std::malloc(size); },
                       [](void* buffer, size_t size, void*) { return std::realloc(buffer, size); },
                       [](void* buffer, void*) {
                           std::free(buffer);
                           return 1;
                       },
                       nullptr);
}

// One block kept between runs and touched once, so that its pages stay mapped.
unsigned char* g_warmBlock = nullptr;
size_t g_warmSize = 0;

void* WarmAllocate(size_t size, void*) {
    if (size > g_warmSize) {
        std::free(g_warmBlock);
        g_warmBlock = static_cast<unsigned char*>(std::malloc(size));
        g_warmSize = g_warmBlock == nullptr ? 0 : size;
        if (g_warmBlock != nullptr) std::memset(g_warmBlock, 0, size);
    }
    return g_warmBlock;
}

int WarmFree(void*, void*) {
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: codec_bench PHOTO.jpg SCREEN.jpg\n");
        return 64;
    }
    InstallHeapAllocators();
    OwnedRgbImage photo, screen;
    double decode = BestMilliseconds(5, [&] {
        photo.Reset();
        return DecodeFile(argv[1], photo);
    });
    double photoMegapixels = static_cast<double>(photo.Width()) * photo.Height() / 1e6;
    Report("jpeg decode", decode, photoMegapixels);
    // The same into a buffer whose pages are already mapped: the decoder's own speed, as a
    // command-line decoder that writes row by row sees it.
    SetCodecAllocators(WarmAllocate, nullptr, WarmFree, nullptr);
    RgbImage warm;
    double warmDecode = BestMilliseconds(5, [&] { return DecodeFile(argv[1], warm); });
    Report("jpeg decode (warm buffer)", warmDecode, photoMegapixels);
    InstallHeapAllocators();
    if (!DecodeFile(argv[2], screen)) return 1;

    BenchResize("2560x1600->2048x1280", screen, 2048, 1280);
    BenchResize("6000x4000->3840x2160", photo, 3840, 2160);
    BenchResize("6000x4000->1920x1080", photo, 1920, 1080);

    // Greyscale is idempotent, so every run does the same work on the same buffer.
    OwnedRgbImage grey;
    if (CreateRgbCanvas(photo.Width(), photo.Height(), 0, grey) != kRgbImageOk ||
        !OverlayRgb(photo.View(), grey.View(), 0, 0, 1.0)) {
        return 1;
    }
    Report("greyscale", BestMilliseconds(5, [&] { return GreyscaleRgb(grey.View()); }), photoMegapixels);

    // Overlay: the photo's top-left 3840 × 2160 blended at half opacity onto a canvas of that size.
    OwnedRgbImage canvas;
    if (CreateRgbCanvas(3840, 2160, 0x00406080, canvas) != kRgbImageOk) return 1;
    Report("overlay 3840x2160 at 0.5",
           BestMilliseconds(5, [&] { return OverlayRgb(photo.View(), canvas.View(), 0, 0, 0.5); }),
           3840.0 * 2160 / 1e6);

    const char* bmpPath = std::getenv("CODEC_BENCH_BMP");
    std::string path = bmpPath != nullptr ? bmpPath : "/tmp/codec_bench.bmp";
    Report("bmp write 3840x2160",
           BestMilliseconds(5,
                            [&] {
                                ImageSink* sink = OpenFileSink(path.c_str());
                                if (sink == nullptr) return false;
                                bool done = WriteBmp(sink, canvas.View().pixels, 3840, 2160, 24);
                                return CloseSink(sink) == 0 && done;
                            }),
           3840.0 * 2160 / 1e6);
    std::remove(path.c_str());
    return 0;
}
