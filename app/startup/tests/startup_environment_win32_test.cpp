#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/startup/startup_environment_win32.h"
#include "base/directory_listing.h"
#include "base/file_io.h"

namespace {

// Sets TMP and TEMP, which GetTempPath reads first, for as long as the scope lasts.
class TemporaryPathOverride {
public:
    explicit TemporaryPathOverride(const std::string& folder) {
        for (const char* name : {"TMP", "TEMP"}) {
            char value[MAX_PATH + 1];
            DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
            saved_.push_back(length > 0 && length < sizeof value ? value : "");
            SetEnvironmentVariableA(name, folder.c_str());
        }
    }
    ~TemporaryPathOverride() {
        SetEnvironmentVariableA("TMP", saved_[0].empty() ? nullptr : saved_[0].c_str());
        SetEnvironmentVariableA("TEMP", saved_[1].empty() ? nullptr : saved_[1].c_str());
    }

private:
    std::vector<std::string> saved_;
};

TEST(StartupEnvironment, FoldersLoseTheirBackslashAndAMissingTemporaryFolderFallsBack) {
    const std::string windows = WindowsFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(IsExistingFolder(windows.c_str()));
    EXPECT_FALSE(IsExistingFile(windows.c_str()));

    // Whether a browser is registered depends on the machine; the probe page never stays.
    const std::string temporary = TemporaryFolder(windows);
    (void)FindBrowserProgram(temporary);
    EXPECT_FALSE(IsExistingFile(PathInFolder(temporary, "Tapestrique Temp.html").c_str()));

    {
        TemporaryPathOverride missing(windows + "\\no such folder\\");
        EXPECT_EQ(TemporaryFolder(windows), windows);
    }
    const std::string system = windows + "\\system32";
    TemporaryPathOverride existing(system + "\\");
    EXPECT_EQ(TemporaryFolder(windows), system);
}

}  // namespace
