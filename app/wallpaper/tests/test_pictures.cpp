#include "app/wallpaper/tests/test_pictures.h"

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <cstdlib>
#include <cstring>

namespace wallpaper_test {

std::vector<unsigned char> MakeJpeg(int width,
                                    int height,
                                    const std::function<Colour(int, int)>& colourAt,
                                    int quality,
                                    bool subsampleChroma) {
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    jpeg_compress_struct compressor;
    jpeg_error_mgr errors;
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    for (int i = 0; !subsampleChroma && i < compressor.num_components; ++i) {
        compressor.comp_info[i].h_samp_factor = 1;
        compressor.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&compressor, TRUE);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour colour = colourAt(x, y);
            row[x * 3] = colour.red;
            row[x * 3 + 1] = colour.green;
            row[x * 3 + 2] = colour.blue;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    std::vector<unsigned char> jpeg(buffer, buffer + size);
    jpeg_destroy_compress(&compressor);
    std::free(buffer);
    return jpeg;
}

PictureRecord MakePicture(const char* title, int width, int height, const std::function<Colour(int, int)>& colourAt) {
    std::vector<unsigned char> jpeg = MakeJpeg(width, height, colourAt);
    PictureRecord record;
    std::strncpy(record.title, title, sizeof record.title - 1);
    record.width = width;
    record.height = height;
    record.payloadSize = static_cast<uint32_t>(jpeg.size());
    record.payload = static_cast<unsigned char*>(std::malloc(jpeg.size()));
    std::memcpy(record.payload, jpeg.data(), jpeg.size());
    return record;
}

Colour PixelAt(const ConstRgbView& image, int x, int y) {
    const unsigned char* p =
        image.pixels + static_cast<size_t>(y) * static_cast<size_t>(image.stride) + static_cast<size_t>(x) * 3;
    return Colour{p[0], p[1], p[2]};
}

bool IsColour(const ConstRgbView& image, int x, int y, uint32_t colourRef) {
    Colour c = PixelAt(image, x, y);
    return c.red == (colourRef & 0xFF) && c.green == ((colourRef >> 8) & 0xFF) && c.blue == ((colourRef >> 16) & 0xFF);
}

bool IsNear(const ConstRgbView& image, int x, int y, Colour colour, int tolerance) {
    Colour c = PixelAt(image, x, y);
    return std::abs(c.red - colour.red) <= tolerance && std::abs(c.green - colour.green) <= tolerance &&
           std::abs(c.blue - colour.blue) <= tolerance;
}

std::string Describe(const ConstRgbView& image, int x, int y) {
    Colour c = PixelAt(image, x, y);
    char text[64];
    std::snprintf(text, sizeof text, "(%d, %d) is %d/%d/%d", x, y, c.red, c.green, c.blue);
    return text;
}

}  // namespace wallpaper_test
