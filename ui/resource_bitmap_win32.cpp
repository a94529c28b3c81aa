#include "ui/resource_bitmap.h"

#include <cstdlib>
#include <vector>

#include "ui/bmp_image.h"
#include "ui/data_resource.h"

ResourceBitmap MakeBitmapFromImage(const RgbImage& image, HWND window) {
    ResourceBitmap result;
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return result;
    // A device-independent copy in the layout GDI takes: bottom-up rows of blue, green, red,
    // padded to four bytes.
    size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
    if (stride > SIZE_MAX / static_cast<size_t>(image.height)) return result;
    std::vector<unsigned char> rows;
    rows.resize(stride * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* from = image.pixels + static_cast<size_t>(y) * image.width * 3;
        unsigned char* to = rows.data() + static_cast<size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC dc = GetDC(window);
    if (dc == nullptr) return result;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, image.width, image.height);
    if (bitmap != nullptr &&
        SetDIBits(dc, bitmap, 0, static_cast<UINT>(image.height), rows.data(), &info, DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    ReleaseDC(window, dc);
    if (bitmap == nullptr) return result;
    result.bitmap = bitmap;
    result.width = image.width;
    result.height = image.height;
    return result;
}

ResourceBitmap MakeBitmapFromBmp(const unsigned char* bmp, size_t size, HWND window) {
    RgbImage image;
    if (!DecodeBmpImage(bmp, size, image)) return ResourceBitmap();
    ResourceBitmap result = MakeBitmapFromImage(image, window);
    FreeBmpImage(image);
    return result;
}

ResourceBitmap LoadResourceBitmap(const char* name, HWND window) {
    unsigned char* content = nullptr;
    uint32_t size = 0;
    if (name == nullptr || LoadDataResource(name, &content, &size) != kDataResourceOk) return ResourceBitmap();
    ResourceBitmap result = MakeBitmapFromBmp(content, size, window);
    std::free(content);
    return result;
}
