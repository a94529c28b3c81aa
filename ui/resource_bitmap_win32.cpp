#include "ui/resource_bitmap_win32.h"

#include <cstdlib>

#include "ui/bmp_image.h"
#include "ui/data_resource.h"
#include "win32/gdi_bridge_win32.h"

ResourceBitmap MakeBitmapFromImage(const ConstRgbView& image, HWND window) {
    ResourceBitmap result;
    // The device bitmap is made from rows without padding.
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 || image.stride != image.width * 3) {
        return result;
    }
    HDC dc = GetDC(window);
    if (dc == nullptr) return result;
    HBITMAP bitmap = RgbToBitmap(image.pixels, image.width, image.height, nullptr, dc);
    ReleaseDC(window, dc);
    if (bitmap == nullptr) return result;
    result.bitmap = bitmap;
    result.width = image.width;
    result.height = image.height;
    return result;
}

ResourceBitmap MakeBitmapFromBmp(const unsigned char* bmp, size_t size, HWND window) {
    OwnedRgbImage image;
    if (!DecodeBmpImage(bmp, size, image)) return ResourceBitmap();
    return MakeBitmapFromImage(image.View(), window);
}

ResourceBitmap LoadResourceBitmap(const char* name, HWND window) {
    unsigned char* content = nullptr;
    uint32_t size = 0;
    if (name == nullptr || LoadDataResource(name, &content, &size) != kDataResourceOk) return ResourceBitmap();
    ResourceBitmap result = MakeBitmapFromBmp(content, size, window);
    std::free(content);
    return result;
}
