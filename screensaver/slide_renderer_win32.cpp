#include "screensaver/slide_renderer_win32.h"

#include <mmsystem.h>

#include <cstring>

#include "codec/pixels/rgb_to_frame.h"
#include "screensaver/transitions/effect_catalogue.h"
#include "ui/worker_thread_win32.h"

namespace {

void CopyFrame(const Frame& from, const Frame& to) {
    const size_t rowBytes = size_t(to.width) * 4;
    for (int y = 0; y < to.height; ++y) std::memcpy(to.Row(y), from.Row(y), rowBytes);
}

struct TrialFrames {
    Frame black;
    Frame output;
};

// Whether entry `index`'s effect can be made: tried once at set-up, on the black picture.
bool CanCreateEffect(int index, void* context) {
    const auto* frames = static_cast<const TrialFrames*>(context);
    TransitionEffect trial;
    return CreateTransitionEffect(EffectCatalogue(index).classId, frames->black, frames->black, frames->output, trial);
}

}  // namespace

bool SlideRenderer::Create(int width, int height, SlideSlot& beforeFirst) {
    return output_.Create(width, height) && beforeFirst.picture.Create(width, height);
}

bool SlideRenderer::SetUpTransitions(const Settings& settings) {
    std::memcpy(table_, settings.transitions, sizeof table_);
    selectionMode_ = settings.btTransitionsSelectionMode;
    DibFrame black;
    if (output_.IsEmpty() || !black.Create(output_.View().width, output_.View().height)) return false;
    TrialFrames frames = {black.View(), output_.View()};
    available_ = FindAvailableTransitions(table_, CanCreateEffect, &frames);
    choice_ = TransitionChoiceState();
    choice_.first =
        ForcedFirstTransition(settings.btTransitionsForceFadeFirstTransition != 0, CanCreateEffect, &frames);
    return TransitionsActive();
}

bool SlideRenderer::Prepare(const ConstRgbView& picture,
                            SlideSlot& slot,
                            const SlideSlot& previous,
                            uint32_t prepared,
                            RandomState& random) {
    slot.hasEffect = false;
    if (!slot.picture.Create(picture.width, picture.height)) return false;
    ConvertRgbToFrame(picture, slot.picture.View());
    if (!TransitionsActive() || previous.picture.IsEmpty()) return true;

    TransitionChoice choice =
        ChooseTransition(choice_, available_, table_, static_cast<int>(prepared), selectionMode_, random);
    if (choice.entry < 0) return true;
    slot.backwards = choice.backwards;
    slot.duration = choice.duration;
    const Frame& from = choice.backwards ? slot.picture.View() : previous.picture.View();
    const Frame& to = choice.backwards ? previous.picture.View() : slot.picture.View();
    slot.hasEffect =
        CreateTransitionEffect(EffectCatalogue(choice.entry).classId, from, to, output_.View(), slot.effect);
    const int wipeStyle = WipeStyleOfEntry(choice.entry);
    if (slot.hasEffect && wipeStyle >= 0) (void)SetWipeStyle(slot.effect, wipeStyle);
    return true;
}

void SlideRenderer::Run(SlideSlot& slot, const SlideSlot& previous, HANDLE stop, HWND window) {
    const DWORD start = timeGetTime();
    for (;;) {
        const float progress = FrameProgress(timeGetTime() - start, slot.duration, slot.hasEffect);
        bool flipped = false;
        {
            std::lock_guard<std::mutex> lock(outputLock_);
            if (progress > 0.0f && progress < 1.0f) {
                SetTransitionProgress(slot.effect, EffectProgress(progress, slot.backwards));
                ExecuteTransition(slot.effect);
            } else {
                CopyFrame((progress <= 0.0f ? previous : slot).picture.View(), output_.View());
            }
            flipped = FlipLocked();
        }
        // Otherwise the window's own thread paints the frame: the system puts a window's drawing
        // on the screen on that thread's time, which a thread drawing into it from outside
        // cannot rely on.
        if (!flipped) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (progress >= 1.0f || StopRequested(stop)) break;
    }
    slot.hasEffect = false;  // the effect borrows the previous picture, which goes next
}

void SlideRenderer::Release() {
    std::lock_guard<std::mutex> lock(outputLock_);
    output_ = DibFrame();
}

void SlideRenderer::ShowStill(const ConstRgbView& picture) {
    std::lock_guard<std::mutex> lock(outputLock_);
    if (!output_.IsEmpty()) ConvertRgbToFrame(picture, output_.View());
}

bool SlideRenderer::Paint(HDC dc, const RECT& area) {
    std::lock_guard<std::mutex> lock(outputLock_);
    if (output_.IsEmpty()) return false;
    return FlipLocked() || output_.PresentArea(dc, area);
}

bool SlideRenderer::FlipLocked() {
    if (flipping_ == nullptr || output_.IsEmpty()) return false;
    HDC backBuffer = flipping_->BeginFrame();
    if (backBuffer == nullptr) return false;
    (void)output_.Present(backBuffer, 0, 0);
    flipping_->PresentFrame(backBuffer);
    return true;
}
