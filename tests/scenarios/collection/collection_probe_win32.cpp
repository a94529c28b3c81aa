// Drives a running Tapestrique.exe's collection commands from outside, as another program on
// the same desktop: presses the main window's controls, selects a title, reads and answers the
// dialogs and message boxes the program opens, fills the open-file dialog, and works the
// buttons over a picture opened from a command line. It must run on the program's desktop.
// Prints lines of key=value; texts are printed with a line break written as \n.
//
//   collection_probe main SECONDS          waits for the main window: count (the label),
//                                          titles (the list, joined by |), selected, list (the
//                                          list's handle: a rebuilt window has a new one)
//   collection_probe press ID              clicks a main-window control (posted, so that the
//                                          dialogs it opens do not hold the probe)
//   collection_probe select TITLE          selects a listed title (any letter case), as a click
//   collection_probe dialog SECONDS [ID]   waits for the program's front dialog (one with the
//                                          control ID, if given): caption, text (each static),
//                                          field (ID:text of each edit), button (ID:enabled:text)
//   collection_probe answer ID             clicks the button ID of the front dialog and waits
//                                          until it has closed or another dialog came over it
//   collection_probe field ID TEXT         sets the text of the front dialog's field ID
//   collection_probe open-files SECONDS NAMES  types NAMES into the open-file dialog's file
//                                          name and presses its OK button; caption
//   collection_probe no-dialog SECONDS     waits until the program shows no dialog
//   collection_probe picture SECONDS       waits for the picture opened from a command line:
//                                          picture (its title), rect, button (as dialog)
//   collection_probe picture-press ID      clicks a button over that picture (Close: and waits
//                                          until the picture has gone)
//   collection_probe exit SECONDS          ends the program with its menu's command and waits
//                                          for its main window to go
//
// Exit codes: 0 done, 1 the window or the condition did not come in time, 64 wrong usage.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window/menu_commands.h"
#include "tests/scenarios/tapestrique_exe/exe_windows_win32.h"
#include "ui/control_ids.h"

namespace {

constexpr char kDialogClass[] = "#32770";

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    // Asked for by message: the text of another process's control is not cached in its window.
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

// One line per printed text: line breaks written as \n, carriage returns dropped.
std::string Printable(const std::string& text) {
    std::string printed;
    for (char c : text) {
        if (c == '\n') {
            printed += "\\n";
        } else if (c != '\r') {
            printed += c;
        }
    }
    return printed;
}

DWORD ProgramProcess() {
    DWORD process = 0;
    HWND main = FindMainWindow();
    if (main != nullptr) GetWindowThreadProcessId(main, &process);
    return process;
}

std::vector<HWND> ProgramDialogs() {
    struct Search {
        DWORD process;
        std::vector<HWND> dialogs;
    } search{ProgramProcess(), {}};
    if (search.process == 0) return {};
    EnumWindows(
        [](HWND window, LPARAM argument) -> BOOL {
            auto* found = reinterpret_cast<Search*>(argument);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == found->process && IsWindowVisible(window) && ClassOf(window) == kDialogClass) {
                found->dialogs.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.dialogs;
}

// The dialog the user answers next: the one that owns no other open dialog of the program (a
// message box over the import's progress, the name question over the rename dialog).
HWND FrontDialog() {
    const std::vector<HWND> dialogs = ProgramDialogs();
    for (HWND candidate : dialogs) {
        bool owner = false;
        for (HWND other : dialogs) owner = owner || GetWindow(other, GW_OWNER) == candidate;
        if (!owner) return candidate;
    }
    return nullptr;
}

void PrintDialog(HWND dialog) {
    std::printf("caption=%s\n", Printable(WindowText(dialog)).c_str());
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(control);
        const int id = GetDlgCtrlID(control);
        const std::string text = Printable(WindowText(control));
        if (lstrcmpiA(kind.c_str(), "Static") == 0 && !text.empty()) {
            std::printf("text=%s\n", text.c_str());
        } else if (lstrcmpiA(kind.c_str(), "Edit") == 0) {
            std::printf("field=%d:%s\n", id, text.c_str());
        } else if (lstrcmpiA(kind.c_str(), "Button") == 0) {
            std::printf("button=%d:%d:%s\n", id, IsWindowEnabled(control) != FALSE, text.c_str());
        }
    }
}

// A click of the button `id` of a window, as the button itself reports it.
bool PostClick(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    return window != nullptr &&
           PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control)) != FALSE;
}

// An entry of a list in another process, asked for in UTF-16: Wine hands an ANSI request for a
// list's text across processes over in UTF-16 all the same.
std::string ListText(HWND list, LRESULT index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (index == LB_ERR || length == LB_ERR) return {};
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    char text[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

int WaitMain(int seconds) {
    HWND main = nullptr;
    if (!WaitUntil([&] { return (main = FindMainWindow()) != nullptr && IsWindowVisible(main); }, seconds)) return 1;
    std::printf("count=%s\n", WindowText(GetDlgItem(main, kMainCountLabel)).c_str());
    HWND list = GetDlgItem(main, kMainPictureList);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    std::string titles;
    for (LRESULT index = 0; index < count; ++index) {
        if (index > 0) titles += '|';
        titles += ListText(list, index);
    }
    std::printf("titles=%s\nselected=%s\nlist=%llx\n", titles.c_str(),
                ListText(list, SendMessageA(list, LB_GETCURSEL, 0, 0)).c_str(),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(list)));
    return 0;
}

int Press(int id) {
    return PostClick(FindMainWindow(), id) ? 0 : 1;
}

int Select(const char* title) {
    HWND main = FindMainWindow();
    HWND list = GetDlgItem(main, kMainPictureList);
    // Whole titles only: LB_SELECTSTRING would also take a title that merely begins so.
    const LRESULT index =
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(title));
    if (index == LB_ERR || SendMessageA(list, LB_SETCURSEL, index, 0) == LB_ERR) return 1;
    // A program's own selection change is not notified: the list's click is.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(kMainPictureList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return 0;
}

int WaitDialog(int seconds, int id) {
    HWND dialog = nullptr;
    const bool shown = WaitUntil(
        [&] {
            dialog = FrontDialog();
            return dialog != nullptr && (id == 0 || GetDlgItem(dialog, id) != nullptr);
        },
        seconds);
    if (!shown) {
        if (dialog != nullptr) PrintDialog(dialog);  // what came instead
        return 1;
    }
    PrintDialog(dialog);
    return 0;
}

// Waits until the answer has been taken: the dialog closed, or another came over it.
int Answer(int id) {
    HWND dialog = FrontDialog();
    if (!PostClick(dialog, id)) return 1;
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog) || FrontDialog() != dialog; }, 10) ? 0
                                                                                                                   : 1;
}

int SetField(int id, const char* text) {
    HWND field = EditOf(GetDlgItem(FrontDialog(), id));
    if (field == nullptr) return 1;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return 0;
}

int OpenFiles(int seconds, const char* names) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FrontDialog()) != nullptr && FileNameField(dialog) != nullptr; }, seconds)) {
        return 1;
    }
    std::printf("caption=%s\n", Printable(WindowText(dialog)).c_str());
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names));
    return PostClick(dialog, IDOK) ? 0 : 1;
}

int WaitNoDialog(int seconds) {
    return WaitUntil([] { return FrontDialog() == nullptr; }, seconds) ? 0 : 1;
}

HWND PictureButtons() {
    HWND picture = FindWindowA(kPictureWindowClass, nullptr);
    return picture != nullptr ? FindPictureButtons(picture) : nullptr;
}

int WaitPicture(int seconds) {
    HWND picture = nullptr;
    const bool shown = WaitUntil(
        [&] {
            picture = FindWindowA(kPictureWindowClass, nullptr);
            return picture != nullptr && IsWindowVisible(picture) && PictureButtons() != nullptr;
        },
        seconds);
    if (!shown) return 1;
    RECT rect = {};
    GetWindowRect(picture, &rect);
    std::printf("picture=%s\nrect=%ld %ld %ld %ld\n", WindowText(picture).c_str(), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
    PrintDialog(PictureButtons());
    return 0;
}

// Close waits until the picture has gone.
int PicturePress(int id) {
    if (!PostClick(PictureButtons(), id)) return 1;
    if (id != kDialogCancel) return 0;
    return WaitUntil([] { return FindWindowA(kPictureWindowClass, nullptr) == nullptr; }, 10) ? 0 : 1;
}

int Exit(int seconds) {
    HWND main = FindMainWindow();
    if (main == nullptr || !PostMessageA(main, WM_COMMAND, kCommandExit, 0)) return 1;
    return WaitUntil([] { return FindMainWindow() == nullptr; }, seconds) ? 0 : 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: collection_probe main SECONDS | press ID | select TITLE | dialog SECONDS [ID] |\n"
                 "       answer ID | field ID TEXT | open-files SECONDS NAMES | no-dialog SECONDS |\n"
                 "       picture SECONDS | picture-press ID | exit SECONDS\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string action = argv[1];
    const int number = std::atoi(argv[2]);
    if (action == "main") return WaitMain(number);
    if (action == "press") return Press(number);
    if (action == "select") return Select(argv[2]);
    if (action == "dialog") return WaitDialog(number, argc > 3 ? std::atoi(argv[3]) : 0);
    if (action == "answer") return Answer(number);
    if (action == "field" && argc == 4) return SetField(number, argv[3]);
    if (action == "open-files" && argc == 4) return OpenFiles(number, argv[3]);
    if (action == "no-dialog") return WaitNoDialog(number);
    if (action == "picture") return WaitPicture(number);
    if (action == "picture-press") return PicturePress(number);
    if (action == "exit") return Exit(number);
    return Usage();
}
