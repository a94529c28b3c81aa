// Benchmark: how long the screensaver's loader takes to prepare one picture of the collection
// for the screen (read the .tqi file, decode and compose it at the screen's size as the
// slideshow asks, turn it into a frame), and how much memory the ring of pictures holds at
// that size whatever the collection's size. Prints the figures; it never fails on speed.
//
//     slide_preparation_bench SCREEN_WIDTH SCREEN_HEIGHT PICTURE.tqi... [--runs N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "codec/pixels/frame.h"
#include "codec/pixels/rgb_to_frame.h"
#include "collection/tqi_file.h"
#include "screensaver/picture_ring.h"
#include "screensaver/slideshow_rules.h"

namespace {

using Clock = std::chrono::steady_clock;

// One preparation as the loader does it; false when the picture does not compose.
bool Prepare(const char* path, const ComposeRequest& request, OwnedFrame& frame) {
    PictureRecord record;
    if (ReadPictureFile(PictureSource::FromPath(path), record, true) != kFileOk) return false;
    OwnedRgbImage composed;
    const bool made = ComposePicture(record, request, composed) == kComposeOk;
    FreePicturePayload(record);
    if (made) ConvertRgbToFrame(composed.View(), frame.View());
    return made;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: slide_preparation_bench SCREEN_WIDTH SCREEN_HEIGHT PICTURE.tqi... [--runs N]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    int runs = 5;
    std::vector<const char*> pictures;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            pictures.push_back(argv[i]);
        }
    }
    const Settings settings = DefaultSettings();  // fitted, titled, in colour
    const ComposeRequest request = SlideshowComposeRequest(settings, width, height, false);
    OwnedFrame frame(width, height);
    if (frame.IsEmpty()) return 1;
    std::printf("preparing one picture for a %dx%d screen (best of %d runs):\n", width, height, runs);
    for (const char* path : pictures) {
        PictureRecord header;
        if (ReadPictureFile(PictureSource::FromPath(path), header, false) != kFileOk) {
            std::printf("  %s: cannot read\n", path);
            continue;
        }
        double best = 1e9;
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            if (!Prepare(path, request, frame)) break;
            best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::printf("  %5d x %-5d picture: %8.1f ms\n", header.width, header.height, best);
    }
    // One picture on screen and at most three ahead, each a 32-bit frame, plus the output
    // frame the transitions draw into and the black one the first starts from.
    const double frameBytes = double(width) * height * 4;
    std::printf(
        "frames the ring holds at most: %d pictures + output + black = %.1f MB, whatever the collection's size\n",
        kRingSlots, (kRingSlots + 2) * frameBytes / (1024 * 1024));
    return 0;
}
