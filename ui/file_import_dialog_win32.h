// The two halves of every import of files (pictures into the collection, audio tracks into
// the music library): the system's open-file dialog that picks several files of one folder,
// and the progress dialog ("DIALOGIMPORTFILES_") whose worker thread handles them one by one,
// showing "Processing file n of m" and the share done, until the files are done or Cancel is
// pressed. Windows only.
//
//     FileImportJob job;
//     if (!PickFilesToImport(request, job.folder, job.names)) return;   // cancelled or refused
//     job.owner = window;
//     job.importFile = [&](FileImportJob& running, size_t index) { ... };  // on the worker thread
//     RunFileImportDialog(instance, job);
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/worker_thread_win32.h"

struct FileImportJob {
    std::string folder;
    std::vector<std::string> names;
    HWND owner = nullptr;        // the dialog is centred on it
    HWND dialog = nullptr;       // the progress dialog, once it runs: owner of the worker's messages
    bool initializeCom = false;  // the worker thread needs COM (DirectShow)
    // Handles names[index] on the worker thread; it reports by messages only (SendMessage to
    // the windows it serves, message boxes owned by `dialog`).
    std::function<void(FileImportJob& job, size_t index)> importFile;
    WorkerThread worker;
};

// Runs the progress dialog modally over `job.owner` until the worker is done or stopped.
void RunFileImportDialog(HINSTANCE instance, FileImportJob& job);

struct FilePickRequest {
    HWND owner = nullptr;
    const char* filterList = nullptr;  // pairs of texts separated by NULs, as the dialog takes them
    DWORD filterIndex = 1;
    const char* title = nullptr;
    std::string initialFolder;
};

// Runs the open-file dialog (several files, existing ones only). False when nothing is to be
// imported: cancelled quietly, or refused with its message ("too many files" when the names
// did not fit, else "unknown error").
[[nodiscard]] bool PickFilesToImport(const FilePickRequest& request,
                                     std::string& folder,
                                     std::vector<std::string>& names);

// The first folder that exists: `remembered` (may be empty), then the special folders (CSIDL
// values) in order, else `fallback`.
[[nodiscard]] std::string FirstExistingFolder(const char* remembered,
                                              std::initializer_list<int> specialFolders,
                                              const std::string& fallback);
