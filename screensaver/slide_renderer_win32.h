// The slideshow's pictures on their way to the screen. Every picture becomes a frame of the
// canvas size in a slot of the ring (screensaver/picture_ring.h); the transition engine
// (screensaver/transitions) draws each change from the previous slot's frame to the next one
// into the output frame, which is what the window shows. Without transitions, or when a
// picture's effect cannot be made, the change is a cut: the new frame is copied whole.
//
//     loader thread:   renderer.Prepare(composed.View(), slots[s], slots[s - 1], prepared, random);
//     display thread:  renderer.Run(slots[s], slots[s - 1], stopEvent, window);
//     window thread:   renderer.Paint(dc, area);
//
// The output frame is the only one that two threads touch (the display thread draws it, the
// window thread paints it on the display thread's request), so it alone is locked. With a
// flipping chain (a display mode switched full screen) the display thread presents every
// frame itself, through the chain's back buffer. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "base/random.h"
#include "codec/pixels/rgb_view.h"
#include "screensaver/display/display_mode_win32.h"
#include "screensaver/transitions/transition_choice.h"
#include "screensaver/transitions/transition_effect.h"
#include "settings/settings.h"
#include "win32/dib_frame_win32.h"

// One slot of the ring: a picture and the transition that leads to it.
struct SlideSlot {
    DibFrame picture;
    TransitionEffect effect;  // borrows the previous slot's picture, this one and the output
    bool hasEffect = false;   // without one the picture comes by a cut
    bool backwards = false;
    uint32_t duration = 0;  // milliseconds

    void Release() {
        hasEffect = false;
        picture = DibFrame();
    }
};

class SlideRenderer {
public:
    // Makes the output frame and the black picture that the first change starts from (into
    // `beforeFirst`, the slot on screen before any picture), both of the canvas size. False
    // when either cannot be made: nothing can be shown.
    [[nodiscard]] bool Create(int width, int height, SlideSlot& beforeFirst);

    // Finds the transitions that may run, as the settings enable them, and the forced first
    // one. True when changes are animated from now on.
    [[nodiscard]] bool SetUpTransitions(const Settings& settings);
    [[nodiscard]] bool TransitionsActive() const { return available_.count > 0; }

    // Frames go to the screen through the display's flipping chain from now on, instead of
    // through the window.
    void PresentThrough(DisplayModeSwitch& flipping) { flipping_ = &flipping; }

    // The loader's part: `picture` (of the canvas size) into `slot`, with the transition from
    // `previous` when transitions are active. `prepared` counts the pictures prepared before,
    // so 0 is the first. False when the frame cannot be made.
    [[nodiscard]] bool Prepare(const ConstRgbView& picture,
                               SlideSlot& slot,
                               const SlideSlot& previous,
                               uint32_t prepared,
                               RandomState& random);

    // The display thread's part: the change to `slot`, frame after frame without a pause,
    // until it is complete or `stop` is set (after the current frame). The change is
    // complete on screen when it returns, unless it was stopped.
    void Run(SlideSlot& slot, const SlideSlot& previous, HANDLE stop, HWND window);

    // Lets the output frame go: nothing is shown any more.
    void Release();

    // A picture that stays (the no-images picture), drawn into the output frame.
    void ShowStill(const ConstRgbView& picture);

    // The window thread's part: the output frame's `area` onto `dc`. False when there is
    // nothing to show yet.
    [[nodiscard]] bool Paint(HDC dc, const RECT& area);

private:
    // The output frame through the flipping chain; false without one.
    [[nodiscard]] bool FlipLocked();

    DibFrame output_;
    std::mutex outputLock_;
    TransitionTable table_ = {};
    AvailableTransitions available_;
    TransitionChoiceState choice_;
    uint8_t selectionMode_ = 0;
    DisplayModeSwitch* flipping_ = nullptr;
};
