#include <gtest/gtest.h>

#include <string>

#include "app/wallpaper/apply_wallpaper.h"
#include "settings/memory_store.h"
#include "settings/settings_loader.h"

namespace {

TEST(WallpaperPathsTest, FileIsNamedAfterTheProductAndTheUser) {
    const struct {
        const char* folder;
        const char* user;
        const char* expected;
    } cases[] = {
        {"C:\\windows", "alice", "C:\\windows\\Tapestrique - alice.bmp"},
        {"C:\\windows\\", "alice", "C:\\windows\\Tapestrique - alice.bmp"},
        {"C:\\windows", "", "C:\\windows\\Tapestrique.bmp"},
        {"C:\\windows", nullptr, "C:\\windows\\Tapestrique.bmp"},
    };
    for (const auto& c : cases) {
        char path[260];
        ASSERT_TRUE(BuildWallpaperFilePath(c.folder, c.user, path, sizeof path));
        EXPECT_STREQ(path, c.expected);
    }
    char small[20];
    EXPECT_FALSE(BuildWallpaperFilePath("C:\\windows", "alice", small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(WallpaperPathsTest, CurrentNameIsStoredOnlyWhenItFitsItsSlot) {
    MemoryStore store;
    Settings settings = DefaultSettings();
    ASSERT_TRUE(StoreCurrentWallpaperName(store, settings, "Harbour"));
    EXPECT_STREQ(settings.szCurrentWallpaper, "Harbour");
    const MemoryStore::Value* value =
        store.Find(RegistryRoot::CurrentUser, "Software\\Quillmere\\Tapestrique\\Variables", "szCurrentWallpaper");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->data.size(), 8u);

    const std::string fits(127, 'f');
    EXPECT_TRUE(StoreCurrentWallpaperName(store, settings, fits.c_str()));
    EXPECT_EQ(std::string(settings.szCurrentWallpaper), fits);
    const std::string tooLong(128, 'x');
    EXPECT_FALSE(StoreCurrentWallpaperName(store, settings, tooLong.c_str()));
    EXPECT_EQ(std::string(settings.szCurrentWallpaper), fits);
}

}  // namespace
