#include "screensaver/slideshow_companions_win32.h"

bool SlideshowMusic::Start(const char*, HWND) {
    return false;
}

void SlideshowMusic::OnPlayerEvent(WPARAM, LPARAM) {}

void SlideshowMusic::Stop() {}

bool SlideshowDisplayMode::Enter(const DisplayMode&, HWND) {
    return false;
}

void SlideshowDisplayMode::Leave() {}
