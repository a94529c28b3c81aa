// How fast a picture reaches a window, the two ways the programs can do it:
//   device bitmap  DrawRgbToDc: the RGB picture copied and swapped into a packed DIB, made a
//                  device bitmap, then one BitBlt (what every blit paid so far);
//   frame          the picture converted into a DIB-section frame, then one BitBlt; and the
//                  BitBlt alone, which is all an effect that draws into the frame pays.
//
//   blit_bench [WIDTH HEIGHT [ROUNDS]]      (default 1920 1080 60)
//
// Prints the best and the median time of one blit per path, in milliseconds. A benchmark,
// never a test: the figures depend on the machine and the display.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "codec/pixels/rgb_to_frame.h"
#include "win32/dib_frame_win32.h"
#include "win32/gdi_bridge_win32.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Runs `blit` `rounds` times after a few unmeasured ones and prints its best and median time.
void Measure(const char* name, int rounds, HDC window, const std::function<bool()>& blit) {
    std::vector<double> times;
    for (int round = -3; round < rounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const bool done = blit();
        GdiFlush();
        (void)GetPixel(window, 0, 0);  // waits until the blit has reached the window
        QueryPerformanceCounter(&end);
        if (!done) {
            std::printf("%-34s failed\n", name);
            return;
        }
        if (round >= 0) times.push_back(Milliseconds(start, end));
        PumpMessages();
    }
    std::sort(times.begin(), times.end());
    std::printf("%-34s best %7.2f ms   median %7.2f ms\n", name, times.front(), times[times.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 1920;
    const int height = argc > 2 ? std::atoi(argv[2]) : 1080;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 60;
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: blit_bench [WIDTH HEIGHT [ROUNDS]]\n");
        return 64;
    }

    // A picture with detail everywhere, so that no path can skip work.
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>((i * 2654435761u) >> 13);
    const ConstRgbView picture(rgb.data(), width, height, width * 3);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TapestriqueBlitBench_WndClass";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Blit benchmark", WS_POPUP | WS_VISIBLE, 0,
                                  0, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 2;
    PumpMessages();
    Sleep(500);
    PumpMessages();
    WindowDc dc(window);
    DibFrame frame;
    if (!dc.IsValid() || !frame.Create(width, height)) return 2;

    std::printf("%dx%d picture onto a %dx%d window, %d rounds\n", width, height, width, height, rounds);
    const RECT whole = {0, 0, width, height};
    Measure("device bitmap (DrawRgbToDc)", rounds, dc.Get(), [&] { return DrawRgbToDc(dc.Get(), picture, whole); });
    Measure("frame: convert + BitBlt", rounds, dc.Get(), [&] {
        ConvertRgbToFrame(picture, frame.View());
        return frame.Present(dc.Get(), 0, 0);
    });
    Measure("frame: BitBlt only", rounds, dc.Get(), [&] { return frame.Present(dc.Get(), 0, 0); });
    Measure("frame: convert only", rounds, dc.Get(), [&] {
        ConvertRgbToFrame(picture, frame.View());
        return true;
    });
    // A window that the screen cuts off would make every blit cheaper than it is.
    const unsigned char* last = &rgb[rgb.size() - 3];
    if (GetPixel(dc.Get(), width - 1, height - 1) != RGB(last[0], last[1], last[2])) {
        std::printf("the window does not show the whole picture: the figures are not valid\n");
        return 3;
    }
    DestroyWindow(window);
    return 0;
}
