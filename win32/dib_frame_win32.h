// A frame (codec/pixels/frame.h) backed by a top-down 32-bit DIB section, selected into a
// memory device context of its own. Effects and composition write the pixels through View();
// GDI draws into the same pixels through Dc(); Present() puts the frame on a window with one
// BitBlt, which needs no conversion because the frame already has the screen's layout.
//
//     DibFrame frame;
//     if (!frame.Create(width, height)) return false;
//     ConvertRgbToFrame(picture, frame.View());
//     DrawTextA(frame.Dc(), ...);
//     (void)frame.Present(paint.Get(), 0, 0);
//
// The pixels stay where they are for as long as the frame lives, moved or not. GDI may
// batch its drawing, so View() flushes it before handing out the pixels.
#pragma once

#include <windows.h>

#include "codec/pixels/frame.h"
#include "win32/gdi_owners_win32.h"

class DibFrame {
public:
    DibFrame() = default;
    DibFrame(DibFrame&& other) noexcept;
    DibFrame& operator=(DibFrame&& other) noexcept;
    DibFrame(const DibFrame&) = delete;
    DibFrame& operator=(const DibFrame&) = delete;

    // Makes a frame of width × height (black), replacing the one held. False, with the frame
    // left empty, when the size is not positive or the system cannot make it.
    [[nodiscard]] bool Create(int width, int height);

    [[nodiscard]] bool IsEmpty() const noexcept { return frame_.IsEmpty(); }
    [[nodiscard]] Frame View() const noexcept;
    [[nodiscard]] HDC Dc() const noexcept { return dc_.Get(); }

    // Copies the whole frame onto `target` with its top-left corner at (x, y).
    [[nodiscard]] bool Present(HDC target, int x, int y) const noexcept;

    // Copies the part of the frame under `area` (in the frame's coordinates, as a window's
    // paint rectangle when the frame covers the window) to the same place on `target`.
    [[nodiscard]] bool PresentArea(HDC target, const RECT& area) const noexcept;

private:
    OwnedBitmap bitmap_;  // before dc_, so the context goes first and lets go of the bitmap
    MemoryDc dc_;
    Frame frame_;
};
