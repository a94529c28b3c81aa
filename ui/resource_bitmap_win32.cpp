#include "ui/resource_bitmap_win32.h"

#include <cstdlib>
#include <utility>

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

OwnedBitmap StretchedPicture(HBITMAP picture, int width, int height, int newWidth, int newHeight, HWND window) {
    if (picture == nullptr || width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0) return OwnedBitmap();
    WindowDc screen(window);
    OwnedBitmap scaled(CreateCompatibleBitmap(screen.Get(), newWidth, newHeight));
    MemoryDc source(CreateCompatibleDC(screen.Get())), target(CreateCompatibleDC(screen.Get()));
    if (!scaled.IsValid() || !source.IsValid() || !target.IsValid()) return OwnedBitmap();
    bool drawn = false;
    {
        ScopedSelect from(source.Get(), picture);
        ScopedSelect into(target.Get(), scaled.Get());
        SetStretchBltMode(target.Get(), COLORONCOLOR);
        drawn =
            StretchBlt(target.Get(), 0, 0, newWidth, newHeight, source.Get(), 0, 0, width, height, SRCCOPY) != FALSE;
    }
    return drawn ? std::move(scaled) : OwnedBitmap();
}
