#include "app/collection/import_pictures_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window/main_window_win32.h"
#include "app/startup/startup_environment_win32.h"
#include "base/file_io.h"
#include "base/directory_listing.h"
#include "base/text_case.h"
#include "collection/picture_import.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"
#include "ui/worker_thread_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr DWORD kFileBufferCharacters = 16384;
constexpr DWORD kAllImageFormatsFilter = 13;
constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT |
                             OFN_HIDEREADONLY;
constexpr DWORD kWorkerStartDelay = 100;  // milliseconds before the first file

struct ImportJob {
    std::string folder;
    std::vector<std::string> names;
    std::string temporaryFolder;
    HWND mainWindow = nullptr;
    HWND dialog = nullptr;
    WorkerThread worker;
};

std::string SpecialFolder(int folder) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, folder, FALSE) || !IsExistingFolder(path)) return {};
    return path;
}

// Where the open-file dialog starts: the last import folder, My Pictures, My Documents or the
// installation, the first that exists.
std::string InitialFolder(const MainWindow& state) {
    const char* last = state.process->settings.szLastPathImportImages;
    if (last[0] != '\0' && IsExistingFolder(last)) return last;
    for (int folder : {CSIDL_MYPICTURES, CSIDL_PERSONAL}) {
        std::string path = SpecialFolder(folder);
        if (!path.empty()) return path;
    }
    return state.process->settings.InstallDir;
}

void ShowMessage(HWND owner, TextId text, const char* fileName) {
    char message[2048];
    std::snprintf(message, sizeof message, Text(text), fileName);
    MessageBoxA(owner, message, "Tapestrique", MB_ICONERROR);
}

// The picked files as one folder and its names, from the dialog's buffer (folder, NUL, names
// each ended by a NUL, an empty name at the end; one picked file is cut into the same shape).
bool SplitSelection(std::vector<char>& buffer, WORD nameOffset, ImportJob& job) {
    if (nameOffset == 0 || nameOffset >= buffer.size()) return false;
    buffer[nameOffset - 1] = '\0';
    job.folder = buffer.data();
    for (size_t at = nameOffset; at < buffer.size() && buffer[at] != '\0';) {
        job.names.emplace_back(&buffer[at]);
        at += job.names.back().size() + 1;
    }
    return !job.names.empty();
}

void RememberFolder(MainWindow& state, const std::string& folder) {
    Settings& settings = state.settings();
    if (EqualNoCaseCp1252(settings.szLastPathImportImages, folder) || folder.size() >= sizeof settings.szLastPathImportImages) {
        return;
    }
    std::snprintf(settings.szLastPathImportImages, sizeof settings.szLastPathImportImages, "%s", folder.c_str());
    (void)WriteSetting(state.store, settings, settings.szLastPathImportImages);
}

TextId RefusalText(ImportResult result) {
    switch (result) {
        case ImportResult::kOutOfMemory:
            return TextId::ImportOutOfMemory;
        case ImportResult::kNotAnImage:
            return TextId::ImportNotAnImage;
        case ImportResult::kSizeRefused:
            return TextId::ImportWrongSize;
        default:
            return TextId::ImportCannotOpen;
    }
}

void ImportOneFile(const ImportJob& job, size_t index) {
    const std::string& name = job.names[index];
    char status[1024];
    std::snprintf(status, sizeof status, Text(TextId::ProcessingFile), static_cast<int>(index + 1),
                  static_cast<int>(job.names.size()), name.c_str());
    (void)SendProgress(job.dialog, kProgressImport, kProgressUnchanged, status);

    PictureRecord record;
    const std::string path = PathInFolder(job.folder, name);
    const ImportResult result = PreparePictureImport(path.c_str(), job.temporaryFolder.c_str(), record);
    if (result != ImportResult::kImported) {
        ShowMessage(job.dialog, RefusalText(result), name.c_str());
        return;
    }
    // The collection and its list belong to the main window's thread, which stores it.
    SendMessageA(job.mainWindow, WM_APP_ADD_PICTURE, reinterpret_cast<WPARAM>(job.dialog),
                 reinterpret_cast<LPARAM>(&record));
    FreePicturePayload(record);
}

unsigned __stdcall ImportWorker(void* argument) {
    auto* job = static_cast<ImportJob*>(argument);
    HANDLE stop = job->worker.stopEvent.Get();
    Sleep(kWorkerStartDelay);
    const size_t count = job->names.size();
    for (size_t index = 0; index < count && !StopRequested(stop); ++index) {
        ImportOneFile(*job, index);
        (void)SendProgress(job->dialog, kProgressImport, static_cast<int32_t>((index + 1) * 100 / count), nullptr);
    }
    if (!StopRequested(stop)) PostMessageA(job->dialog, WM_COMMAND, kDialogCancel, 0);
    return 0;
}

INT_PTR OnProgressInit(ImportJob& job, HWND dialog) {
    job.dialog = dialog;
    SendDlgItemMessageA(dialog, kImportProgress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    CenterWindow(dialog, job.mainWindow, true);
    if (!StartWorkerThread(ImportWorker, &job, job.worker)) EndDialog(dialog, kDialogCancel);
    return TRUE;
}

void OnProgress(HWND dialog, const ProgressRecord* record) {
    if (record == nullptr) return;
    if (record->position != kProgressUnchanged) {
        SendDlgItemMessageA(dialog, kImportProgress, PBM_SETPOS, static_cast<WPARAM>(record->position), 0);
    }
    if (record->text != nullptr) SetDlgItemTextA(dialog, kImportStatus, record->text);
}

void OnCancel(ImportJob& job, HWND dialog) {
    (void)SetControlEnabled(GetDlgItem(dialog, kDialogCancel), false);
    // The worker may be waiting for this thread (a progress message, a picture to store, a
    // question): the wait keeps answering them.
    (void)StopWorkerThread(job.worker, WorkerStopWait::PumpingMessages);
    EndDialog(dialog, kDialogCancel);
}

INT_PTR CALLBACK ProgressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ImportJob* job = AttachedDialogState<ImportJob>(dialog, message, lParam);
    if (job == nullptr) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            return OnProgressInit(*job, dialog);
        case WM_APP_PROGRESS:
            if (wParam == kProgressImport) OnProgress(dialog, reinterpret_cast<const ProgressRecord*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != kDialogCancel) return FALSE;
            OnCancel(*job, dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

// Runs the open-file dialog; false when nothing is to be imported (cancelled, or refused with
// its message).
bool PickFiles(MainWindow& state, ImportJob& job) {
    std::vector<char> buffer(kFileBufferCharacters, '\0');
    const std::string initialFolder = InitialFolder(state);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state.window;
    dialog.lpstrFilter = Text(TextId::ImageFilterList);
    dialog.nFilterIndex = kAllImageFormatsFilter;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kFileBufferCharacters;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrTitle = Text(TextId::ImportImagesTitle);
    dialog.Flags = kOpenFlags;
    if (!GetOpenFileNameA(&dialog)) {
        const DWORD error = CommDlgExtendedError();
        if (error == FNERR_BUFFERTOOSMALL) {
            MessageBoxA(state.window, Text(TextId::TooManyFiles), "Tapestrique", MB_ICONERROR);
        } else if (error != 0) {
            MessageBoxA(state.window, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
        }
        return false;
    }
    return SplitSelection(buffer, dialog.nFileOffset, job);
}

}  // namespace

void ImportPictures(MainWindow& state) {
    ImportJob job;
    {
        state.openDialog = OpenDialog::Import;
        const bool picked = PickFiles(state, job);
        state.openDialog = OpenDialog::None;
        if (!picked) return;
    }
    RememberFolder(state, job.folder);
    job.mainWindow = state.window;
    job.temporaryFolder = state.process->temporaryFolder;
    state.openDialog = OpenDialog::Import;
    (void)RunDialog(state.process->instance, TextId::DialogImportFiles, state.window, ProgressProcedure,
                    reinterpret_cast<LPARAM>(&job));
    state.openDialog = OpenDialog::None;
    state.frontWindow = state.window;
}
