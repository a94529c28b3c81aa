// Every effect of the catalogue, driven through the factory as the screensaver drives it:
// exact ends, a frame in between that is neither picture, no jumps, and no pixel touched
// outside the frames at awkward sizes and strides.
#include "screensaver/transitions/transition_effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "screensaver/transitions/effect_catalogue.h"
#include "screensaver/transitions/transition_choice.h"
#include "settings/transition_catalogue.h"

namespace {

// A frame in a buffer that ends exactly at its last pixel, so AddressSanitizer sees any
// access past it; the bytes between rows hold a pattern that must survive.
class PaddedFrame {
public:
    static constexpr uint8_t kPattern = 0xA5;
    PaddedFrame(int width, int height, int padding)
        : bytes_(size_t(width * 4 + padding) * size_t(height - 1) + size_t(width) * 4, kPattern) {
        frame_ = {bytes_.data(), width, height, width * 4 + padding};
    }
    const Frame& View() const { return frame_; }
    bool PaddingIntact() const {
        for (int y = 0; y + 1 < frame_.height; ++y) {
            const uint8_t* gap = frame_.pixels + size_t(y) * frame_.stride + size_t(frame_.width) * 4;
            for (int i = 0; i < frame_.stride - frame_.width * 4; ++i) {
                if (gap[i] != kPattern) return false;
            }
        }
        return true;
    }

private:
    std::vector<uint8_t> bytes_;
    Frame frame_;
};

// Pictures with soft gradients and a gentle ripple of detail (a 16-pixel wave of 40 levels),
// so that a picture moving by a pixel changes each pixel by a little while coarsening it
// shows; and far apart everywhere (blue differs by 150 or more), so that either one showing
// is plain to see.
uint8_t Ripple(int x, int y) {
    return uint8_t(20 + 20 * std::sin(0.39f * float(x)) * std::cos(0.39f * float(y)));
}

void PaintOld(const Frame& frame) {
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            frame.Row(y)[x] = FramePixel(uint8_t(20 + 150 * x / frame.width), uint8_t(30 + 140 * y / frame.height),
                                         uint8_t(190 + Ripple(x, y)));
        }
    }
}

void PaintNew(const Frame& frame) {
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            frame.Row(y)[x] = FramePixel(uint8_t(230 - 160 * y / frame.height), uint8_t(60 + 170 * x / frame.width),
                                         Ripple(x + 5, y));
        }
    }
}

// Draws catalogue entry `entry` at `progress` the way the screensaver sets it up.
void Render(int entry, const Frame& from, const Frame& to, const Frame& out, float progress) {
    TransitionEffect effect;
    ASSERT_TRUE(CreateTransitionEffect(EffectCatalogue(entry).classId, from, to, out, effect));
    int style = WipeStyleOfEntry(entry);
    if (style >= 0) {
        ASSERT_TRUE(SetWipeStyle(effect, style));
    }
    SetTransitionProgress(effect, progress);
    ExecuteTransition(effect);
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        distance = std::max(distance, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return distance;
}

// The share of pixels whose colour differs by more than `tolerance` in some channel.
double ShareChanged(const Frame& a, const Frame& b, int tolerance) {
    size_t changed = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) changed += ChannelDistance(a.Row(y)[x], b.Row(y)[x]) > tolerance;
    }
    return double(changed) / (double(a.width) * a.height);
}

bool SamePixels(const Frame& a, const Frame& b) {
    for (int y = 0; y < a.height; ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), size_t(a.width) * 4) != 0) return false;
    }
    return true;
}

// Large enough that an edge moving at the slowest speed of any effect crosses a pixel in a
// few steps of 0.01, so hard edges move on smoothly too.
constexpr int kWidth = 480, kHeight = 270;

struct Pictures {
    OwnedFrame from, to, out;
    Pictures(int width, int height) : from(width, height), to(width, height), out(width, height) {
        PaintOld(from.View());
        PaintNew(to.View());
    }
};

TEST(TransitionEffectsTest, EveryEffectEndsExactlyOnThePicturesAndShowsNeitherInBetween) {
    Pictures pictures(kWidth, kHeight);
    const Frame& out = pictures.out.View();
    for (int entry = 0; entry < kTransitionCount; ++entry) {
        SCOPED_TRACE(TransitionCatalogue(entry).name);
        Render(entry, pictures.from.View(), pictures.to.View(), out, 0.0f);
        EXPECT_TRUE(SamePixels(out, pictures.from.View()));
        Render(entry, pictures.from.View(), pictures.to.View(), out, 1.0f);
        EXPECT_TRUE(SamePixels(out, pictures.to.View()));
        for (float progress : {0.25f, 0.5f, 0.75f}) {
            Render(entry, pictures.from.View(), pictures.to.View(), out, progress);
            EXPECT_GT(ShareChanged(out, pictures.from.View(), 8), 0.02) << "still the old picture at " << progress;
            EXPECT_GT(ShareChanged(out, pictures.to.View(), 8), 0.02) << "already the new picture at " << progress;
        }
    }
}

// A jump shows as many pixels changing colour a lot from one frame to the next; moving,
// fading and wiping change few pixels a lot or many a little.
TEST(TransitionEffectsTest, EveryEffectMovesOnWithoutJumps) {
    constexpr float kStep = 0.01f;
    constexpr int kJump = 48;            // a change of colour that a viewer sees as a jump
    constexpr double kMostPixels = 0.1;  // the share of the frame that may change that much per step
    Pictures pictures(kWidth, kHeight);
    OwnedFrame previous(kWidth, kHeight);
    for (int entry = 0; entry < kTransitionCount; ++entry) {
        SCOPED_TRACE(TransitionCatalogue(entry).name);
        Render(entry, pictures.from.View(), pictures.to.View(), previous.View(), 0.0f);
        for (int step = 1; step <= 100; ++step) {
            float progress = float(step) * kStep;
            Render(entry, pictures.from.View(), pictures.to.View(), pictures.out.View(), progress);
            double share = ShareChanged(previous.View(), pictures.out.View(), kJump);
            EXPECT_LE(share, kMostPixels) << "jump before progress " << progress;
            std::swap(previous, pictures.out);
        }
    }
}

// Strides of their own for each frame, sizes that divide by nothing, and the largest odd
// size the screensaver meets: the drawing must match the tightly packed one and stay inside.
TEST(TransitionEffectsTest, EveryEffectDrawsOnlyInsideFramesOfAnySizeAndStride) {
    struct Size {
        int width, height;
        std::vector<float> progresses;
    };
    const Size sizes[] = {{1, 1, {0.0f, 0.3f, 0.5f, 0.9f, 1.0f}},
                          {3, 7, {0.0f, 0.1f, 0.37f, 0.5f, 0.66f, 0.93f, 1.0f}},
                          {1921, 1081, {0.37f, 0.81f}}};
    for (const Size& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        Pictures packed(size.width, size.height);
        PaddedFrame from(size.width, size.height, 12), to(size.width, size.height, 4), out(size.width, size.height, 8);
        PaintOld(from.View());
        PaintNew(to.View());
        for (int entry = 0; entry < kTransitionCount; ++entry) {
            SCOPED_TRACE(TransitionCatalogue(entry).name);
            for (float progress : size.progresses) {
                Render(entry, from.View(), to.View(), out.View(), progress);
                Render(entry, packed.from.View(), packed.to.View(), packed.out.View(), progress);
                EXPECT_TRUE(SamePixels(out.View(), packed.out.View())) << "at " << progress;
            }
            EXPECT_TRUE(out.PaddingIntact());
        }
    }
}

TEST(TransitionEffectsTest, FactoryCreatesOnlyKnownClassesOverFramesOfOneSize) {
    Pictures pictures(40, 30);
    OwnedFrame smaller(40, 29);
    TransitionEffect effect;
    const TransitionClassId fade = EffectCatalogue(FindTransitionByName("Fade")).classId;
    EXPECT_TRUE(CreateTransitionEffect(fade, pictures.from.View(), pictures.to.View(), pictures.out.View(), effect));
    EXPECT_FALSE(CreateTransitionEffect(ParseTransitionClassId("{00000000-0000-0000-0000-000000000000}"),
                                        pictures.from.View(), pictures.to.View(), pictures.out.View(), effect));
    EXPECT_FALSE(CreateTransitionEffect(fade, pictures.from.View(), smaller.View(), pictures.out.View(), effect));
    EXPECT_FALSE(CreateTransitionEffect(fade, pictures.from.View(), pictures.to.View(), smaller.View(), effect));
    EXPECT_FALSE(CreateTransitionEffect(fade, pictures.from.View(), pictures.to.View(), Frame{}, effect));
    EXPECT_FALSE(CreateTransitionEffect(fade, pictures.from.View(), pictures.to.View(), pictures.from.View(), effect));

    // A progress that is not a number shows the old picture rather than garbage.
    ASSERT_TRUE(CreateTransitionEffect(fade, pictures.from.View(), pictures.to.View(), pictures.out.View(), effect));
    SetTransitionProgress(effect, std::nanf(""));
    ExecuteTransition(effect);
    EXPECT_TRUE(SamePixels(pictures.out.View(), pictures.from.View()));
}

TEST(TransitionEffectsTest, WipeStyleBelongsToTheWipeClassAndChoosesItsDirection) {
    for (int entry = 0; entry < kTransitionCount; ++entry) {
        const char* name = TransitionCatalogue(entry).name;
        int expected = std::strcmp(name, "Wipe Horizontal") == 0 ? 0 : std::strcmp(name, "Wipe Vertical") == 0 ? 1 : -1;
        EXPECT_EQ(WipeStyleOfEntry(entry), expected) << name;
        EXPECT_EQ(EffectCatalogue(entry).classId == kWipeClassId, expected >= 0) << name;
    }
    Pictures pictures(64, 48);
    const Frame& out = pictures.out.View();
    TransitionEffect effect;
    ASSERT_TRUE(
        CreateTransitionEffect(kWipeClassId, pictures.from.View(), pictures.to.View(), pictures.out.View(), effect));
    EXPECT_FALSE(SetWipeStyle(effect, 2));
    SetTransitionProgress(effect, 0.5f);
    // Horizontal by default and with style 0: the new picture on the left, the old on the right.
    for (int style : {-1, kWipeHorizontal, kWipeVertical}) {
        SCOPED_TRACE(style);
        if (style >= 0) {
            ASSERT_TRUE(SetWipeStyle(effect, style));
        }
        ExecuteTransition(effect);
        int lastX = style == kWipeVertical ? 32 : 63, lastY = style == kWipeVertical ? 47 : 24;
        int firstX = style == kWipeVertical ? 32 : 0, firstY = style == kWipeVertical ? 0 : 24;
        EXPECT_EQ(out.Row(firstY)[firstX], pictures.to.View().Row(firstY)[firstX]);
        EXPECT_EQ(out.Row(lastY)[lastX], pictures.from.View().Row(lastY)[lastX]);
    }
    ASSERT_TRUE(CreateTransitionEffect(EffectCatalogue(FindTransitionByName("Fade")).classId, pictures.from.View(),
                                       pictures.to.View(), pictures.out.View(), effect));
    EXPECT_FALSE(SetWipeStyle(effect, kWipeVertical));
}

}  // namespace
