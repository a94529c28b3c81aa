// The picture is seen through a wall of glass blocks that thickens and clears again: each
// block enlarges the part of the picture behind it and has a bevelled rim, and the old
// picture gives way to the new one while the glass is thickest.
#include <algorithm>
#include <cmath>

#include "screensaver/transitions/effects/effects.h"
#include "screensaver/transitions/effects/pixel_math.h"

namespace {

constexpr int kBlocksAcross = 10;
constexpr float kZoom = 0.55f;      // how far each block pulls its picture towards its middle
constexpr float kBevel = 0.14f;     // width of a block's rim, of the block
constexpr int kStripColumns = 256;  // columns whose blocks are worked out together

// Where a position along one axis samples inside its block, and its place on the block's
// rim: negative on the rim's leading (lit) side, positive on the trailing (shaded) side.
struct BlockAxis {
    int sample;
    float rim;
};

BlockAxis AlongBlock(int position, float blockSize, int limit, float zoom) {
    float centre = (std::floor((float(position) + 0.5f) / blockSize) + 0.5f) * blockSize;
    float offset = float(position) + 0.5f - centre;  // -size / 2 .. size / 2
    int sample = std::clamp(int(std::floor(centre + offset * (1.0f - zoom))), 0, limit - 1);
    float edge = 0.5f - std::fabs(offset) / blockSize;  // 0 at the block's edge, 0.5 in its middle
    float rim = edge < kBevel ? (1.0f - edge / kBevel) * (offset < 0.0f ? -1.0f : 1.0f) : 0.0f;
    return {sample, rim};
}

}  // namespace

void DrawGlassBlock(const EffectFrames& frames, float progress) {
    const Frame& out = frames.out;
    float glass = std::sin(kPi * progress);  // thickest at the middle of the transition
    float zoom = kZoom * glass;
    float blockSize = float(out.width) / kBlocksAcross;
    // Square blocks: as many rows as fit, the frame's height shared evenly between them.
    float blockHeight = float(out.height) / std::max(1.0f, std::round(float(out.height) / blockSize));
    uint32_t toWeight = WeightOf(SmoothStep(0.3f, 0.7f, progress));
    // Columns fall in blocks the same way on every row: work them out once per strip.
    BlockAxis columns[kStripColumns];
    for (int stripLeft = 0; stripLeft < out.width; stripLeft += kStripColumns) {
        int stripRight = std::min(stripLeft + kStripColumns, out.width);
        for (int x = stripLeft; x < stripRight; ++x) columns[x - stripLeft] = AlongBlock(x, blockSize, out.width, zoom);
        for (int y = 0; y < out.height; ++y) {
            BlockAxis down = AlongBlock(y, blockHeight, out.height, zoom);
            const uint32_t* from = frames.from.Row(down.sample);
            const uint32_t* to = frames.to.Row(down.sample);
            uint32_t* row = out.Row(y);
            for (int x = stripLeft; x < stripRight; ++x) {
                const BlockAxis& across = columns[x - stripLeft];
                uint32_t pixel = LerpPixel(from[across.sample], to[across.sample], toWeight);
                float rim = down.rim + across.rim;  // lit from the top left
                if (rim < 0.0f) {
                    pixel = LerpPixel(pixel, FramePixel(255, 255, 255), WeightOf(-0.3f * glass * rim));
                } else if (rim > 0.0f) {
                    pixel = ScalePixel(pixel, ShadeOf(1.0f - 0.35f * glass * std::min(rim, 1.0f)));
                }
                row[x] = pixel;
            }
        }
    }
}
