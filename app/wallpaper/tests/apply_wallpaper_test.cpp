#include "app/wallpaper/apply_wallpaper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/wallpaper/tests/test_pictures.h"
#include "base/byte_order.h"
#include "collection/tqi_file.h"
#include "settings/memory_store.h"
#include "settings/settings_loader.h"
#include "tests/support/test_support.h"

namespace {

using test_support::Bytes;

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kShellKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

class RecordingShell : public WallpaperShell {
public:
    std::vector<std::string> calls;
    void SetActiveDesktopWallpaper(const char* path) override { calls.push_back(std::string("active:") + path); }
    void SetSystemWallpaper(const char* path) override { calls.push_back(std::string("system:") + path); }
    void NotifySettingsChanged() override { calls.push_back("notify"); }
};

class ApplyWallpaperTest : public testing::Test {
protected:
    void SetUp() override {
        settings_ = DefaultSettings();
        wallpaperFile_ = folder_.File("Tapestrique - tester.bmp");
        PictureRecord record = wallpaper_test::MakePicture("Harbour", 320, 240, [](int x, int) {
            return x < 160 ? wallpaper_test::Colour{10, 200, 10} : wallpaper_test::Colour{200, 10, 10};
        });
        ASSERT_EQ(WritePictureFile(folder_.File("Harbour.tqi").c_str(), record), 0);
        FreePicturePayload(record);
        test_support::WriteFileBytes(folder_.File("Broken.tqi"), Bytes(200, 0x42));
        context_.settings = &settings_;
        context_.store = &store_;
        context_.shell = &shell_;
        context_.collectionFolder = folder_.Path().c_str();
        context_.wallpaperFilePath = wallpaperFile_.c_str();
        context_.screen.width = 640;
        context_.screen.height = 480;
        context_.screen.workArea = AreaRect{0, 0, 640, 450};
        context_.screen.desktopColour = 0x00804020;
    }

    std::string Registry(const char* key, const char* name) {
        const MemoryStore::Value* value = store_.Find(RegistryRoot::CurrentUser, key, name);
        if (value == nullptr) return "<absent>";
        EXPECT_EQ(value->type, kRegistryString) << name;
        EXPECT_FALSE(value->data.empty());
        if (value->data.empty() || value->data.back() != 0) return "<no NUL>";
        return std::string(reinterpret_cast<const char*>(value->data.data()));
    }

    void ExpectAppliedPath(const std::string& path) {
        EXPECT_EQ(Registry(kDesktopKey, "TileWallpaper"), "0");
        EXPECT_EQ(Registry(kDesktopKey, "WallpaperStyle"), "0");
        EXPECT_EQ(Registry(kDesktopKey, "Wallpaper"), path);
        EXPECT_EQ(Registry(kShellKey, "TileWallpaper"), "0");
        EXPECT_EQ(Registry(kShellKey, "WallpaperStyle"), "0");
        EXPECT_EQ(Registry(kShellKey, "BackupWallpaper"), path);
        EXPECT_EQ(Registry(kShellKey, "Wallpaper"), path);
        EXPECT_EQ(shell_.calls, (std::vector<std::string>{"active:" + path, "system:" + path, "notify"}));
        EXPECT_EQ(store_.OpenKeyCount(), 0);
    }

    test_support::TempDir folder_;
    std::string wallpaperFile_;
    Settings settings_;
    MemoryStore store_;
    RecordingShell shell_;
    WallpaperContext context_;
};

TEST_F(ApplyWallpaperTest, WritesA24BitScreenSizedBmpAndTellsTheShell) {
    std::strcpy(settings_.szCurrentWallpaper, "Harbour");
    settings_.btWallpaperImagesPresentation = 2;
    settings_.btWallpaperImagesUseOnlyWorkArea = 1;
    settings_.btWallpaperImagesShowTitles = 0;
    ApplyWallpaper(context_);
    ExpectAppliedPath(wallpaperFile_);

    Bytes bmp = test_support::ReadFileBytes(wallpaperFile_);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(ReadLe32(&bmp[18]), 640u);
    EXPECT_EQ(ReadLe32(&bmp[22]), 480u);  // positive: bottom-up rows
    EXPECT_EQ(ReadLe16(&bmp[28]), 24);
    EXPECT_EQ(bmp.size(), 54u + 640u * 3u * 480u);
    // The bottom 30 rows (the first stored) are the desktop colour, blue-green-red.
    uint32_t offset = ReadLe32(&bmp[10]);
    EXPECT_EQ(bmp[offset], 0x80);
    EXPECT_EQ(bmp[offset + 1], 0x40);
    EXPECT_EQ(bmp[offset + 2], 0x20);
    // Row 449 from the top (stored 30 from the bottom) is picture: green on the left.
    size_t row = offset + static_cast<size_t>(30) * 640 * 3;
    EXPECT_GT(bmp[row + 1], 150);
    EXPECT_LT(bmp[row + 2], 60);
    // No temporary file is left beside it.
    EXPECT_EQ(test_support::ListFolder(folder_.Path()).size(), 3u);
}

TEST_F(ApplyWallpaperTest, ChangerOffChangesNothingAtAll) {
    settings_.btEnableWallpaperChanger = 0;
    std::strcpy(settings_.szCurrentWallpaper, "Harbour");
    ApplyWallpaper(context_);
    EXPECT_TRUE(store_.WriteLog().empty());
    EXPECT_TRUE(shell_.calls.empty());
    EXPECT_FALSE(test_support::FileExists(wallpaperFile_));
}

TEST_F(ApplyWallpaperTest, NoCurrentPictureAppliesAnEmptyWallpaper) {
    test_support::WriteFileBytes(wallpaperFile_, Bytes{1, 2, 3});
    ApplyWallpaper(context_);
    ExpectAppliedPath("");
    EXPECT_EQ(test_support::ReadFileBytes(wallpaperFile_), (Bytes{1, 2, 3}));  // never deleted
}

TEST_F(ApplyWallpaperTest, APictureThatFailsKeepsThePreviousFileAndAppliesItAgain) {
    // "./Harbour" names the good picture through a path: refused like any other path.
    const char* const names[] = {"Broken", "Missing", "./Harbour", ".\\Harbour"};
    for (const char* name : names) {
        store_ = MemoryStore();
        shell_.calls.clear();
        const Bytes previous = {'B', 'M', 9, 9, 9};
        test_support::WriteFileBytes(wallpaperFile_, previous);
        std::strcpy(settings_.szCurrentWallpaper, name);
        EXPECT_EQ(ComposeWallpaperFile(context_), WallpaperFileResult::PictureUnreadable) << name;
        ApplyWallpaper(context_);
        ExpectAppliedPath(wallpaperFile_);
        EXPECT_EQ(test_support::ReadFileBytes(wallpaperFile_), previous) << name;
    }
}

TEST_F(ApplyWallpaperTest, AFileThatCannotBeWrittenLeavesNoTemporaryBehind) {
    std::strcpy(settings_.szCurrentWallpaper, "Harbour");
    std::string unwritable = folder_.File("no such folder") + "/Tapestrique.bmp";
    context_.wallpaperFilePath = unwritable.c_str();
    EXPECT_EQ(ComposeWallpaperFile(context_), WallpaperFileResult::FileNotWritten);
    EXPECT_EQ(test_support::ListFolder(folder_.Path()).size(), 2u);
}

}  // namespace
