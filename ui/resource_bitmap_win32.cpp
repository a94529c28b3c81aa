#include "ui/resource_bitmap_win32.h"

#include <cstdlib>

#include "ui/bmp_image.h"
#include "ui/data_resource.h"
#include "win32/gdi_bridge_win32.h"

ResourceBitmap MakeBitmapFromImage(const ConstRgbView& image, HWND window) {
    ResourceBitmap result;
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return result;
    WindowDc dc(window);
    if (!dc.IsValid()) return result;
    result.bitmap = RgbToBitmap(image, nullptr, dc.Get());
    if (!result.bitmap.IsValid()) return result;
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
