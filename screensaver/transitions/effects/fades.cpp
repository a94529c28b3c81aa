// Effects that blend whole pictures: a cross-fade, and fades out to a colour and back in.
#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"
#include "screensaver/transitions/effects/row_ops.h"

namespace {

constexpr uint32_t kColorFadeColour = FramePixel(0, 0, 0);
constexpr uint32_t kWhite = FramePixel(255, 255, 255);

// The old picture fades to `colour` in the first half and the new one fades in from it in
// the second.
void FadeThrough(const EffectFrames& frames, float progress, uint32_t colour) {
    bool fadingIn = progress >= 0.5f;
    const Frame& picture = fadingIn ? frames.to : frames.from;
    uint32_t weight = WeightOf(fadingIn ? 2.0f - 2.0f * progress : 2.0f * progress);
    for (int y = 0; y < frames.out.height; ++y) {
        BlendRowToColour(frames.out.Row(y), picture.Row(y), colour, frames.out.width, weight);
    }
}

}  // namespace

void DrawFade(const EffectFrames& frames, float progress) {
    uint32_t weight = WeightOf(progress);
    for (int y = 0; y < frames.out.height; ++y) {
        BlendRow(frames.out.Row(y), frames.from.Row(y), frames.to.Row(y), frames.out.width, weight);
    }
}

void DrawColorFade(const EffectFrames& frames, float progress) {
    FadeThrough(frames, progress, kColorFadeColour);
}

void DrawFadeWhite(const EffectFrames& frames, float progress) {
    FadeThrough(frames, progress, kWhite);
}
