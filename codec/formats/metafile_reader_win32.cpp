// Windows metafiles (WMF, placeable APM, EMF), played by GDI onto a 24-bit device bitmap of
// the picture's natural size at the screen's resolution, over black, and read back as RGB.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "base/byte_order.h"
#include "base/file_io.h"
#include "codec/codec_errors.h"
#include "codec/codec_memory.h"
#include "codec/formats/format_readers.h"
#include "codec/formats/reader_support.h"

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr uint64_t kMaxFileSize = 256u << 20;  // far beyond any real metafile
constexpr long kMaxSide = 16384;               // a device bitmap larger than this is refused

class EnhancedMetafile {
public:
    EnhancedMetafile() = default;
    ~EnhancedMetafile() {
        if (handle_ != nullptr) DeleteEnhMetaFile(handle_);
    }
    EnhancedMetafile(const EnhancedMetafile&) = delete;
    EnhancedMetafile& operator=(const EnhancedMetafile&) = delete;
    HENHMETAFILE Get() const { return handle_; }
    HENHMETAFILE* Receive() { return &handle_; }

private:
    HENHMETAFILE handle_ = nullptr;
};

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context with a top-down 24-bit DIB section selected into it.
class DibCanvas {
public:
    DibCanvas(HDC reference, int width, int height) {
        dc_ = CreateCompatibleDC(reference);
        if (dc_ == nullptr) return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_ != nullptr) previous_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool Ready() const { return bits_ != nullptr && previous_ != nullptr; }
    HDC Dc() const { return dc_; }
    const unsigned char* Bits() const { return static_cast<const unsigned char*>(bits_); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

// The whole metafile in working memory.
struct MetafileBytes {
    WorkArray<unsigned char> data;
    size_t size = 0;
};

[[nodiscard]] int ReadFileBytes(const char* path, MetafileBytes& bytes) {
    File file;
    uint64_t size = 0;
    if (!file.OpenForSequentialRead(path) || !file.Size(size)) return kCodecCannotOpen;
    if (size > kMaxFileSize) return kCodecNotMetafile;
    bytes.size = static_cast<size_t>(size);
    bytes.data = AllocateWorkArray<unsigned char>(bytes.size);
    if (bytes.data == nullptr) return kCodecOutOfMemory;
    return file.ReadExact(bytes.data.get(), bytes.size) ? kCodecOk : kCodecReadError;
}

bool IsEnhanced(const MetafileBytes& bytes) {
    return bytes.size >= 44 && ReadLe32(bytes.data.get()) == EMR_HEADER &&
           std::memcmp(bytes.data.get() + 40, " EMF", 4) == 0;
}

bool IsPlaceable(const MetafileBytes& bytes) {
    return bytes.size >= kPlaceableHeaderSize + 18 && ReadLe32(bytes.data.get()) == kPlaceableKey;
}

// A plain metafile header: type 1 (memory) or 2 (disk), header size 9 words.
bool IsWindowsMetafile(const unsigned char* bytes, size_t size) {
    return size >= 18 && (ReadLe16(bytes) == 1 || ReadLe16(bytes) == 2) && ReadLe16(bytes + 2) == 9;
}

// Converts the file into an enhanced metafile and works out its natural size in pixels.
[[nodiscard]] int LoadMetafile(const MetafileBytes& bytes,
                               HDC screen,
                               HENHMETAFILE& handle,
                               long& width,
                               long& height) {
    const long pixelsX = GetDeviceCaps(screen, HORZRES);
    const long pixelsY = GetDeviceCaps(screen, VERTRES);
    const long millimetresX = GetDeviceCaps(screen, HORZSIZE);
    const long millimetresY = GetDeviceCaps(screen, VERTSIZE);
    if (IsPlaceable(bytes)) {
        // The bounding box in units of `inch` per inch gives the size at the screen's resolution.
        const unsigned char* header = bytes.data.get();
        long left = static_cast<int16_t>(ReadLe16(header + 6));
        long top = static_cast<int16_t>(ReadLe16(header + 8));
        long right = static_cast<int16_t>(ReadLe16(header + 10));
        long bottom = static_cast<int16_t>(ReadLe16(header + 12));
        long unitsPerInch = ReadLe16(header + 14);
        const unsigned char* bits = header + kPlaceableHeaderSize;
        size_t size = bytes.size - kPlaceableHeaderSize;
        if (unitsPerInch == 0 || right == left || bottom == top || !IsWindowsMetafile(bits, size)) {
            return kCodecNotMetafile;
        }
        long boxWidth = right > left ? right - left : left - right;
        long boxHeight = bottom > top ? bottom - top : top - bottom;
        width = MulDiv(boxWidth, GetDeviceCaps(screen, LOGPIXELSX), unitsPerInch);
        height = MulDiv(boxHeight, GetDeviceCaps(screen, LOGPIXELSY), unitsPerInch);
        METAFILEPICT picture = {};
        picture.mm = MM_ANISOTROPIC;
        picture.xExt = MulDiv(boxWidth, 2540, unitsPerInch);  // hundredths of a millimetre
        picture.yExt = MulDiv(boxHeight, 2540, unitsPerInch);
        handle = SetWinMetaFileBits(static_cast<UINT>(size), bits, screen, &picture);
        return handle != nullptr ? kCodecOk : kCodecNotMetafile;
    }
    if (IsEnhanced(bytes)) {
        handle = SetEnhMetaFileBits(static_cast<UINT>(bytes.size), bytes.data.get());
    } else if (IsWindowsMetafile(bytes.data.get(), bytes.size)) {
        handle = SetWinMetaFileBits(static_cast<UINT>(bytes.size), bytes.data.get(), screen, nullptr);
    } else {
        return kCodecNotMetafile;
    }
    if (handle == nullptr) return kCodecNotMetafile;
    // The frame, in hundredths of a millimetre, through the screen's size in millimetres.
    ENHMETAHEADER header = {};
    if (GetEnhMetaFileHeader(handle, sizeof header, &header) == 0 || millimetresX <= 0 || millimetresY <= 0) {
        return kCodecNotMetafile;
    }
    // 64-bit arithmetic: a damaged header's frame may span the whole 32-bit range.
    const RECTL& frame = header.rclFrame;
    int64_t frameWidth = static_cast<int64_t>(frame.right) - frame.left;
    int64_t frameHeight = static_cast<int64_t>(frame.bottom) - frame.top;
    int64_t pixelWidth = frameWidth * pixelsX / (static_cast<int64_t>(millimetresX) * 100);
    int64_t pixelHeight = frameHeight * pixelsY / (static_cast<int64_t>(millimetresY) * 100);
    width = static_cast<long>(pixelWidth < 0 ? 0 : pixelWidth > kMaxSide ? kMaxSide + 1 : pixelWidth);
    height = static_cast<long>(pixelHeight < 0 ? 0 : pixelHeight > kMaxSide ? kMaxSide + 1 : pixelHeight);
    return kCodecOk;
}

// The file as an enhanced metafile for the screen, with its natural size.
struct ScreenMetafile {
    ScreenDc screen;
    EnhancedMetafile metafile;
    long width = 0;
    long height = 0;
};

[[nodiscard]] int LoadForScreen(const MetafileBytes& bytes, ScreenMetafile& loaded) {
    if (loaded.screen.Get() == nullptr) return kCodecNoDeviceBitmap;
    int result = LoadMetafile(bytes, loaded.screen.Get(), *loaded.metafile.Receive(), loaded.width, loaded.height);
    if (result != kCodecOk) return result;
    return loaded.width <= 0 || loaded.height <= 0 ? kCodecNotMetafile : kCodecOk;
}

[[nodiscard]] int Play(const MetafileBytes& bytes, RgbImage& out) {
    ScreenMetafile loaded;
    int result = LoadForScreen(bytes, loaded);
    if (result != kCodecOk) return result;
    const long width = loaded.width;
    const long height = loaded.height;
    const ScreenDc& screen = loaded.screen;
    const EnhancedMetafile& metafile = loaded.metafile;
    if (width > kMaxSide || height > kMaxSide) return kCodecNoDeviceBitmap;

    DibCanvas canvas(screen.Get(), width, height);
    if (!canvas.Ready()) return kCodecNoDeviceBitmap;
    RECT area = {0, 0, width, height};
    PatBlt(canvas.Dc(), 0, 0, width, height, BLACKNESS);
    PlayEnhMetaFile(canvas.Dc(), metafile.Get(), &area);  // a record that fails to play is skipped
    GdiFlush();

    CodecBuffer pixels;
    result = AllocatePixels(width, height, 3, pixels);
    if (result != kCodecOk) return result;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    for (long y = 0; y < height; ++y) {
        const unsigned char* source = canvas.Bits() + y * stride;
        unsigned char* target = pixels.Data() + static_cast<size_t>(y) * width * 3;
        for (long x = 0; x < width; ++x, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    DeliverRgbImage(pixels, static_cast<int>(width), static_cast<int>(height), out);
    return kCodecOk;
}

}  // namespace

int ReadMetafileSize(const char* path, int& width, int& height) {
    width = height = 0;
    if (path == nullptr) return kCodecBadArgument;
    MetafileBytes bytes;
    int result = ReadFileBytes(path, bytes);
    if (result != kCodecOk) return result;
    ScreenMetafile loaded;
    result = LoadForScreen(bytes, loaded);
    if (result != kCodecOk) return result;
    width = static_cast<int>(loaded.width);
    height = static_cast<int>(loaded.height);
    return kCodecOk;
}

int ReadMetafileImage(const char* path, RgbImage& out) {
    out = RgbImage{};
    if (path == nullptr) return kCodecBadArgument;  // a memory source cannot be played
    MetafileBytes bytes;
    int result = ReadFileBytes(path, bytes);
    return result == kCodecOk ? Play(bytes, out) : result;
}
