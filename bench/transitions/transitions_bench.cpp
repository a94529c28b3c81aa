// Frames per second of every transition effect on one core, at 1920 x 1080 and 3840 x 2160,
// beside the time of copying three frames with memcpy: a cross-fade reads two frames and
// writes one, so that copy is the memory's floor for it.
//
// Each effect is timed over whole sweeps of its progress (frames at evenly spaced points
// strictly between 0 and 1, as the animation draws them), repeated for at least
// `seconds` per effect and size. Times are the processor time of this one thread, so other
// work on a shared machine slows the figures less than it would wall-clock times (it still
// competes for the caches and the memory). Prints one line per effect and size:
//     <name> <width>x<height> <frames per second> fps
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "screensaver/transitions/effect_catalogue.h"
#include "screensaver/transitions/transition_choice.h"
#include "screensaver/transitions/transition_effect.h"
#include "settings/transition_catalogue.h"

namespace {

constexpr int kFramesPerSweep = 30;

double SecondsSince(std::clock_t start) {
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}

// Photograph-like content: soft gradients with some fine detail, different in each picture.
void Paint(const Frame& frame, unsigned seed) {
    unsigned noise = seed;
    for (int y = 0; y < frame.height; ++y) {
        uint32_t* row = frame.Row(y);
        for (int x = 0; x < frame.width; ++x) {
            noise = noise * 1103515245u + 12345u;
            uint8_t grain = uint8_t((noise >> 16) & 31);
            row[x] = FramePixel(uint8_t((x * 200 / frame.width + grain + seed) & 0xFF),
                                uint8_t((y * 200 / frame.height + grain) & 0xFF), uint8_t((seed * 40 + grain) & 0xFF));
        }
    }
}

// Milliseconds of copying three frames, the best of several tries.
double ThreeFrameCopyMilliseconds(const Frame& a, const Frame& b, const Frame& c, const Frame& scratch) {
    size_t bytes = size_t(a.stride) * a.height;
    double best = 1e30;
    for (int i = 0; i < 20; ++i) {
        std::clock_t start = std::clock();
        std::memcpy(scratch.pixels, a.pixels, bytes);
        std::memcpy(scratch.pixels, b.pixels, bytes);
        std::memcpy(scratch.pixels, c.pixels, bytes);
        best = std::min(best, SecondsSince(start) * 1000.0);
    }
    return best;
}

double FramesPerSecond(int entry, const Frame& from, const Frame& to, const Frame& out, double seconds) {
    TransitionEffect effect;
    if (!CreateTransitionEffect(EffectCatalogue(entry).classId, from, to, out, effect)) return 0.0;
    int style = WipeStyleOfEntry(entry);
    if (style >= 0 && !SetWipeStyle(effect, style)) return 0.0;
    int frames = 0;
    std::clock_t start = std::clock();
    do {
        for (int i = 1; i <= kFramesPerSweep; ++i) {
            SetTransitionProgress(effect, float(i) / float(kFramesPerSweep + 1));
            ExecuteTransition(effect);
        }
        frames += kFramesPerSweep;
    } while (SecondsSince(start) < seconds);
    return frames / SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (!(seconds > 0.0)) {
        std::fprintf(stderr, "usage: transitions_bench [SECONDS per effect and size]\n");
        return 64;
    }
    const int sizes[][2] = {{1920, 1080}, {3840, 2160}};
    for (const auto& size : sizes) {
        OwnedFrame from(size[0], size[1]), to(size[0], size[1]), out(size[0], size[1]), scratch(size[0], size[1]);
        if (from.IsEmpty() || to.IsEmpty() || out.IsEmpty() || scratch.IsEmpty()) {
            std::fprintf(stderr, "transitions_bench: out of memory\n");
            return 1;
        }
        Paint(from.View(), 1);
        Paint(to.View(), 2);
        double copy = ThreeFrameCopyMilliseconds(from.View(), to.View(), out.View(), scratch.View());
        std::printf("memcpy of three frames %dx%d %.2f ms (%.0f fps)\n", size[0], size[1], copy, 1000.0 / copy);
        for (int entry = 0; entry < kTransitionCount; ++entry) {
            double fps = FramesPerSecond(entry, from.View(), to.View(), out.View(), seconds);
            std::printf("%s %dx%d %.1f fps\n", TransitionCatalogue(entry).name, size[0], size[1], fps);
            std::fflush(stdout);
        }
    }
    return 0;
}
