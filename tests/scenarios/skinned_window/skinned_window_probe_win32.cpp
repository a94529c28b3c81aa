// Drives a skinned window made from "SkinDefault" on the Wine desktop with real mouse and
// keyboard input, and an ordinary window beside it with a filtered name field and a
// transparent bitmap control. What the screen shows is compared with the skin's pictures.
//
//   skinned_window_probe DAT STAGE-DIR
//
// At each stage the probe writes STAGE-DIR/NAME.ready ("x y width height" of the area to
// keep) and waits for STAGE-DIR/NAME.done, so that the scenario can take its screenshot.
// Prints one line per check; exits 0 when all hold, 3 otherwise, 2 when the skin does not load.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "ui/control_subclasses_win32.h"
#include "ui/data_resource.h"
#include "ui/dialog_bitmap_win32.h"
#include "ui/localization/language.h"
#include "ui/skin_cursors_win32.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skinned_window_win32.h"
#include "ui/window_helpers_win32.h"
#include "win32/dib_frame_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr SkinnedWindowRules kMainRules = {.dragByBackground = true, .moveFocusWithKeys = true};
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kRenameField = 300;

struct Probe {
    SkinnedWindow skinned;
    std::string stageDir;
    int failures = 0;
};

void Check(Probe& probe, bool holds, const std::string& what) {
    std::printf("%s: %s\n", holds ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!holds) ++probe.failures;
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Probe* probe = AttachedWindowState<Probe>(window, message, lParam);
    if (probe == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleSkinnedWindowMessage(probe->skinned, kMainRules, window, message, wParam, lParam, result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
}

// Pumps until the condition holds or the time is up (the desktop is slow when the machine is
// busy); whether it holds.
template <typename Condition>
bool PumpUntil(Condition holds, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!holds()) {
        if (GetTickCount() - start >= milliseconds) return false;
        Pump(50);
    }
    return true;
}

// Windows of other programs on the desktop (the file window that explorer may open late) are
// minimised, so that the screen shows the probe's windows, and `window` comes to the top.
BOOL CALLBACK MinimiseOtherProgram(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(window) &&
        (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        ShowWindow(window, SW_MINIMIZE);
    }
    return TRUE;
}

void BringToTheTop(HWND window) {
    EnumWindows(MinimiseOtherProgram, 0);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    Pump(200);
}

// Hands the screen to the scenario for a screenshot of `window`'s area and waits for it.
void Stage(const Probe& probe, const char* name, HWND window) {
    Pump(400);
    RECT area;
    GetWindowRect(window, &area);
    const std::string ready = probe.stageDir + "\\" + name + ".ready";
    const std::string done = probe.stageDir + "\\" + name + ".done";
    if (FILE* file = std::fopen(ready.c_str(), "w")) {
        std::fprintf(file, "%ld %ld %ld %ld\n", area.left, area.top, area.right - area.left, area.bottom - area.top);
        std::fclose(file);
    }
    for (int waited = 0; waited < 300 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        Pump(100);
    }
}

// The pixels of a screen rectangle, or of a bitmap, as frame pixels (row by row).
std::vector<uint32_t> Pixels(HDC source, int x, int y, int width, int height) {
    DibFrame frame;
    if (!frame.Create(width, height)) return {};
    BitBlt(frame.Dc(), 0, 0, width, height, source, x, y, SRCCOPY);
    std::vector<uint32_t> pixels;
    for (int row = 0; row < height; ++row) {
        const uint32_t* line = frame.View().Row(row);
        pixels.insert(pixels.end(), line, line + width);
    }
    return pixels;
}

std::vector<uint32_t> ScreenPixels(HWND window, int width, int height) {
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    WindowDc screen(nullptr);
    return Pixels(screen.Get(), corner.x, corner.y, width, height);
}

std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    MemoryDc memory(CreateCompatibleDC(nullptr));
    ScopedSelect selected(memory.Get(), bitmap);
    return Pixels(memory.Get(), 0, 0, width, height);
}

const SkinElement& ElementOf(const Probe& probe, uint32_t id) {
    return *FindElementById(probe.skinned.skin, id);
}

// Whether the button's area on the screen is exactly its picture for `state`.
bool ShowsState(const Probe& probe, uint32_t id, uint8_t state) {
    const SkinElement& button = ElementOf(probe, id);
    HBITMAP picture = FindStatePicture(button, state);
    return picture != nullptr && ScreenPixels(button.window, button.width, button.height) ==
                                     BitmapPixels(picture, button.width, button.height);
}

void CheckState(Probe& probe, uint32_t id, uint8_t state, const char* why) {
    Check(probe, PumpUntil([&] { return ShowsState(probe, id, state); }),
          "button " + std::to_string(id) + " in state " + std::to_string(state) + " (" + why + ")");
}

// The mouse moved onto the middle of a control by input, as a user moves it: placed next to
// the point, then moved by the last two pixels (Wine reports a placement alone late or never).
void MoveMouseOnto(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    const POINT placed = {(rect.left + rect.right) / 2 - 2, (rect.top + rect.bottom) / 2 - 2};
    SetCursorPos(placed.x, placed.y);
    (void)PumpUntil([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == placed.x && at.y == placed.y;
    });
    Pump(300);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = 2;
    input.mi.dy = 2;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof inputs[0]);
    Pump(150);
}

void TypeCharacter(wchar_t character) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wScan = inputs[1].ki.wScan = character;
    inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
    inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof inputs[0]);
    Pump(150);
}

void CheckFaceAndButtons(Probe& probe, HWND window) {
    const Skin& skin = probe.skinned.skin;
    // The top-left corner carries no control: the background shows there as it is.
    const std::vector<uint32_t> face = BitmapPixels(skin.background.Get(), 20, 10);
    Check(probe, !face.empty() && PumpUntil([&] { return ScreenPixels(window, 20, 10) == face; }),
          "the background is the skin's picture");
    CheckState(probe, kMainImportButton, kButtonNormal, "normal");
    CheckState(probe, kMainSetWallpaperButton, kButtonNormal, "normal");
    CheckState(probe, kMainShowCurrentButton, kButtonDisabled, "disabled");
}

void CheckHover(Probe& probe) {
    const SkinElement& first = ElementOf(probe, kMainImportButton);
    const SkinElement& second = ElementOf(probe, kMainExportButton);
    Check(probe,
          BitmapPixels(FindStatePicture(first, kButtonHover), first.width, first.height) !=
              BitmapPixels(FindStatePicture(first, kButtonNormal), first.width, first.height),
          "the skin's hover picture differs from the normal one");
    MoveMouseOnto(first.window);
    Check(probe, PumpUntil([&] { return probe.skinned.hovered == first.window; }),
          "the mouse over the first button is reported");
    CheckState(probe, kMainImportButton, kButtonHover, "hovered");
    Check(probe, GetCursor() == SkinCursor(true), "the hand over a button");
    MoveMouseOnto(second.window);
    CheckState(probe, kMainImportButton, kButtonNormal, "left");
    CheckState(probe, kMainExportButton, kButtonHover, "hovered next");
}

void CheckPressedFocusedHovered(Probe& probe) {
    HWND button = ElementOf(probe, kMainExportButton).window;
    SendMessageA(button, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(button);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    Pump(300);
    CheckState(probe, kMainExportButton, kButtonPressedFocused, "pressed, focused and hovered");
}

void CheckTabWalk(Probe& probe, HWND window) {
    SendMessageA(ElementOf(probe, kMainExportButton).window, BM_SETSTATE, FALSE, 0);
    SetForegroundWindow(window);
    SetFocus(ElementOf(probe, kMainPictureList).window);
    Pump(200);
    // The main window's chain, with "Show current" disabled and jumped over.
    const uint32_t expected[] = {kMainImportButton,
                                 kMainExportButton,
                                 kMainRenameButton,
                                 kMainDeleteButton,
                                 kMainSetWallpaperButton,
                                 kMainChangeWallpaperButton,
                                 kMainRemoveWallpaperButton,
                                 kMainDownloadButton,
                                 kMainSettingsButton,
                                 kMainHelpButton,
                                 kMainAboutButton,
                                 kMainCloseButton,
                                 kMainPictureList};
    std::string walked;
    bool followed = true;
    for (uint32_t id : expected) {
        PressKey(VK_TAB);
        HWND target = ElementOf(probe, id).window;
        (void)PumpUntil([&] { return GetFocus() == target; }, 3000);
        HWND focus = GetFocus();
        walked += std::to_string(focus != nullptr ? GetDlgCtrlID(focus) : 0) + " ";
        followed = followed && focus == target;
    }
    Check(probe, followed, "Tab walks the chain: " + walked);
}

LRESULT CALLBACK RenameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRenameWindow(HWND beside) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RenameProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "TapestriqueRenameProbe_WndClass";
    RegisterClassA(&windowClass);
    RECT mainRect;
    GetWindowRect(beside, &mainRect);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Rename", WS_POPUP | WS_BORDER, mainRect.right + 10,
                        mainRect.top, 220, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
    CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 196, 24, window,
                    reinterpret_cast<HMENU>(UINT_PTR{kRenameField}), windowClass.hInstance, nullptr);
    (void)CreateDialogBitmap(window, kRenameField, 0, 40, 166, 36, "BitmapAboutTapestrique_TrFF00FF", true, kMagenta);
    return window;
}

void CheckNameFilter(Probe& probe, HWND rename) {
    HWND field = GetDlgItem(rename, kRenameField);
    Check(probe, SubclassNameFilter(field), "the name field is filtered");
    SetForegroundWindow(rename);
    SetFocus(field);
    Pump(200);
    for (wchar_t typed : {L'A', L':', L'\u00E9', L'?', L't'}) TypeCharacter(typed);
    char text[32] = {};
    (void)PumpUntil([&] {
        GetWindowTextA(field, text, sizeof text);
        return std::string(text).size() >= 3;
    });
    Pump(300);  // a refused character that came late would show now
    GetWindowTextA(field, text, sizeof text);
    Check(probe, std::string(text) == "A\xE9t", std::string("typed A:\xE9?t, the field holds ") + text);
}

void CheckDialogBitmap(Probe& probe, HWND rename) {
    HWND control = FindWindowExA(rename, nullptr, kDialogBitmapClass, nullptr);
    Check(probe, control != nullptr, "the bitmap control exists");
    if (control == nullptr) return;
    const std::vector<uint32_t> shown = ScreenPixels(control, 166, 36);
    const COLORREF faceColour = GetSysColor(COLOR_BTNFACE);
    const uint32_t face = FramePixel(GetRValue(faceColour), GetGValue(faceColour), GetBValue(faceColour));
    const uint32_t magenta = FramePixel(255, 0, 255);
    size_t faces = 0, keys = 0;
    for (uint32_t pixel : shown) {
        faces += pixel == face;
        keys += pixel == magenta;
    }
    Check(probe, !shown.empty() && keys == 0 && faces > shown.size() / 10 && faces < shown.size(),
          "the bitmap shows its lettering over the window's face, the key colour left out (" + std::to_string(faces) +
              " of " + std::to_string(shown.size()) + " pixels show the face)");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: skinned_window_probe DAT STAGE-DIR\n");
        return 64;
    }
    SetDataResourcePath(argv[1]);
    if (!SetLanguageIndex(kLanguageEnglish)) return 2;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateSkinFonts()) return 2;
    LoadSkinCursors(false);

    Probe probe;
    probe.stageDir = argv[2];
    constexpr char kClassName[] = "TapestriqueSkinnedWindowProbe_WndClass";
    if (!RegisterProgramWindowClass(kClassName, MainProcedure, false)) return 2;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "Tapestrique skinned window", WS_POPUP, 20, 20, 10, 10,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), &probe);
    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (window == nullptr || LoadDataResource("SkinDefault", &record, &size) != 0) return 2;
    const int parsed = ParseSkin(record, size, probe.skinned.skin, window, true, true);
    std::free(record);
    if (parsed != 0) return 2;
    EnableWindow(ElementOf(probe, kMainShowCurrentButton).window, FALSE);
    SetWindowPos(window, nullptr, 0, 0, probe.skinned.skin.backgroundWidth, probe.skinned.skin.backgroundHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    Pump(600);

    BringToTheTop(window);
    CheckFaceAndButtons(probe, window);
    Stage(probe, "default", window);
    BringToTheTop(window);
    CheckHover(probe);
    Stage(probe, "hover", window);
    BringToTheTop(window);
    CheckPressedFocusedHovered(probe);
    Stage(probe, "pressed", window);
    BringToTheTop(window);
    CheckTabWalk(probe, window);

    HWND rename = CreateRenameWindow(window);
    BringToTheTop(rename);
    CheckNameFilter(probe, rename);
    CheckDialogBitmap(probe, rename);
    Stage(probe, "rename", rename);

    DestroyWindow(rename);
    FreeSkin(probe.skinned.skin);
    DestroyWindow(window);
    DeleteSkinFonts();
    std::printf("%d failures\n", probe.failures);
    return probe.failures == 0 ? 0 : 3;
}
