#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/startup/command_line.h"
#include "app/startup/copy_data.h"
#include "app/startup/installation_check.h"
#include "app/startup/os_version.h"

namespace {

struct SwitchCase {
    const char* commandLine;
    bool hidden, firstRun;
    const char* file;  // nullptr: no picture file
    bool showsWindow;
};

TEST(StartupRules, SwitchesAreFoundInAnyCaseAndTheFilePathEndsAtTqi) {
    const SwitchCase cases[] = {
        {"", false, false, nullptr, true},
        {"\"C:\\Program Files\\Tapestrique\\Tapestrique.exe\" /HIDDEN", true, false, nullptr, false},
        {"Tapestrique.exe /Hidden/FirstRun", true, true, nullptr, true},
        {"/file:C:\\Pictures\\a.tqi", false, false, "C:\\Pictures\\a.tqi", false},
        {"x \"/FILE:C:\\My Pictures\\Dusk.TQI\" /hidden", true, false, "C:\\My Pictures\\Dusk.TQI", false},
        {"/file:.tqi", false, false, ".tqi", false},
        {"/file:C:\\Pictures\\a.jpg", false, false, nullptr, false},
        {"C:\\old.tqi\\Tapestrique.exe /file:a.tqi", false, false, nullptr, false},  // the first .tqi counts
        {"/file/hidden", true, false, nullptr, false},
        {"/firstrun /file:b.tqi", false, true, "b.tqi", true},
    };
    for (const SwitchCase& c : cases) {
        EXPECT_EQ(HasSwitch(c.commandLine, kSwitchHidden), c.hidden) << c.commandLine;
        EXPECT_EQ(HasSwitch(c.commandLine, kSwitchFirstRun), c.firstRun) << c.commandLine;
        std::optional<std::string> file = PictureFileArgument(c.commandLine);
        EXPECT_EQ(file.value_or("(none)"), c.file != nullptr ? c.file : "(none)") << c.commandLine;
        EXPECT_EQ(ShowsMainWindowAtStart(c.commandLine), c.showsWindow) << c.commandLine;
    }
    EXPECT_EQ(FindSwitch("a /HiDdEn", kSwitchHidden), 2u);
    EXPECT_EQ(SecondStartRequestFor("x /File:a.tqi"), SecondStartRequest::OpenPictureFile);
    EXPECT_EQ(SecondStartRequestFor("x /hidden"), SecondStartRequest::OpenMainWindow);

    std::string longest(kMaxCommandLineLength, 'x');
    EXPECT_EQ(KeptCommandLine(longest), longest);
    EXPECT_EQ(KeptCommandLine(longest + "/file:a.tqi"), "") << "a longer line is dropped whole, never cut";
}

TEST(StartupRules, CopyDataIsRefusedDroppedOrCopiedWithItsNul) {
    const char unterminated[4] = {'/', 'f', 'i', 'l'};
    CopyDataAnswer copied = AcceptCopyData(0, unterminated, sizeof unterminated);
    EXPECT_EQ(copied.result, 1);
    ASSERT_TRUE(copied.argument);
    EXPECT_STREQ(copied.argument.get(), "/fil") << "the copy ends in a NUL the sender did not send";

    std::string largest(kMaxCopyDataSize, 'a');
    CopyDataAnswer atLimit = AcceptCopyData(0, largest.data(), largest.size());
    ASSERT_TRUE(atLimit.argument);
    EXPECT_EQ(std::strlen(atLimit.argument.get()), kMaxCopyDataSize);

    std::string tooLarge(kMaxCopyDataSize + 1, 'a');
    CopyDataAnswer dropped = AcceptCopyData(0, tooLarge.data(), tooLarge.size());
    EXPECT_EQ(dropped.result, 1) << "acknowledged";
    EXPECT_FALSE(dropped.argument) << "and dropped";

    CopyDataAnswer refused = AcceptCopyData(1, "/file:a.tqi", 12);
    EXPECT_EQ(refused.result, 0);
    EXPECT_FALSE(refused.argument);

    EXPECT_FALSE(AcceptCopyData(0, nullptr, 10).argument) << "a size with no data behind it";
}

TEST(StartupRules, OsVersionCodeOverItsTableAndTheCommonControlsVersion) {
    struct Case {
        uint32_t major, minor;
        bool nt;
        int code;
    };
    const Case cases[] = {
        {3, 51, true, 0},  {4, 0, false, 1}, {4, 0, true, 4}, {4, 10, false, 2}, {4, 89, false, 2},
        {4, 90, false, 3}, {5, 0, true, 5},  {5, 1, true, 6}, {5, 2, true, 7},   {6, 0, true, 7},
        {6, 1, true, 7},   {6, 2, true, 7},  {6, 3, true, 7}, {10, 0, true, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsVersionCode(c.major, c.minor, c.nt), c.code) << c.major << "." << c.minor;
    }
    // Vista to 11 take every modern path.
    int modern = OsVersionCode(10, 0, true);
    EXPECT_TRUE(UsesSystemCursors(modern) && HasUiEffectsSetting(modern) && HasFlatMenuSetting(modern) &&
                FadesWindows(modern));

    EXPECT_FALSE(IsCommonControlsVersionSupported(PackedDllVersion(4, 70)));
    EXPECT_TRUE(IsCommonControlsVersionSupported(PackedDllVersion(4, 71)));
    EXPECT_TRUE(IsCommonControlsVersionSupported(PackedDllVersion(6, 0)));
    EXPECT_FALSE(IsCommonControlsVersionSupported(0)) << "a version that could not be read";
}

// Files the installation has, and the order in which they were asked for.
class FakeInstallationFiles final : public InstallationFiles {
public:
    std::set<std::string> files;
    std::string asked;

    bool IsFile(const char* path) override {
        asked += "file ";
        return files.count(path) != 0;
    }
    bool OpenDataResource(const char* path) override {
        asked += "data ";
        return files.count(path) != 0;
    }
};

TEST(StartupRules, InstallationIsDamagedUnlessEveryCheckPassesInOrder) {
    struct Case {
        const char* description;
        const char* installDir;
        bool program, data;
        const char* version;
        bool damaged;
        const char* asked;
    };
    const Case cases[] = {
        {"complete", "C:\\Tapestrique", true, true, "1.0.01", false, "file data "},
        {"another version", "C:\\Tapestrique", true, true, "1.0.02", true, "file data "},
        {"no version", "C:\\Tapestrique", true, true, "", true, "file data "},
        {"no folder", "", true, true, "1.0.01", true, ""},
        {"no program", "C:\\Tapestrique", false, true, "1.0.01", true, "file "},
        {"no data-resource file", "C:\\Tapestrique", true, false, "1.0.01", true, "file data "},
    };
    for (const Case& c : cases) {
        Settings settings = DefaultSettings();
        std::strcpy(settings.InstallDir, c.installDir);
        std::strcpy(settings.InstallVersion, c.version);
        InstallationPaths paths = InstallationPathsFrom(settings);
        FakeInstallationFiles files;
        if (c.program) files.files.insert(paths.application);
        if (c.data) files.files.insert(paths.dataResource);
        EXPECT_EQ(IsInstallationDamaged(settings, files), c.damaged) << c.description;
        EXPECT_EQ(files.asked, c.asked) << c.description;
    }
}

}  // namespace
