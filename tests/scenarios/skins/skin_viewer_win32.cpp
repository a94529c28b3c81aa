// Opens one skin of a data-resource file as a window on the desktop, filled with sample
// content, the way the program's skinned windows show it: the background, label colours and
// owner-drawn buttons in their states. Used by the skins scenario for its screenshots.
//
//   skin_viewer DAT ENTRY LANGUAGE RECT-FILE [SECONDS]
//
// Writes "x y width height" of the window to RECT-FILE once it has painted, checks that the
// screen shows the skin's background, stays up for SECONDS (default 4) and exits: 0 on
// success, 2 when the skin does not load, 3 when the screen does not show it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/language.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skin_win32.h"
#include "ui/skinned_controls_win32.h"
#include "win32/gdi_bridge_win32.h"
#include "win32/window_state_win32.h"

namespace {

struct Viewer {
    Skin skin;
    bool pictureSet = false;  // no background: buttons shown side by side on a dialog face
    HWND hovered = nullptr;
};

void PaintPictureSet(const Viewer& viewer, HDC dc) {
    RECT client;
    GetClientRect(WindowFromDC(dc), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    // Each button of the set in one row per state, so the screenshot shows every picture.
    const uint8_t states[] = {kButtonNormal, kButtonHover, kButtonPressed, kButtonNormalFocused, kButtonDisabled};
    int y = 12;
    for (uint8_t state : states) {
        int x = 12;
        for (const SkinElement& element : viewer.skin.elements) {
            HBITMAP picture = FindStatePicture(element, state);
            if (picture != nullptr) (void)DrawBitmapToDc(dc, picture, x, y, element.width, element.height, nullptr);
            x += element.width + 8;
        }
        y += 32;
    }
}

LRESULT OnEraseBackground(const Viewer& viewer, HDC dc) {
    if (viewer.pictureSet) {
        PaintPictureSet(viewer, dc);
    } else {
        PaintSkinBackground(viewer.skin, dc);
    }
    return 1;
}

LRESULT OnColourStatic(const Viewer& viewer, HWND window, WPARAM wParam, LPARAM lParam) {
    HBRUSH brush = ColourSkinLabel(viewer.skin, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(window, WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT OnDrawItem(const Viewer& viewer, const DRAWITEMSTRUCT& item) {
    (void)DrawSkinButton(viewer.skin, item, viewer.hovered);
    return 1;
}

LRESULT OnDestroy(Viewer& viewer) {
    FreeSkin(viewer.skin);
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK ViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Viewer* viewer = AttachedWindowState<Viewer>(window, message, lParam);
    if (viewer == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return OnEraseBackground(*viewer, reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORSTATIC:
            return OnColourStatic(*viewer, window, wParam, lParam);
        case WM_DRAWITEM:
            return OnDrawItem(*viewer, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DESTROY:
            return OnDestroy(*viewer);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void SetControlText(Viewer& viewer, uint32_t id, const char* text) {
    SkinElement* element = FindElementById(viewer.skin, id);
    if (element != nullptr && element->window != nullptr) SetWindowTextA(element->window, text);
}

// The windows of the preview and the thumbnail set their own picture; here, the skin's default.
void ShowDefaultPicture(Viewer& viewer, uint32_t id) {
    SkinElement* element = FindElementById(viewer.skin, id);
    if (element != nullptr && element->window != nullptr) {
        SendMessageA(element->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(element->picture.Get()));
    }
}

// What the windows show in daily use: a few pictures in the list, one selected, its details.
void FillSampleContent(Viewer& viewer, const char* entry) {
    if (std::strcmp(entry, "SkinDefault") == 0) {
        SkinElement* list = FindElementById(viewer.skin, kMainPictureList);
        if (list != nullptr && list->window != nullptr) {
            for (const char* title : {"Autumn lake at dawn", "Harbour lights", "Lavender fields", "Mountain pass",
                                      "Old town roofs", "Winter birches", "Coral reef", "Desert dunes"}) {
                SendMessageA(list->window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
            }
            SendMessageA(list->window, LB_SETCURSEL, 3, 0);
        }
        // The count as the program words it in each language (code page 1252).
        const char* const counts[kLanguageCount] = {"8 imatges", "8 images", "8 im\xE1genes", "8 images"};
        SetControlText(viewer, kMainCountLabel, counts[LanguageIndex()]);
        SetControlText(viewer, kMainDetailsLabel, "(1920x1080 - 412K)");
        SkinElement* showCurrent = FindElementById(viewer.skin, kMainShowCurrentButton);
        if (showCurrent != nullptr && showCurrent->window != nullptr) EnableWindow(showCurrent->window, FALSE);
        ShowDefaultPicture(viewer, kMainPreviewPicture);
    } else if (std::strcmp(entry, "SkinInitialization") == 0) {
        SetControlText(viewer, kInitializationStatusLabel, "Reading list of images...");
        SkinElement* bar = FindElementById(viewer.skin, kInitializationProgressBar);
        if (bar != nullptr && bar->window != nullptr) SendMessageA(bar->window, PBM_SETPOS, 40, 0);
    } else if (std::strcmp(entry, "SkinNewImage") == 0) {
        SetControlText(viewer, kNewImageHeadline, "New image available:");
        SetControlText(viewer, kNewImageDescription, "Autumn lake at dawn");
        ShowDefaultPicture(viewer, kNewImageThumbnail);
    }
}

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

// Other windows of the scenario's private desktop (an explorer window that opens late, say)
// are minimised so that the screenshot shows this window alone.
BOOL CALLBACK MinimiseOther(HWND window, LPARAM self) {
    if (window != reinterpret_cast<HWND>(self) && IsWindowVisible(window) &&
        (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        ShowWindow(window, SW_MINIMIZE);
    }
    return TRUE;
}

void ClearTheStage(HWND window) {
    EnumWindows(MinimiseOther, reinterpret_cast<LPARAM>(window));
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The screen pixel at a point of the window against the background bitmap's pixel there.
bool ScreenShowsBackground(const Viewer& viewer, HWND window) {
    if (!viewer.skin.background.IsValid()) return true;
    POINT at = {6, 6};
    ClientToScreen(window, &at);
    WindowDc screen(nullptr);
    const COLORREF shown = GetPixel(screen.Get(), at.x, at.y);
    MemoryDc memory(CreateCompatibleDC(nullptr));
    ScopedSelect selected(memory.Get(), viewer.skin.background.Get());
    return shown == GetPixel(memory.Get(), 6, 6);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: skin_viewer DAT ENTRY LANGUAGE RECT-FILE [SECONDS]\n");
        return 64;
    }
    const char* entry = argv[2];
    int seconds = argc > 5 ? std::atoi(argv[5]) : 4;
    SetDataResourcePath(argv[1]);
    if (!SetLanguageIndex(FindLanguageByCode(argv[3]))) return 64;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateSkinFonts()) return 2;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ViewerProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "TapestriqueSkinViewer_WndClass";
    RegisterClassA(&windowClass);
    char title[160];
    std::snprintf(title, sizeof title, "Tapestrique skin viewer - %s", entry);
    Viewer viewer;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, &viewer);
    if (window == nullptr) return 2;

    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(entry, &record, &size) != 0) return 2;
    viewer.pictureSet = std::strcmp(entry, "SkinDialogSettingsScreensaver") == 0;
    int result = ParseSkin(record, size, viewer.skin, window, !viewer.pictureSet, !viewer.pictureSet);
    std::free(record);
    if (result != 0) {
        std::fprintf(stderr, "skin_viewer: %s does not parse (%d)\n", entry, result);
        return 2;
    }
    int width = viewer.pictureSet ? 160 : viewer.skin.backgroundWidth;
    int height = viewer.pictureSet ? 176 : viewer.skin.backgroundHeight;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    FillSampleContent(viewer, entry);
    // Topmost, so that no other window of the desktop (an explorer window, say) hides it.
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    SkinElement* focused = FindElementById(viewer.skin, kMainPictureList);
    if (focused != nullptr) SetFocus(focused->window);
    PumpFor(700);
    ClearTheStage(window);
    PumpFor(500);
    bool shown = ScreenShowsBackground(viewer, window);

    FILE* rect = std::fopen(argv[4], "w");
    if (rect != nullptr) {
        std::fprintf(rect, "%d %d %d %d\n", x, y, width, height);
        std::fclose(rect);
    }
    PumpFor(static_cast<DWORD>(seconds) * 1000);
    DestroyWindow(window);
    DeleteSkinFonts();
    return shown ? 0 : 3;
}
