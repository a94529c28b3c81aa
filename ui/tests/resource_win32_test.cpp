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
