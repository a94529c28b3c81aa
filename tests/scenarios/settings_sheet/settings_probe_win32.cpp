// Looks at Tapestrique.exe's dialogs from outside and drives them as a user would, for the
// settings_sheet scenario. One action per run; what it finds goes to stdout as key=value lines.
//
//   main                    waits (60 s) for the main window
//   command ID              posts the main window the menu command ID
//   wait KIND [SECONDS]     waits for a dialog: sheet, about, welcome or message; prints its
//                           rectangle, its page's title (sheet) and its texts (message)
//   page N                  shows page N of the sheet
//   click ID                clicks control ID of the sheet's page (or of KIND with `in KIND`)
//   text ID VALUE           sets the text of a field of the sheet's page
//   press ok|apply|cancel   presses a button of the sheet
//   dismiss                 answers the open message box with its default button
//   state ID...             prints focused=, and checked, enabled and rect (on the desktop) of
//                           each of the page's controls
//   gone KIND [SECONDS]     waits until the dialog has gone
//   tour FOLDER SUFFIX      captures the welcome, the About box and the three pages of a first
//                           run into FOLDER\\<name>_SUFFIX.bmp, then ends the program
//   import-tracks NAMES     presses the Screensaver page's add button, picks NAMES ("a.wav"
//                           "b.wav") in the open-file dialog and follows the import until its
//                           progress dialog closes: positions= (each position its bar was
//                           given, in order, as a hook inside the program reports them),
//                           status= (each text it showed), message= (a message that stopped it)
// Exit status 0 on success, 1 when the window asked for is not there.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/scenarios/settings_sheet/progress_watch_win32.h"
#include "tests/scenarios/tapestrique_exe/exe_windows_win32.h"

namespace {

enum class Kind { Sheet, About, Welcome, Message, OpenFile, Import };

constexpr int kImportStatus = 1008;
constexpr int kImportProgress = 1009;
constexpr int kAddTrack = 1053;

bool ParseKind(const char* name, Kind& kind) {
    static const struct {
        const char* name;
        Kind kind;
    } kKinds[] = {
        {"sheet", Kind::Sheet}, {"about", Kind::About}, {"welcome", Kind::Welcome}, {"message", Kind::Message}};
    for (const auto& entry : kKinds) {
        if (std::strcmp(name, entry.name) == 0) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

HWND MainWindow() {
    return FindMainWindow();
}

bool IsKind(HWND window, Kind kind) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return false;
    const bool sheet = FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr;
    switch (kind) {
        case Kind::Sheet:
            return sheet;
        case Kind::About:
            return GetDlgItem(window, 1005) != nullptr;
        case Kind::Welcome:
            return GetDlgItem(window, 1094) != nullptr;
        case Kind::Message:
            return !sheet && GetDlgItem(window, 1005) == nullptr && GetDlgItem(window, 1094) == nullptr &&
                   GetDlgItem(window, kImportProgress) == nullptr && FileNameField(window) == nullptr;
        case Kind::OpenFile:
            return FileNameField(window) != nullptr;
        case Kind::Import:
            return GetDlgItem(window, kImportProgress) != nullptr;
    }
    return false;
}

struct Search {
    Kind kind;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HWND main = MainWindow();
    DWORD mainProcess = 0;
    if (main != nullptr) GetWindowThreadProcessId(main, &mainProcess);
    if (process == mainProcess && IsKind(window, search->kind)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(Kind kind) {
    Search search{kind};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitDialog(Kind kind, int seconds) {
    for (int tick = 0; tick < seconds * 10; ++tick) {
        if (HWND found = FindDialog(kind)) return found;
        Sleep(100);
    }
    return nullptr;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return line;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") == 0) {
        const std::string text = WindowText(child);
        if (!text.empty()) std::printf("text=%s\n", text.c_str());
    }
    return TRUE;
}

void PrintDialog(HWND dialog, Kind kind) {
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    std::printf("rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (kind == Kind::Sheet) std::printf("page=%s\n", WindowText(CurrentPage(dialog)).c_str());
    if (kind == Kind::Message) EnumChildWindows(dialog, PrintText, 0);
}

HWND FocusedWindow(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// The window as the screen shows it, written as a 24-bit BMP file.
bool Capture(HWND window, const std::string& path) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

bool WaitGone(Kind kind, int seconds) {
    for (int tick = 0; tick < seconds * 10; ++tick) {
        if (FindDialog(kind) == nullptr) return true;
        Sleep(100);
    }
    return false;
}

// The first run's welcome, the About box and the three pages, each captured into `folder`
// as <name>_<suffix>.bmp; then the program is told to end.
int Fail(const char* what);

int Tour(const std::string& folder, const std::string& suffix) {
    auto shot = [&](HWND window, const char* name) {
        // The dialog's thread may still be composing the first wallpaper (a large desktop takes
        // seconds): it answers once it is free, and then paints the dialog afresh, over what
        // the desktop painted meanwhile.
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Sleep(800);  // painted
        return Capture(window, folder + "\\" + name + "_" + suffix + ".bmp");
    };
    HWND welcome = WaitDialog(Kind::Welcome, 60);
    if (welcome == nullptr || !shot(welcome, "welcome")) return Fail("welcome");
    PostMessageA(GetDlgItem(welcome, 1), BM_CLICK, 0, 0);
    if (!WaitGone(Kind::Welcome, 20)) return Fail("welcome stays");
    PostMessageA(MainWindow(), WM_COMMAND, 40012, 0);
    HWND about = WaitDialog(Kind::About, 30);
    if (about == nullptr || !shot(about, "about")) return Fail("about");
    PostMessageA(GetDlgItem(about, 2), BM_CLICK, 0, 0);
    if (!WaitGone(Kind::About, 20)) return Fail("about stays");
    PostMessageA(MainWindow(), WM_COMMAND, 40008, 0);
    HWND sheet = WaitDialog(Kind::Sheet, 30);
    if (sheet == nullptr) return Fail("sheet");
    const char* pages[] = {"settings_general", "settings_wallpaper", "settings_screensaver"};
    for (int page = 0; page < 3; ++page) {
        SendMessageTimeoutA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        Sleep(500);  // the new page and the tabs repaint once the sheet's queue is empty
        if (!shot(sheet, pages[page])) return Fail(pages[page]);
    }
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    if (!WaitGone(Kind::Sheet, 20)) return Fail("sheet stays");
    PostMessageA(MainWindow(), WM_COMMAND, 40013, 0);
    return 0;
}

int Fail(const char* what) {
    std::printf("error=%s\n", what);
    return 1;
}

// The library beside this program, put on every thread of the desktop; null when it cannot be.
HHOOK HookProgressBars() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string library = path;
    library = library.substr(0, library.find_last_of('\\') + 1) + kProgressHookLibrary;
    HMODULE module = LoadLibraryA(library.c_str());
    if (module == nullptr) return nullptr;
    auto procedure =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, kProgressHookProcedure)));
    return procedure != nullptr ? SetWindowsHookExA(WH_CALLWNDPROC, procedure, module, 0) : nullptr;
}

void TakeReportedPositions(std::vector<WPARAM>& positions) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == kProgressPositionMessage) {
            positions.push_back(message.wParam);
        } else {
            DispatchMessageA(&message);
        }
    }
}

int ImportTracks(HWND sheet, const char* names) {
    WNDCLASSA watcherClass = {};
    watcherClass.lpfnWndProc = DefWindowProcA;
    watcherClass.hInstance = GetModuleHandleA(nullptr);
    watcherClass.lpszClassName = kProgressWatcherClass;
    RegisterClassA(&watcherClass);
    HWND watcher = CreateWindowExA(0, kProgressWatcherClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   watcherClass.hInstance, nullptr);
    HHOOK hook = HookProgressBars();
    if (watcher == nullptr || hook == nullptr) return Fail("no progress hook");
    PostMessageA(GetDlgItem(CurrentPage(sheet), kAddTrack), BM_CLICK, 0, 0);
    HWND picker = WaitDialog(Kind::OpenFile, 30);
    if (picker == nullptr) return Fail("no open-file dialog");
    SendMessageA(FileNameField(picker), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names));
    PostMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));

    std::vector<WPARAM> positions;
    std::vector<std::string> statuses;
    bool shown = false;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(10)) {
        TakeReportedPositions(positions);
        HWND progress = FindDialog(Kind::Import);
        if (progress == nullptr) {
            if (shown) break;
            continue;
        }
        shown = true;
        const std::string status = WindowText(GetDlgItem(progress, kImportStatus));
        if (!status.empty() && (statuses.empty() || statuses.back() != status)) statuses.push_back(status);
        if (HWND message = FindDialog(Kind::Message)) {
            PrintDialog(message, Kind::Message);
            break;
        }
    }
    Sleep(300);  // the last positions on their way
    TakeReportedPositions(positions);
    UnhookWindowsHookEx(hook);
    std::string list;
    for (WPARAM position : positions) {
        if (!list.empty()) list += ',';
        list += std::to_string(position);
    }
    std::printf("positions=%s\n", list.c_str());
    for (const std::string& status : statuses) std::printf("status=%s\n", status.c_str());
    return shown && FindDialog(Kind::Import) == nullptr ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("no action");
    const std::string action = argv[1];
    Kind kind = Kind::Sheet;
    if (action == "main") {
        for (int tick = 0; tick < 600; ++tick) {
            if (MainWindow() != nullptr) return 0;
            Sleep(100);
        }
        return Fail("no main window");
    }
    if (action == "tour" && argc >= 4) return Tour(argv[2], argv[3]);
    if (action == "command" && argc >= 3) {
        HWND main = MainWindow();
        if (main == nullptr) return Fail("no main window");
        PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[2])), 0);
        return 0;
    }
    if ((action == "wait" || action == "gone") && argc >= 3) {
        if (!ParseKind(argv[2], kind)) return Fail("unknown dialog");
        const int seconds = argc >= 4 ? std::atoi(argv[3]) : 30;
        if (action == "gone") {
            for (int tick = 0; tick < seconds * 10; ++tick) {
                if (FindDialog(kind) == nullptr) return 0;
                Sleep(100);
            }
            return Fail("still there");
        }
        HWND dialog = WaitDialog(kind, seconds);
        if (dialog == nullptr) return Fail("not found");
        Sleep(300);  // let it finish painting
        PrintDialog(dialog, kind);
        return 0;
    }
    if (action == "dismiss") {
        HWND box = WaitDialog(Kind::Message, 10);
        if (box == nullptr) return Fail("no message");
        PrintDialog(box, Kind::Message);
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return 0;
    }
    // The rest act on the sheet's current page, or on the dialog named after "in".
    int next = 2;
    if (argc >= 4 && std::strcmp(argv[2], "in") == 0) {
        if (!ParseKind(argv[3], kind)) return Fail("unknown dialog");
        next = 4;
    }
    HWND dialog = WaitDialog(kind, 10);
    if (dialog == nullptr) return Fail("no dialog");
    HWND target = kind == Kind::Sheet ? CurrentPage(dialog) : dialog;
    if (action == "page" && argc > next) {
        PostMessageA(dialog, PSM_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[next])), 0);
        Sleep(300);
        std::printf("page=%s\n", WindowText(CurrentPage(dialog)).c_str());
        return 0;
    }
    if (action == "click" && argc > next) {
        HWND control = GetDlgItem(target, std::atoi(argv[next]));
        if (control == nullptr) return Fail("no control");
        PostMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (action == "text" && argc > next + 1) {
        HWND control = GetDlgItem(target, std::atoi(argv[next]));
        if (control == nullptr) return Fail("no control");
        SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[next + 1]), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        return 0;
    }
    if (action == "import-tracks" && argc > next) return ImportTracks(dialog, argv[next]);
    if (action == "press" && argc > next) {
        const std::string button = argv[next];
        const WPARAM which = button == "ok" ? PSBTN_OK : button == "apply" ? PSBTN_APPLYNOW : PSBTN_CANCEL;
        PostMessageA(dialog, PSM_PRESSBUTTON, which, 0);
        return 0;
    }
    if (action == "state") {
        HWND focused = FocusedWindow(dialog);
        std::printf("focused=%d\n", focused != nullptr ? GetDlgCtrlID(focused) : 0);
        for (int index = next; index < argc; ++index) {
            HWND control = GetDlgItem(target, std::atoi(argv[index]));
            if (control == nullptr) return Fail("no control");
            RECT rect = {};
            GetWindowRect(control, &rect);
            std::printf("checked%s=%d\nenabled%s=%d\nrect%s=%ld,%ld,%ld,%ld\n", argv[index],
                        static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)), argv[index],
                        IsWindowEnabled(control) ? 1 : 0, argv[index], rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
        }
        return 0;
    }
    return Fail("unknown action");
}
