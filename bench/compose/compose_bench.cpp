// Benchmark: composing a 24-megapixel JPEG picture into a wallpaper and writing the BMP file,
// against ImageMagick's resize and libvips' thumbnail doing the same job, on the same input,
// one thread each. Prints the times and the ratios; it never fails on speed.
//
//     compose_bench [PICTURE.jpg] [--runs N]
//
// Without a picture it makes a 6000 x 4000 one (gradients, shapes and grain, so the JPEG
// carries realistic detail). Needs /usr/bin/convert and vips for the comparison.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/wallpaper/compose_picture.h"
#include "base/whole_file.h"
#include "codec/formats/bmp_codec.h"
#include "codec/formats/jpeg_codec.h"
#include "codec/image_source.h"

namespace {

using Clock = std::chrono::steady_clock;

// Gradients, a wave, a disc and grain, so the JPEG carries realistic detail; written with the
// product's own JPEG encoder at quality 90 (chroma subsampled, as photographs are).
bool WriteTestJpeg(int width, int height, const std::string& path) {
    OwnedRgbImage picture;
    if (AllocateCanvas(width, height, picture) != kRgbImageOk) return false;
    RgbView view = picture.View();
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        unsigned char* pixel = view.pixels + static_cast<size_t>(y) * static_cast<size_t>(view.stride);
        for (int x = 0; x < width; ++x, pixel += 3) {
            noise = noise * 1103515245u + 12345u;
            int grain = static_cast<int>((noise >> 16) & 15) - 8;
            double wave = std::sin(x * 0.004) * std::cos(y * 0.006);
            bool disc = ((x - 3000) * (x - 3000) + (y - 2000) * (y - 2000)) < 900 * 900;
            pixel[0] = static_cast<unsigned char>(std::clamp(static_cast<int>(x * 255.0 / width) + grain, 0, 255));
            pixel[1] = static_cast<unsigned char>(std::clamp(static_cast<int>(128 + 100 * wave) + grain, 0, 255));
            pixel[2] = static_cast<unsigned char>(
                std::clamp(disc ? 230 : static_cast<int>(y * 255.0 / height) + grain, 0, 255));
        }
    }
    ImageSink* sink = OpenFileSink(path.c_str());
    if (sink == nullptr) return false;
    bool written = WriteJpeg(sink, view.pixels, width, height, 90, 24, 0);
    return CloseSink(sink) == 0 && written;
}

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Best of `runs` wall-clock times of a shell command; negative when it fails.
double TimeCommand(const std::string& command, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        if (std::system(command.c_str()) != 0) return -1.0;
        best = std::min(best, Seconds(Clock::now() - start));
    }
    return best;
}

double TimeCompose(const PictureRecord& record,
                   int width,
                   int height,
                   uint8_t presentation,
                   const std::string& out,
                   int runs) {
    ComposeRequest request;
    request.targetWidth = width;
    request.targetHeight = height;
    request.presentation = presentation;
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        OwnedRgbImage composed;
        if (ComposePicture(record, request, composed) != kComposeOk) return -1.0;
        ImageSink* sink = OpenFileSink(out.c_str());
        bool written = sink != nullptr && WriteBmp(sink, composed.View().pixels, width, height, 24);
        bool closed = sink != nullptr && CloseSink(sink) == 0;
        if (!written || !closed) return -1.0;
        best = std::min(best, Seconds(Clock::now() - start));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::string picturePath;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            picturePath = argv[i];
        }
    }
    const std::string work = "/tmp/tq-compose-bench";
    std::system(("mkdir -p " + work).c_str());

    if (picturePath.empty()) {
        std::printf("making a 6000 x 4000 test picture...\n");
        picturePath = work + "/picture.jpg";
        if (!WriteTestJpeg(6000, 4000, picturePath)) {
            std::fprintf(stderr, "compose_bench: cannot write %s\n", picturePath.c_str());
            return 1;
        }
    }
    std::vector<unsigned char> jpeg;
    unsigned char* data = nullptr;
    size_t size = 0;
    if (ReadWholeFile(picturePath.c_str(), &data, &size) != 0) {
        std::fprintf(stderr, "compose_bench: cannot read %s\n", picturePath.c_str());
        return 1;
    }
    jpeg.assign(data, data + size);
    std::free(data);
    PictureRecord record;
    std::strcpy(record.title, "Benchmark");
    record.payload = jpeg.data();
    record.payloadSize = static_cast<uint32_t>(jpeg.size());
    if (!ReadJpegFrameSize(jpeg.data(), jpeg.size(), record.width, record.height)) {
        std::fprintf(stderr, "compose_bench: %s is not a JPEG file\n", picturePath.c_str());
        return 1;
    }
    std::printf("picture %s: %d x %d, %zu bytes; best of %d runs, one thread\n\n", picturePath.c_str(), record.width,
                record.height, jpeg.size(), runs);
    std::printf("%-11s %-5s %10s %12s %8s %12s %8s\n", "target", "pres", "ours [s]", "magick [s]", "ratio", "vips [s]",
                "ratio");

    const struct { int width, height; } targets[] = {{1920, 1080}, {3840, 2160}};
    for (const auto& target : targets) {
        std::string size = std::to_string(target.width) + "x" + std::to_string(target.height);
        double magick =
            TimeCommand("MAGICK_THREAD_LIMIT=1 /usr/bin/convert '" + picturePath + "' -resize " + size +
                            " -gravity center -background black -extent " + size + " '" + work + "/magick.bmp'",
                        runs);
        double vips = TimeCommand("VIPS_CONCURRENCY=1 vips thumbnail '" + picturePath + "' '" + work + "/vips.bmp' " +
                                      std::to_string(target.width) + " --height " + std::to_string(target.height),
                                  runs);
        for (uint8_t presentation : {uint8_t{2}, uint8_t{3}}) {
            double ours = TimeCompose(record, target.width, target.height, presentation, work + "/ours.bmp", runs);
            if (ours < 0) {
                std::fprintf(stderr, "compose_bench: composing failed\n");
                return 1;
            }
            std::printf("%-11s %-5d %10.3f", size.c_str(), presentation, ours);
            if (magick > 0) {
                std::printf(" %12.3f %7.2fx", magick, magick / ours);
            } else {
                std::printf(" %12s %8s", "n/a", "");
            }
            if (vips > 0) {
                std::printf(" %12.3f %7.2fx\n", vips, vips / ours);
            } else {
                std::printf(" %12s %8s\n", "n/a", "");
            }
        }
    }
    std::printf("\nratio = the other program's time / ours (above 1: we are faster)\n");
    return 0;
}
