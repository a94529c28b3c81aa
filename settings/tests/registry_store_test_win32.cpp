// The registry store against the real (Wine) registry, with values put there by reg.exe in
// the types another program might have used.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/registry_store_win32.h"
#include "settings/settings_loader.h"

namespace {

const char kRoot[] = "HKCU\\Software\\Quillmere\\Tapestrique";

// Runs reg.exe quietly; true on exit code 0.
bool Reg(const std::string& arguments) {
    std::string command = "reg.exe " + arguments + " >NUL 2>&1";
    return std::system(command.c_str()) == 0;
}

void ClearProductTree() {
    (void)Reg(std::string("delete \"") + kRoot + "\" /f");
}

class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override { ClearProductTree(); }
    void TearDown() override { ClearProductTree(); }
};

TEST_F(RegistryStoreTest, ValuesWrittenByRegInOddTypes) {
    const std::string wallpaper = std::string(kRoot) + "\\Settings\\Wallpaper";
    const std::string screensaver = std::string(kRoot) + "\\Settings\\Screensaver";
    const std::string variables = std::string(kRoot) + "\\Variables";
    const struct {
        std::string key, name, type, data;
    } values[] = {
        {wallpaper, "dwChangeWallpaperMinutes", "REG_DWORD", "45"},  // 4 bytes: accepted
        {wallpaper, "btEnableWallpaperChanger", "REG_DWORD", "0"},   // 4 bytes: ignored
        {wallpaper, "btWallpaperImagesPresentation", "REG_BINARY", "01"},
        {wallpaper, "dwChangeWallpaperHours", "REG_BINARY", "0500"},  // 2 bytes: ignored
        {screensaver, "dwScreensaverSecondsBetweenChanges", "REG_DWORD", "1000"},
        {variables, "szCurrentWallpaper", "REG_EXPAND_SZ", "Lighthouse"},
        {variables, "szLanguage", "REG_SZ", "fr"},
        {variables, "szCurrentSkin", "REG_SZ", std::string(200, 'k')},  // longer than its slot
    };
    for (const auto& value : values) {
        ASSERT_TRUE(
            Reg("add \"" + value.key + "\" /v " + value.name + " /t " + value.type + " /d " + value.data + " /f"))
            << value.name;
    }

    RegistryStore store;
    Settings s = DefaultSettings();
    LoadLanguageAndInstallation(store, s);
    LoadApplicationSettings(store, s);
    EXPECT_EQ(s.dwChangeWallpaperMinutes, 45u);
    EXPECT_EQ(s.btEnableWallpaperChanger, 1);
    EXPECT_EQ(s.btWallpaperImagesPresentation, 1);
    EXPECT_EQ(s.dwChangeWallpaperHours, 0u);
    EXPECT_EQ(s.dwScreensaverSecondsBetweenChanges, 300u);
    EXPECT_STREQ(s.szCurrentWallpaper, "Lighthouse");
    EXPECT_STREQ(s.szLanguage, "fr");
    EXPECT_STREQ(s.szCurrentSkin, "");

    // The registry still holds 1000: bounds are applied in memory only.
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmere\\Tapestrique\\Settings\\Screensaver", 0, KEY_READ, &key),
        ERROR_SUCCESS);
    DWORD seconds = 0;
    DWORD size = sizeof seconds;
    EXPECT_EQ(RegQueryValueExA(key, "dwScreensaverSecondsBetweenChanges", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&seconds), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(seconds, 1000u);
    RegCloseKey(key);
}

TEST_F(RegistryStoreTest, WrittenValuesAreBinaryOfTheirWidthOrStringsWithTheirNul) {
    RegistryStore store;
    Settings s = DefaultSettings();
    s.btChangeWallpaper = 2;
    s.dwChangeWallpaperHours = 7;
    std::strcpy(s.szCurrentWallpaper, "Harbour");
    s.stLastWallpaperChange = SystemTime{2026, 12, 1, 7, 8, 30, 0, 0};
    ASSERT_TRUE(WriteSetting(store, s, s.btChangeWallpaper));
    ASSERT_TRUE(WriteSetting(store, s, s.dwChangeWallpaperHours));
    ASSERT_TRUE(WriteSetting(store, s, s.szCurrentWallpaper));
    ASSERT_TRUE(WriteSetting(store, s, s.stLastWallpaperChange));

    const struct {
        const char* path;
        const char* name;
        DWORD type;
        DWORD size;
    } expected[] = {
        {"Software\\Quillmere\\Tapestrique\\Settings\\Wallpaper", "btChangeWallpaper", REG_BINARY, 1},
        {"Software\\Quillmere\\Tapestrique\\Settings\\Wallpaper", "dwChangeWallpaperHours", REG_BINARY, 4},
        {"Software\\Quillmere\\Tapestrique\\Variables", "szCurrentWallpaper", REG_SZ, 8},
        {"Software\\Quillmere\\Tapestrique\\Variables", "stLastWallpaperChange", REG_BINARY, 16},
    };
    for (const auto& value : expected) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, value.path, 0, KEY_READ, &key), ERROR_SUCCESS) << value.name;
        DWORD type = 0;
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(key, value.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << value.name;
        EXPECT_EQ(type, value.type) << value.name;
        EXPECT_EQ(size, value.size) << value.name;
        RegCloseKey(key);
    }

    Settings again = DefaultSettings();
    LoadApplicationSettings(store, again);
    EXPECT_EQ(again.btChangeWallpaper, 2);
    EXPECT_EQ(again.dwChangeWallpaperHours, 7u);
    EXPECT_STREQ(again.szCurrentWallpaper, "Harbour");
    EXPECT_EQ(std::memcmp(&again.stLastWallpaperChange, &s.stLastWallpaperChange, sizeof(SystemTime)), 0);
}

TEST_F(RegistryStoreTest, AValueLargerThanTheQueryBufferIsAbsent) {
    const std::string variables = std::string(kRoot) + "\\Variables";
    ASSERT_TRUE(
        Reg("add \"" + variables + "\" /v szLastPathImportImages /t REG_SZ /d " + std::string(3000, 'p') + " /f"));
    RegistryStore store;
    Settings s = DefaultSettings();
    LoadApplicationSettings(store, s);
    EXPECT_STREQ(s.szLastPathImportImages, "");
}

}  // namespace
