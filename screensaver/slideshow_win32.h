// The slideshow of the screensaver window: a loader thread composes the collection's pictures
// up to three ahead into the ring's slots, a display thread shows them one after another, and
// a one-second multimedia timer paces the changes. Windows only.
//
//     Slideshow slideshow;                                  // lives as long as the window
//     slideshow.Start(process, window, titles, imagesFolder, random, displayMode);  // creation
//     slideshow.Paint(dc, area);                            // WM_PAINT
//     slideshow.Stop();                                     // close request: no thread left
//     slideshow.Release();                                  // destroy: the pictures go
//
// Start with no titles shows nothing but what ShowStill puts up (the no-images picture).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/wallpaper/compose_picture.h"
#include "base/random.h"
#include "screensaver/display/display_mode_win32.h"
#include "screensaver/picture_ring.h"
#include "screensaver/screensaver_process_win32.h"
#include "screensaver/slide_renderer_win32.h"
#include "ui/worker_thread_win32.h"
#include "win32/system_handles_win32.h"

class Slideshow {
public:
    Slideshow() = default;
    ~Slideshow();
    Slideshow(const Slideshow&) = delete;
    Slideshow& operator=(const Slideshow&) = delete;

    // Sets the renderer up at the canvas size (with the transitions that the settings and the
    // test preview ask for, and the display mode in full screen) and starts the loader and
    // display threads. Sets kScreensaverTransitionsActive when changes are animated; the
    // canvas follows a display mode of another size, and frames go through the display's
    // flipping chain when it has one. `random` is the process's random source, shared with
    // the music.
    void Start(ScreensaverProcess& process,
               HWND window,
               std::vector<std::string> titles,
               std::string imagesFolder,
               RandomState& random,
               DisplayModeSwitch& displayMode);

    // A picture of the canvas size that stays on screen (no timer, no threads).
    void ShowStill(ScreensaverProcess& process, HWND window, const ConstRgbView& picture);

    // Stops the timer and both threads, answering the window's messages meanwhile.
    void Stop();

    // Stops if still running and releases the pictures; the window shows nothing afterwards.
    void Release();

    // False when nothing is shown yet.
    [[nodiscard]] bool Paint(HDC dc, const RECT& area) { return renderer_.Paint(dc, area); }

private:
    static unsigned __stdcall LoaderThread(void* argument);
    static unsigned __stdcall DisplayThread(void* argument);
    static void CALLBACK OnTick(UINT timer, UINT, DWORD_PTR argument, DWORD_PTR, DWORD_PTR);

    [[nodiscard]] bool CreateRenderer(const ScreensaverProcess& process);
    void PrepareWhileRoom(HANDLE stop);
    [[nodiscard]] bool PrepareNext();
    void StartClock();
    void ShowNext(HANDLE stop);

    HWND window_ = nullptr;
    std::vector<std::string> titles_;  // sorted; fixed before the threads start
    std::string imagesFolder_;
    RandomState* random_ = nullptr;
    ComposeRequest request_;
    bool randomOrder_ = false;
    bool animated_ = false;
    uint32_t secondsBetweenChanges_ = 0;
    int previousIndex_ = -1;       // the loader's
    uint32_t secondsCounted_ = 0;  // the timer's

    std::optional<PictureRing> ring_;
    SlideSlot slots_[kRingSlots];
    SlideRenderer renderer_;

    OwnedHandle refill_;    // wakes the loader: a slot is free
    OwnedHandle showNext_;  // wakes the display thread: time for the next picture
    WorkerThread loader_;
    WorkerThread display_;
    UINT timer_ = 0;  // set by the loader, read once it has stopped
};
