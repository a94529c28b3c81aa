// Bitmaps and sounds from the built data-resource file (Windows build, run under Wine).
#include <gtest/gtest.h>

#include <string>

#include "ui/data_resource.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/resource_sound.h"

namespace {

void UseBuiltFile() {
    SetDataResourcePath((std::string("Z:") + TQ_BUILT_DATA_RESOURCE).c_str());
}

}  // namespace

TEST(ResourceBitmap, MadeFromTheEntryAtItsSize) {
    UseBuiltFile();
    struct Case {
        const char* name;
        int width, height;
    } cases[] = {{"BitmapAboutTapestrique_TrFF00FF", 166, 36},
                 {"bitmapsettingsgenerallanguagefr_8bpp_trff00ff", 22, 16},
                 {"BitmapNoImagesAvailableNormal_CA", 484, 121},
                 {"BitmapThatDoesNotExist", 0, 0},
                 {"WavClick", 0, 0}};  // not a picture
    for (const Case& c : cases) {
        ResourceBitmap bitmap = LoadResourceBitmap(c.name, nullptr);
        EXPECT_EQ(bitmap.width, c.width) << c.name;
        EXPECT_EQ(bitmap.height, c.height) << c.name;
        EXPECT_EQ(bitmap.bitmap.IsValid(), c.width != 0) << c.name;
        if (bitmap.bitmap.IsValid()) {
            BITMAP info = {};
            ASSERT_NE(GetObjectA(bitmap.bitmap.Get(), sizeof info, &info), 0);
            EXPECT_EQ(info.bmWidth, c.width);
        }
    }
}

// A picture grown for a scaled display repeats its pixels: the key colour stays exact, with no
// blended fringe, and nothing moves by a pixel.
TEST(ResourceBitmap, StretchedByRepeatingPixels) {
    UseBuiltFile();
    ResourceBitmap logo = LoadResourceBitmap("BitmapAboutTapestrique_TrFF00FF", nullptr);
    ASSERT_TRUE(logo.bitmap.IsValid());
    OwnedBitmap doubled =
        StretchedPicture(logo.bitmap.Get(), logo.width, logo.height, logo.width * 2, logo.height * 2, nullptr);
    ASSERT_TRUE(doubled.IsValid());
    MemoryDc small(CreateCompatibleDC(nullptr)), large(CreateCompatibleDC(nullptr));
    ScopedSelect fromSmall(small.Get(), logo.bitmap.Get());
    ScopedSelect fromLarge(large.Get(), doubled.Get());
    int differing = 0, keyPixels = 0;
    for (int y = 0; y < logo.height * 2; ++y) {
        for (int x = 0; x < logo.width * 2; ++x) {
            const COLORREF pixel = GetPixel(large.Get(), x, y);
            if (pixel != GetPixel(small.Get(), x / 2, y / 2)) ++differing;
            if (pixel == RGB(255, 0, 255)) ++keyPixels;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(keyPixels, 0) << "the logo keeps its transparent key colour";
    EXPECT_FALSE(StretchedPicture(logo.bitmap.Get(), logo.width, logo.height, 0, 10, nullptr).IsValid());
    EXPECT_FALSE(StretchedPicture(nullptr, 10, 10, 20, 20, nullptr).IsValid());
}

TEST(ResourceSound, StartedSoundsAreAwaited) {
    UseBuiltFile();
    EXPECT_EQ(PlayResourceSound("WavClick"), 4) << "no sound before the lock exists";
    InitializeResourceSounds();
    EXPECT_EQ(PlayResourceSound("WavNothing"), 7);
    EXPECT_EQ(PlayResourceSound(nullptr), 7);
    EXPECT_EQ(CountPlayingResourceSounds(), 0) << "a missing sound starts no thread";
    // Sounds overlap: each has its own thread, none waits for another.
    for (const char* name : {"WavGlock", "WavBellTree", "WavClick", "wavclick"}) {
        EXPECT_EQ(PlayResourceSound(name), 0) << name;
    }
    DWORD start = GetTickCount();
    WaitForResourceSounds();
    EXPECT_EQ(CountPlayingResourceSounds(), 0);
    EXPECT_LT(GetTickCount() - start, 20000u);
    ShutdownResourceSounds();

    SetDataResourcePath("Z:/nonexistent/Tapestrique.dat");
    InitializeResourceSounds();
    EXPECT_EQ(PlayResourceSound("WavClick"), 2);
    ShutdownResourceSounds();
}
