#include "win32/dib_frame_win32.h"

#include <climits>
#include <utility>

DibFrame::DibFrame(DibFrame&& other) noexcept
    : bitmap_(std::move(other.bitmap_)), dc_(std::move(other.dc_)), frame_(std::exchange(other.frame_, Frame{})) {}

DibFrame& DibFrame::operator=(DibFrame&& other) noexcept {
    if (this == &other) return *this;
    dc_ = std::move(other.dc_);  // the old context goes first and lets go of the old bitmap
    bitmap_ = std::move(other.bitmap_);
    frame_ = std::exchange(other.frame_, Frame{});
    return *this;
}

bool DibFrame::Create(int width, int height) {
    *this = DibFrame();
    // Rows of whole pixels are 4-byte aligned by themselves; the stride must fit an int.
    if (width <= 0 || height <= 0 || width > INT_MAX / 4) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc.IsValid()) return false;
    OwnedBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.IsValid() || bits == nullptr) return false;
    HGDIOBJ previous = SelectObject(dc.Get(), bitmap.Get());
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    frame_ = Frame{static_cast<uint8_t*>(bits), width, height, width * 4};
    return true;
}

Frame DibFrame::View() const noexcept {
    if (!frame_.IsEmpty()) GdiFlush();
    return frame_;
}

bool DibFrame::Present(HDC target, int x, int y) const noexcept {
    if (frame_.IsEmpty() || target == nullptr) return false;
    return BitBlt(target, x, y, frame_.width, frame_.height, dc_.Get(), 0, 0, SRCCOPY) != FALSE;
}

bool DibFrame::PresentArea(HDC target, const RECT& area) const noexcept {
    if (frame_.IsEmpty() || target == nullptr) return false;
    return BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.Get(), area.left,
                  area.top, SRCCOPY) != FALSE;
}
