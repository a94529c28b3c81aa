// The programs' resources as the system loads them: this test program links Tapestrique.exe's
// resources, and reads Tapestrique.scr's from a program that carries only them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window/hotkey_table.h"
#include "app/main_window/menu_commands.h"
#include "ui/control_ids.h"
#include "ui/localization/language.h"
#include "ui/localization/text_table.h"

namespace {

struct Program {
    const char* name;
    HMODULE module;
    std::string path;
};

class ProgramResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        exe_ = {"Tapestrique.exe", GetModuleHandleA(nullptr), path};
        std::string holder = std::string("Z:") + TQ_SCREENSAVER_RESOURCES;
        scr_ = {"Tapestrique.scr",
                LoadLibraryExA(holder.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
                holder};
    }
    static void TearDownTestSuite() {
        if (scr_.module != nullptr) FreeLibrary(scr_.module);
    }

    static Program exe_;
    static Program scr_;
};

Program ProgramResourcesTest::exe_;
Program ProgramResourcesTest::scr_;

// A function of a system library looked up by name: the build targets Windows 7, whose
// headers lack the newer ones. The cast through void* is how GetProcAddress is meant to be used.
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(library), name)));
}

INT_PTR CALLBACK AcceptEveryDialog(HWND, UINT message, WPARAM, LPARAM) noexcept {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The dialog built from a module's template, hidden; nullptr when the template is missing or
// the system cannot build the dialog from it.
HWND CreateDialogWindow(HMODULE module, const char* name, HWND parent) {
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (resource == nullptr) return nullptr;
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, resource)));
    // Settings pages are child windows: they get a parent, the others do not mind one.
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, parent, AcceptEveryDialog, 0);
}

// The ids of the dialog's controls, sorted, leaving out the labels without one; nothing when
// the dialog cannot be built.
std::vector<uint32_t> ControlIdsOfTemplate(HMODULE module, const char* name, HWND parent) {
    HWND dialog = CreateDialogWindow(module, name, parent);
    if (dialog == nullptr) return {};
    std::vector<uint32_t> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        auto id = static_cast<uint16_t>(GetDlgCtrlID(child));
        if (id != 0xFFFF) ids.push_back(id);
    }
    DestroyWindow(dialog);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// How far the text reaches when it is drawn: the right and bottom edge of its ink, for text
// laid out in `width` pixels (wrapped or on one line). The computed extent alone is not enough:
// under Wine, a font substituted for the templates' "MS Sans Serif" draws its glyphs a few
// per cent wider than GetTextExtentPoint32 and DT_CALCRECT report, so a text that "fits" by
// the numbers is cut at the control's edge on the screen.
SIZE DrawnTextExtent(HFONT font, const char* text, int width, bool wraps) {
    const int canvasWidth = width + 200, canvasHeight = 400;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, canvasWidth, canvasHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previousBitmap = SelectObject(canvas, bitmap);
    HGDIOBJ previousFont = SelectObject(canvas, font);
    RECT all = {0, 0, canvasWidth, canvasHeight};
    FillRect(canvas, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(canvas, RGB(0, 0, 0));
    SetBkMode(canvas, TRANSPARENT);
    RECT layout = {0, 0, width, canvasHeight};
    DrawTextA(canvas, text, -1, &layout, DT_NOCLIP | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SIZE reach = {0, 0};
    for (int y = 0; y < canvasHeight; ++y) {
        for (int x = 0; x < canvasWidth; ++x) {
            if (GetPixel(canvas, x, y) == RGB(255, 255, 255)) continue;
            reach.cx = std::max<LONG>(reach.cx, x + 1);
            reach.cy = std::max<LONG>(reach.cy, y + 1);
        }
    }
    SelectObject(canvas, previousFont);
    SelectObject(canvas, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    return reach;
}

// Where a control's text does not fit its control: an empty string when it fits. Labels wrap
// their text, buttons wrap it only with BS_MULTILINE; a check box or radio button loses the
// width of its box, a group box the corners of its frame. Both the computed extent and the
// drawn ink must fit.
std::string TextOverflow(HWND control) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (text[0] == '\0' || (lstrcmpiA(className, "Static") != 0 && lstrcmpiA(className, "Button") != 0)) return {};
    auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    bool isStatic = lstrcmpiA(className, "Static") == 0;
    DWORD kind = isStatic ? 0 : style & BS_TYPEMASK;
    if (kind == BS_OWNERDRAW) return {};
    bool isGroup = kind == BS_GROUPBOX;
    RECT box = {};
    GetClientRect(control, &box);
    int spare = 0;
    if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON) {
        spare = GetSystemMetrics(SM_CXMENUCHECK) + 8;  // the box and the gaps around it
    } else if (isGroup) {
        spare = 16;
    } else if (!isStatic) {
        spare = 6;  // push button borders
    }
    bool wraps = isStatic || (style & BS_MULTILINE) != 0;
    const int width = box.right - spare;
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    RECT needed = {0, 0, width, 0};
    HDC context = GetDC(control);
    auto previous = SelectObject(context, font);
    DrawTextA(context, text, -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(context, previous);
    ReleaseDC(control, context);
    const SIZE drawn = DrawnTextExtent(font, text, width, wraps);
    const LONG neededWidth = std::max(needed.right, drawn.cx);
    const LONG neededHeight = std::max(needed.bottom, drawn.cy);
    bool fits = neededWidth <= width && (isGroup || neededHeight <= box.bottom);
    if (fits) return {};
    return std::string(text) + " needs " + std::to_string(neededWidth) + "x" + std::to_string(neededHeight) + ", has " +
           std::to_string(width) + "x" + std::to_string(box.bottom);
}

// The version resource of a program or library file; empty when it has none.
std::vector<char> VersionBlock(const char* path) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &ignored));
    if (!block.empty() && !GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data())) block.clear();
    return block;
}

std::vector<uint32_t> Sorted(std::span<const uint32_t> ids) {
    std::vector<uint32_t> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

}  // namespace

TEST_F(ProgramResourcesTest, EveryDialogBuildsWithItsControlsInEveryLanguage) {
    ASSERT_NE(scr_.module, nullptr) << scr_.path;
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const DialogControlSet& dialog : kDialogs) {
        bool inScreensaver = dialog.dialog == TextId::DialogInstall;
        for (int language = 0; language < kLanguageCount; ++language) {
            const char* name = TextIn(dialog.dialog, language);
            SCOPED_TRACE(name);
            EXPECT_EQ(ControlIdsOfTemplate(exe_.module, name, parent), Sorted(dialog.controls));
            if (inScreensaver) {
                EXPECT_EQ(ControlIdsOfTemplate(scr_.module, name, parent), Sorted(dialog.controls));
            } else {
                EXPECT_EQ(FindResourceA(scr_.module, name, MAKEINTRESOURCEA(5)), nullptr);
            }
        }
    }
    DestroyWindow(parent);
}

TEST_F(ProgramResourcesTest, EveryTextFitsItsControlInEveryLanguage) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const DialogControlSet& dialog : kDialogs) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const char* name = TextIn(dialog.dialog, language);
            HWND window = CreateDialogWindow(exe_.module, name, parent);
            ASSERT_NE(window, nullptr) << name;
            for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                std::string overflow = TextOverflow(child);
                EXPECT_EQ(overflow, "") << name;
            }
            DestroyWindow(window);
        }
    }
    DestroyWindow(parent);
}

TEST_F(ProgramResourcesTest, TrayMenuHasOnePopupPerLanguageWithTheSameCommands) {
    // The popup's items from top to bottom, 0 for a separator.
    const std::vector<uint16_t> expected = {
        kCommandEnableChanger,
        kCommandChangeWallpaper,
        kCommandRemoveWallpaper,
        kCommandRefreshDesktop,
        kCommandHideDesktopIcons,
        0,
        kCommandEnableScreensaver,
        kCommandLaunchScreensaver,
        0,
        kCommandOpen,
        kCommandSettings,
        0,
        kCommandDownloadImages,
        kCommandHelp,
        kCommandAbout,
        0,
        kCommandExit,
    };
    HMENU menu = LoadMenuA(exe_.module, "MENUTAPESTRIQUE");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), kLanguageCount);
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(LanguageCodeAt(language));
        HMENU popup = GetSubMenu(menu, language);
        ASSERT_NE(popup, nullptr);
        std::vector<uint16_t> items;
        for (int position = 0; position < GetMenuItemCount(popup); ++position) {
            items.push_back(static_cast<uint16_t>(GetMenuItemID(popup, position)));
        }
        EXPECT_EQ(items, expected);
        // The items that the window writes again with their hotkeys start from the same texts.
        for (const HotkeyEntry& hotkey : kHotkeyTable) {
            char text[128] = {};
            GetMenuStringA(popup, hotkey.command, text, sizeof text, MF_BYCOMMAND);
            EXPECT_STREQ(text, TextIn(hotkey.menuText, language));
        }
    }
    EXPECT_EQ(LoadMenuA(scr_.module, "MENUTAPESTRIQUE"), nullptr);
    DestroyMenu(menu);
}

TEST_F(ProgramResourcesTest, BothProgramsCarryIconsCursorsAndVersion) {
    const struct {
        const char* name;
        int size;
    } kIcons[] = {{"ICONTAPESTRIQUE16X16", 16}, {"ICONTAPESTRIQUE32X32", 32}};
    for (const Program& program : {exe_, scr_}) {
        SCOPED_TRACE(program.name);
        ASSERT_NE(program.module, nullptr);
        for (const auto& icon : kIcons) {
            // The resource's own size, as start-up loads them.
            auto handle = static_cast<HICON>(LoadImageA(program.module, icon.name, IMAGE_ICON, 0, 0, 0));
            ASSERT_NE(handle, nullptr) << icon.name;
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(handle, &info));
            BITMAP colour = {};
            GetObjectA(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, icon.size) << icon.name;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(handle);
        }
        for (const char* cursor : {"CURSORHAND", "CURSORNORMAL"}) {
            HANDLE handle = LoadImageA(program.module, cursor, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
            EXPECT_NE(handle, nullptr) << cursor;
            if (handle != nullptr) DestroyCursor(static_cast<HCURSOR>(handle));
        }

        std::vector<char> block = VersionBlock(program.path.c_str());
        ASSERT_FALSE(block.empty());
        char* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                                   reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, "1.0.01");
        VS_FIXEDFILEINFO* fixed = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    }
    char name[64] = {};
    LoadStringA(scr_.module, 1, name, sizeof name);
    EXPECT_STREQ(name, "Tapestrique");
}

TEST_F(ProgramResourcesTest, ManifestBringsCommonControls6AndPerMonitorDpiAwareness) {
    // Version 6 lives side by side with the old library, and the system loads it only for a
    // program whose manifest asks for it. (Under Wine both report 5.81 as their own version,
    // so the folder it came from is what tells.)
    char library[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), library, sizeof library);
    std::string folder = library;
    std::transform(folder.begin(), folder.end(), folder.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    EXPECT_NE(folder.find("\\winsxs\\"), std::string::npos) << library;
    EXPECT_NE(folder.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << library;

    using ThreadContext = HANDLE(WINAPI*)();
    using AwarenessOf = int(WINAPI*)(HANDLE);
    auto threadContext = SystemFunction<ThreadContext>("user32.dll", "GetThreadDpiAwarenessContext");
    auto awarenessOf = SystemFunction<AwarenessOf>("user32.dll", "GetAwarenessFromDpiAwarenessContext");
    ASSERT_NE(threadContext, nullptr);
    ASSERT_NE(awarenessOf, nullptr);
    const int kPerMonitorAware = 2;
    EXPECT_EQ(awarenessOf(threadContext()), kPerMonitorAware);
}
