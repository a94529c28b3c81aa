// For the Windows skin tests: skin records made on the spot (solid-colour pictures, elements
// with a place, a size and a text of their own) and a window to parent the skins.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"
#include "ui/skin_builder.h"

namespace skin_test {

// A 24-bit BMP file image of one colour.
inline ByteVector SolidBmp(int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) & ~3;
    ByteVector bmp(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * stride + x * 3;
            bmp[at] = GetBValue(colour);
            bmp[at + 1] = GetGValue(colour);
            bmp[at + 2] = GetRValue(colour);
        }
    }
    return bmp;
}

// An element of 40 × 20 pixels at (10, 10).
inline SkinElementSource Element(uint8_t kind, uint32_t id, const char* language = "**") {
    SkinElementSource element;
    element.text = "Element " + std::to_string(id);
    element.language = language;
    element.kind = kind;
    element.controlId = id;
    element.x = 10;
    element.y = 10;
    element.width = 40;
    element.height = 20;
    return element;
}

inline ByteVector Record(const SkinSource& source) {
    ByteVector record;
    std::string error;
    EXPECT_TRUE(BuildSkinRecord(source, record, error)) << error;
    return record;
}

// A hidden top-level window of a class of its own; `state` is its creation parameter.
inline HWND CreateParentWindow(const char* className, WNDPROC procedure, void* state, int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, className, WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           windowClass.hInstance, state);
}

}  // namespace skin_test
