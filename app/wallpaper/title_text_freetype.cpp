// Title text on the host: FreeType renders Liberation Sans Bold (Arial's metrics) as a
// one-bit mask, the way the system's text drawing renders into a monochrome bitmap.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>

#include "app/wallpaper/title_text.h"

namespace {

// Where Debian's fonts-liberation puts the font; TQ_TITLE_FONT overrides it.
const char kDefaultFontPath[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";

const char* FontPath() {
    const char* path = std::getenv("TQ_TITLE_FONT");
    return path != nullptr && path[0] != 0 ? path : kDefaultFontPath;
}

// Windows-1252, the code page titles are written in: 0x80 to 0x9F differ from Latin-1.
uint32_t CodePointOf(unsigned char byte) {
    static const uint16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

class FontFace {
public:
    FontFace() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        if (FT_New_Face(library_, FontPath(), 0, &face_) != 0) face_ = nullptr;
        if (face_ != nullptr && FT_Set_Pixel_Sizes(face_, 0, kTitleFontHeight) != 0) {
            FT_Done_Face(face_);
            face_ = nullptr;
        }
    }
    ~FontFace() {
        if (face_ != nullptr) FT_Done_Face(face_);
        if (library_ != nullptr) FT_Done_FreeType(library_);
    }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_Face Get() const { return face_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

void BlendPixel(const RgbView& canvas, const AreaRect& box, int x, int y, uint32_t colour) {
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return;
    unsigned char* pixel =
        canvas.pixels + static_cast<size_t>(y) * static_cast<size_t>(canvas.stride) + static_cast<size_t>(x) * 3;
    pixel[0] = static_cast<unsigned char>(colour);
    pixel[1] = static_cast<unsigned char>(colour >> 8);
    pixel[2] = static_cast<unsigned char>(colour >> 16);
}

}  // namespace

bool DrawRightAlignedText(const RgbView& canvas, const char* text, const AreaRect& box, uint32_t colour) {
    if (text == nullptr || text[0] == 0) return true;
    if (box.right < box.left || box.bottom < box.top || box.left < 0 || box.top < 0 || box.right > canvas.width ||
        box.bottom > canvas.height) {
        return true;
    }
    FontFace font;
    FT_Face face = font.Get();
    if (face == nullptr) return false;
    const FT_Int32 loadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_RENDER | FT_LOAD_MONOCHROME;

    // The line's width is the sum of the hinted advances (no kerning, like the system's
    // plain text drawing).
    long width = 0;
    for (const char* c = text; *c != 0; ++c) {
        FT_UInt glyph = FT_Get_Char_Index(face, CodePointOf(static_cast<unsigned char>(*c)));
        if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_MONO) != 0) return false;
        width += face->glyph->advance.x >> 6;
    }
    int penX = static_cast<int>(box.right - width);
    // The line's cell starts at the box's top; the baseline lies one ascent below.
    int baseline = box.top + static_cast<int>((face->size->metrics.ascender + 32) >> 6);

    for (const char* c = text; *c != 0; ++c) {
        FT_UInt glyph = FT_Get_Char_Index(face, CodePointOf(static_cast<unsigned char>(*c)));
        if (FT_Load_Glyph(face, glyph, loadFlags) != 0) return false;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* bits = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                if ((bits[column >> 3] & (0x80 >> (column & 7))) == 0) continue;
                BlendPixel(canvas, box, penX + slot->bitmap_left + static_cast<int>(column),
                           baseline - slot->bitmap_top + static_cast<int>(row), colour);
            }
        }
        penX += static_cast<int>(slot->advance.x >> 6);
    }
    return true;
}

bool IsTitleDrawingAvailable() {
    FontFace font;
    return font.Get() != nullptr;
}
