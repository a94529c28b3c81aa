#include "app/collection/import_pictures_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/startup/startup_environment_win32.h"
#include "base/directory_listing.h"
#include "base/text_case.h"
#include "collection/picture_import.h"
#include "settings/settings_loader.h"
#include "ui/file_import_dialog_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_messages_win32.h"

namespace {

constexpr DWORD kAllImageFormatsFilter = 13;

void ShowMessage(HWND owner, TextId text, const char* fileName) {
    char message[2048];
    std::snprintf(message, sizeof message, Text(text), fileName);
    MessageBoxA(owner, message, "Tapestrique", MB_ICONERROR);
}

void RememberFolder(MainWindow& state, const std::string& folder) {
    Settings& settings = state.settings();
    if (EqualNoCaseCp1252(settings.szLastPathImportImages, folder) ||
        folder.size() >= sizeof settings.szLastPathImportImages) {
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

// On the worker thread: converts one file and hands it to the main window, whose thread owns
// the collection and its list.
void ImportOneFile(const FileImportJob& job, size_t index, HWND mainWindow, const std::string& temporaryFolder) {
    const std::string& name = job.names[index];
    PictureRecord record;
    const std::string path = PathInFolder(job.folder, name);
    const ImportResult result = PreparePictureImport(path.c_str(), temporaryFolder.c_str(), record);
    if (result != ImportResult::kImported) {
        ShowMessage(job.dialog, RefusalText(result), name.c_str());
        return;
    }
    SendMessageA(mainWindow, WM_APP_ADD_PICTURE, reinterpret_cast<WPARAM>(job.dialog),
                 reinterpret_cast<LPARAM>(&record));
    FreePicturePayload(record);
}

// Runs the open-file dialog, starting in the last import folder, My Pictures, My Documents or
// the installation, the first that exists.
bool PickFiles(MainWindow& state, FileImportJob& job) {
    FilePickRequest request;
    request.owner = state.window;
    request.filterList = Text(TextId::ImageFilterList);
    request.filterIndex = kAllImageFormatsFilter;
    request.title = Text(TextId::ImportImagesTitle);
    request.initialFolder = FirstExistingFolder(state.process->settings.szLastPathImportImages,
                                                {CSIDL_MYPICTURES, CSIDL_PERSONAL}, state.process->settings.InstallDir);
    return PickFilesToImport(request, job.folder, job.names);
}

}  // namespace

void ImportPictures(MainWindow& state) {
    FileImportJob job;
    {
        state.openDialog = OpenDialog::Import;
        const bool picked = PickFiles(state, job);
        state.openDialog = OpenDialog::None;
        if (!picked) return;
    }
    RememberFolder(state, job.folder);
    job.owner = state.window;
    job.importFile = [mainWindow = state.window, temporaryFolder = state.process->temporaryFolder](
                         FileImportJob& running, size_t index) {
        ImportOneFile(running, index, mainWindow, temporaryFolder);
    };
    state.openDialog = OpenDialog::Import;
    RunFileImportDialog(state.process->instance, job);
    state.openDialog = OpenDialog::None;
    state.frontWindow = state.window;
}
