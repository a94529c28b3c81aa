// The audio-track library of the Screensaver page: the files of the installation's Music
// folder that the screensaver plays. Tracks are added through the import progress dialog,
// whose worker tests that each file plays before it copies it in.
#include <cstdio>
#include <string>

#include "app/main_window/main_window_win32.h"
#include "app/settings_sheet/screensaver_page_win32.h"
#include "base/directory_listing.h"
#include "base/text_case.h"
#include "settings/settings_loader.h"
#include "ui/control_ids.h"
#include "ui/file_import_dialog_win32.h"
#include "ui/localization/text_table.h"

#include <shlobj.h>

namespace {

constexpr DWORD kAllAudioFormatsFilter = 4;
constexpr const char* kTrackExtensions[] = {".mp3", ".wav", ".wma"};

MainWindow& Main(const ScreensaverPage& state) {
    return *state.session->main;
}

HWND TrackList(const ScreensaverPage& state) {
    return GetDlgItem(state.page, kScreensaverTrackList);
}

std::string TrackName(HWND list, int index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::string name(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<size_t>(length));
    return name;
}

// A message with the file's name in it.
int AskAboutFile(HWND owner, TextId text, const std::string& name, UINT style) {
    char message[2048];
    std::snprintf(message, sizeof message, Text(text), name.c_str());
    return MessageBoxA(owner, message, "Tapestrique", style);
}

void ReportSelectionChange(HWND page, HWND list) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kScreensaverTrackList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// On the import worker's thread: the page's thread waits in the progress dialog meanwhile and
// answers the list's messages from there.
void ImportTrack(const FileImportJob& job, size_t index, HWND page, const std::string& musicFolder) {
    const std::string& name = job.names[index];
    const std::string source = PathInFolder(job.folder, name);
    if (!IsTrackPlayable(source.c_str())) {
        (void)AskAboutFile(job.dialog, TextId::InvalidAudioFile, name, MB_ICONERROR);
        return;
    }
    HWND list = GetDlgItem(page, kScreensaverTrackList);
    const bool listed = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(name.c_str())) != LB_ERR;
    if (listed && AskAboutFile(job.dialog, TextId::OverwriteAudioTrack, name, MB_ICONWARNING | MB_OKCANCEL) != IDOK) {
        return;
    }
    CreateDirectoryA(musicFolder.c_str(), nullptr);
    if (!CopyFileA(source.c_str(), PathInFolder(musicFolder, name).c_str(), FALSE)) {
        MessageBoxA(job.dialog, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
        return;
    }
    if (!listed) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const LRESULT at =
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ReportSelectionChange(page, list);
}

void RememberFolder(MainWindow& main, const std::string& folder) {
    Settings& settings = main.settings();
    char(&remembered)[sizeof settings.szLastPathImportAudioTracks] = settings.szLastPathImportAudioTracks;
    if (EqualNoCaseCp1252(remembered, folder) || folder.size() >= sizeof remembered) return;
    std::snprintf(remembered, sizeof remembered, "%s", folder.c_str());
    (void)WriteSetting(main.store, settings, remembered);
}

}  // namespace

void FillTrackList(ScreensaverPage& state) {
    const std::string& folder = Main(state).musicFolder;
    HWND list = TrackList(state);
    for (const char* extension : kTrackExtensions) {
        std::vector<std::string> names;
        if (!ListFilesWithExtension(folder.c_str(), extension, names)) continue;
        for (const std::string& name : names)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void StopPreview(ScreensaverPage& state) {
    state.playingTrack = -1;
    if (state.player.IsOpen()) state.player.Close();
}

void AddTracks(ScreensaverPage& state) {
    StopPreview(state);
    MainWindow& main = Main(state);
    FileImportJob job;
    FilePickRequest request;
    request.owner = state.page;
    request.filterList = Text(TextId::AudioFilterList);
    request.filterIndex = kAllAudioFormatsFilter;
    request.title = Text(TextId::ImportAudioTracksTitle);
    request.initialFolder = FirstExistingFolder(main.settings().szLastPathImportAudioTracks,
                                                {CSIDL_MYMUSIC, CSIDL_PERSONAL}, main.settings().InstallDir);
    if (!PickFilesToImport(request, job.folder, job.names)) return;
    RememberFolder(main, job.folder);
    job.owner = state.session->sheet;
    job.initializeCom = true;
    job.importFile = [page = state.page, musicFolder = main.musicFolder](FileImportJob& running, size_t index) {
        ImportTrack(running, index, page, musicFolder);
    };
    RunFileImportDialog(main.process->instance, job);
    UpdateScreensaverControls(state);
}

void DeleteSelectedTrack(ScreensaverPage& state) {
    StopPreview(state);
    HWND list = TrackList(state);
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    const std::string name = TrackName(list, selected);
    if (AskAboutFile(list, TextId::ConfirmDeleteAudioTrack, name, MB_ICONWARNING | MB_OKCANCEL) != IDOK) return;
    if (!DeleteFileA(PathInFolder(Main(state).musicFolder, name).c_str())) {
        MessageBoxA(state.page, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
        return;
    }
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    ReportSelectionChange(state.page, list);
}

void PlaySelectedTrack(ScreensaverPage& state) {
    HWND list = TrackList(state);
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    StopPreview(state);
    const std::string name = TrackName(list, selected);
    const std::string path = PathInFolder(Main(state).musicFolder, name);
    if (!state.player.Open(path.c_str(), state.page) || !state.player.Play()) {
        StopPreview(state);
        UpdateScreensaverControls(state);
        if (AskAboutFile(state.page, TextId::TrackNotPlayable, name, MB_ICONWARNING | MB_OKCANCEL) == IDOK) {
            DeleteSelectedTrack(state);
        }
        return;
    }
    state.playingTrack = selected;
    UpdateScreensaverControls(state);
}

void StopTrack(ScreensaverPage& state) {
    StopPreview(state);
    UpdateScreensaverControls(state);
}

void OnTrackListNotification(ScreensaverPage& state, WORD notification) {
    const int selected = static_cast<int>(SendMessageA(TrackList(state), LB_GETCURSEL, 0, 0));
    if (notification == LBN_SELCHANGE) {
        state.selectedTrack = selected;
        UpdateScreensaverControls(state);
    } else if (notification == LBN_DBLCLK && selected >= 0 && selected != state.playingTrack) {
        PlaySelectedTrack(state);
    }
}
