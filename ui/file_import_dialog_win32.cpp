#include "ui/file_import_dialog_win32.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

#include "base/file_io.h"
#include "ui/control_ids.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr DWORD kFileBufferCharacters = 16384;
constexpr DWORD kOpenFlags =
    OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
constexpr DWORD kWorkerStartDelay = 100;  // milliseconds before the first file

void ReportFileStart(const FileImportJob& job, size_t index) {
    char status[1024];
    std::snprintf(status, sizeof status, Text(TextId::ProcessingFile), static_cast<int>(index + 1),
                  static_cast<int>(job.names.size()), job.names[index].c_str());
    (void)SendProgress(job.dialog, kProgressImport, kProgressUnchanged, status);
}

unsigned __stdcall ImportWorker(void* argument) {
    auto* job = static_cast<FileImportJob*>(argument);
    HANDLE stop = job->worker.stopEvent.Get();
    const bool com = job->initializeCom && SUCCEEDED(CoInitialize(nullptr));
    Sleep(kWorkerStartDelay);
    const size_t count = job->names.size();
    for (size_t index = 0; index < count && !StopRequested(stop); ++index) {
        ReportFileStart(*job, index);
        job->importFile(*job, index);
        (void)SendProgress(job->dialog, kProgressImport, static_cast<int32_t>((index + 1) * 100 / count), nullptr);
    }
    if (!StopRequested(stop)) PostMessageA(job->dialog, WM_COMMAND, kDialogCancel, 0);
    if (com) CoUninitialize();
    return 0;
}

INT_PTR OnProgressInit(FileImportJob& job, HWND dialog) {
    job.dialog = dialog;
    SendDlgItemMessageA(dialog, kImportProgress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    CenterWindow(dialog, job.owner, true);
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

void OnCancel(FileImportJob& job, HWND dialog) {
    (void)SetControlEnabled(GetDlgItem(dialog, kDialogCancel), false);
    // The worker may be waiting for this thread (a progress message, a file to store, a
    // question): the wait keeps answering them.
    (void)StopWorkerThread(job.worker, WorkerStopWait::PumpingMessages);
    EndDialog(dialog, kDialogCancel);
}

INT_PTR CALLBACK ProgressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    FileImportJob* job = AttachedDialogState<FileImportJob>(dialog, message, lParam);
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

// The picked files as one folder and its names, from the dialog's buffer (folder, NUL, names
// each ended by a NUL, an empty name at the end; one picked file is cut into the same shape).
bool SplitSelection(std::vector<char>& buffer, WORD nameOffset, std::string& folder, std::vector<std::string>& names) {
    if (nameOffset == 0 || nameOffset >= buffer.size()) return false;
    buffer[nameOffset - 1] = '\0';
    folder = buffer.data();
    for (size_t at = nameOffset; at < buffer.size() && buffer[at] != '\0';) {
        names.emplace_back(&buffer[at]);
        at += names.back().size() + 1;
    }
    return !names.empty();
}

}  // namespace

void RunFileImportDialog(HINSTANCE instance, FileImportJob& job) {
    (void)RunDialog(instance, TextId::DialogImportFiles, job.owner, ProgressProcedure, reinterpret_cast<LPARAM>(&job));
}

bool PickFilesToImport(const FilePickRequest& request, std::string& folder, std::vector<std::string>& names) {
    std::vector<char> buffer(kFileBufferCharacters, '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filterList;
    dialog.nFilterIndex = request.filterIndex;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kFileBufferCharacters;
    dialog.lpstrInitialDir = request.initialFolder.c_str();
    dialog.lpstrTitle = request.title;
    dialog.Flags = kOpenFlags;
    if (!GetOpenFileNameA(&dialog)) {
        const DWORD error = CommDlgExtendedError();
        if (error == FNERR_BUFFERTOOSMALL) {
            MessageBoxA(request.owner, Text(TextId::TooManyFiles), "Tapestrique", MB_ICONERROR);
        } else if (error != 0) {
            MessageBoxA(request.owner, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
        }
        return false;
    }
    return SplitSelection(buffer, dialog.nFileOffset, folder, names);
}

std::string FirstExistingFolder(const char* remembered,
                                std::initializer_list<int> specialFolders,
                                const std::string& fallback) {
    if (remembered != nullptr && remembered[0] != '\0' && IsExistingFolder(remembered)) return remembered;
    for (int folder : specialFolders) {
        char path[MAX_PATH] = {};
        if (SHGetSpecialFolderPathA(nullptr, path, folder, FALSE) && IsExistingFolder(path)) return path;
    }
    return fallback;
}
