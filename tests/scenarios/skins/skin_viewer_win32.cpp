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

#include "ui/data_resource.h"
#include "ui/localization/language.h"
#include "ui/skin_win32.h"
#include "ui/skin_fonts_win32.h"

namespace {

struct Viewer {
    Skin skin;
    bool pictureSet = false;  // no background: buttons shown side by side on a dialog face
    HWND hovered = nullptr;
};

Viewer g_viewer;

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// The state number of an owner-drawn button, from its draw flags and the hover state.
uint8_t ButtonState(const DRAWITEMSTRUCT& item) {
    if (item.itemState & ODS_DISABLED) return kButtonDisabled;
    uint8_t state = kButtonNormal;
    if (item.hwndItem == g_viewer.hovered) state = kButtonHover;
    if (item.itemState & ODS_SELECTED) state = kButtonPressed;
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ++state;
    return state;
}

void PaintPictureSet(HDC dc) {
    RECT client;
    GetClientRect(WindowFromDC(dc), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    // Each button of the set in one row per state, so the screenshot shows every picture.
    const uint8_t states[] = {kButtonNormal, kButtonHover, kButtonPressed, kButtonNormalFocused, kButtonDisabled};
    int y = 12;
    for (uint8_t state : states) {
        int x = 12;
        for (const SkinElement& element : g_viewer.skin.elements) {
            HBITMAP picture = FindStatePicture(element, state);
            if (picture != nullptr) DrawBitmap(dc, picture, x, y, element.width, element.height);
            x += element.width + 8;
        }
        y += 32;
    }
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT& item) {
    SkinElement* element = FindElementById(g_viewer.skin, item.CtlID);
    if (element == nullptr) return 1;
    HBITMAP picture = FindStatePicture(*element, ButtonState(item));
    if (picture != nullptr) DrawBitmap(item.hDC, picture, 0, 0, element->width, element->height);
    return 1;
}

LRESULT OnColourStatic(HDC dc, HWND control) {
    SkinElement* element = FindElementByWindow(g_viewer.skin, control);
    if (element == nullptr || element->kind != kSkinLabel) return 0;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, element->textColour);
    return reinterpret_cast<LRESULT>(element->backgroundBrush != nullptr ? element->backgroundBrush
                                                                         : GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK ViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_ERASEBKGND:
            if (g_viewer.pictureSet) {
                PaintPictureSet(reinterpret_cast<HDC>(wParam));
            } else if (g_viewer.skin.background != nullptr) {
                DrawBitmap(reinterpret_cast<HDC>(wParam), g_viewer.skin.background, 0, 0, g_viewer.skin.backgroundWidth,
                           g_viewer.skin.backgroundHeight);
            }
            return 1;
        case WM_CTLCOLORSTATIC: {
            LRESULT brush = OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            return brush != 0 ? brush : DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_DRAWITEM:
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DESTROY:
            FreeSkin(g_viewer.skin);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void SetControlText(uint32_t id, const char* text) {
    SkinElement* element = FindElementById(g_viewer.skin, id);
    if (element != nullptr && element->window != nullptr) SetWindowTextA(element->window, text);
}

void Disable(uint32_t id) {
    SkinElement* element = FindElementById(g_viewer.skin, id);
    if (element != nullptr && element->window != nullptr) EnableWindow(element->window, FALSE);
}

// What the windows show in daily use: a few pictures in the list, one selected, its details.
void FillSampleContent(const char* entry) {
    if (std::strcmp(entry, "SkinDefault") == 0) {
        SkinElement* list = FindElementById(g_viewer.skin, 107);
        if (list != nullptr && list->window != nullptr) {
            for (const char* title : {"Autumn lake at dawn", "Harbour lights", "Lavender fields", "Mountain pass",
                                      "Old town roofs", "Winter birches", "Coral reef", "Desert dunes"}) {
                SendMessageA(list->window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
            }
            SendMessageA(list->window, LB_SETCURSEL, 3, 0);
        }
        // The count as the program words it in each language (code page 1252).
        const char* const counts[kLanguageCount] = {"8 imatges", "8 images", "8 im\xE1genes", "8 images"};
        SetControlText(102, counts[LanguageIndex()]);
        SetControlText(101, "(1920x1080 - 412K)");
        Disable(111);
        SkinElement* preview = FindElementById(g_viewer.skin, 106);
        if (preview != nullptr && preview->window != nullptr) {
            SendMessageA(preview->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(preview->picture));
        }
    } else if (std::strcmp(entry, "SkinInitialization") == 0) {
        SetControlText(126, "Reading list of images...");
        SkinElement* bar = FindElementById(g_viewer.skin, 127);
        if (bar != nullptr && bar->window != nullptr) SendMessageA(bar->window, PBM_SETPOS, 40, 0);
    } else if (std::strcmp(entry, "SkinNewImage") == 0) {
        SetControlText(123, "New image available:");
        SetControlText(125, "Autumn lake at dawn");
        SkinElement* thumbnail = FindElementById(g_viewer.skin, 124);
        if (thumbnail != nullptr && thumbnail->window != nullptr) {
            SendMessageA(thumbnail->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(thumbnail->picture));
        }
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
bool ScreenShowsBackground(HWND window) {
    if (g_viewer.skin.background == nullptr) return true;
    POINT at = {6, 6};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF shown = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, g_viewer.skin.background);
    COLORREF expected = GetPixel(memory, 6, 6);
    SelectObject(memory, old);
    DeleteDC(memory);
    return shown == expected;
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
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 2;

    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource(entry, &record, &size) != 0) return 2;
    g_viewer.pictureSet = std::strcmp(entry, "SkinDialogSettingsScreensaver") == 0;
    int result = ParseSkin(record, size, g_viewer.skin, window, !g_viewer.pictureSet, !g_viewer.pictureSet);
    std::free(record);
    if (result != 0) {
        std::fprintf(stderr, "skin_viewer: %s does not parse (%d)\n", entry, result);
        return 2;
    }
    int width = g_viewer.pictureSet ? 160 : g_viewer.skin.backgroundWidth;
    int height = g_viewer.pictureSet ? 176 : g_viewer.skin.backgroundHeight;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    FillSampleContent(entry);
    // Topmost, so that no other window of the desktop (an explorer window, say) hides it.
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    SkinElement* focused = FindElementById(g_viewer.skin, 107);
    if (focused != nullptr) SetFocus(focused->window);
    PumpFor(700);
    ClearTheStage(window);
    PumpFor(500);
    bool shown = ScreenShowsBackground(window);

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
