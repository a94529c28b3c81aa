#include "app/collection/collection_commands_win32.h"

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "app/collection/full_screen_picture_win32.h"
#include "app/main_window/main_window_win32.h"
#include "app/scheduler/change_rules.h"
#include "base/text_case.h"
#include "collection/collection_folder.h"
#include "collection/picture_title.h"
#include "ui/control_ids.h"
#include "ui/control_subclasses_win32.h"
#include "ui/link_label_win32.h"
#include "ui/localization/dialog_template_win32.h"
#include "ui/localization/text_table.h"
#include "ui/window_helpers_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr uint8_t kLinkFont = 10;  // Arial 9 points, underlined

std::string Format(TextId text, const char* argument) {
    char message[1024];
    std::snprintf(message, sizeof message, Text(text), argument);
    return message;
}

bool AskOkCancel(HWND owner, const std::string& message) {
    return MessageBoxA(owner, message.c_str(), "Tapestrique", MB_ICONWARNING | MB_OKCANCEL) == IDOK;
}

void ShowUnknownError(HWND owner) {
    MessageBoxA(owner, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
}

// A modal dialog over the main window marks itself, so that opening the application brings it
// to the front instead of the main window.
class OpenDialogMark {
public:
    OpenDialogMark(MainWindow& state, OpenDialog dialog) : state_(state) { state_.openDialog = dialog; }
    ~OpenDialogMark() {
        state_.openDialog = OpenDialog::None;
        state_.frontWindow = state_.window;
    }
    OpenDialogMark(const OpenDialogMark&) = delete;
    OpenDialogMark& operator=(const OpenDialogMark&) = delete;

private:
    MainWindow& state_;
};

// --- Renaming ---

struct RenameDialog {
    MainWindow* main = nullptr;
    std::string title;  // the old title in, the new one out
};

std::string FieldText(HWND field) {
    char text[kNameSlot] = {};
    GetWindowTextA(field, text, sizeof text);
    return text;
}

INT_PTR OnRenameInit(RenameDialog& state, HWND dialog) {
    state.main->frontWindow = dialog;
    HWND field = GetDlgItem(dialog, kRenameTitle);
    SendMessageA(field, EM_LIMITTEXT, kTypedTitleLength, 0);
    SetWindowTextA(field, state.title.c_str());
    SendMessageA(field, EM_SETSEL, 0, -1);
    (void)SubclassNameFilter(field);
    CenterWindow(dialog, state.main->window, true);
    SetFocus(field);
    return FALSE;  // the focus is set
}

void OnRenameOk(RenameDialog& state, HWND dialog) {
    HWND field = GetDlgItem(dialog, kRenameTitle);
    const std::string title = FieldText(field);
    if (CheckTitle(title, kTypedTitleLength) != TitleCheck::kValid) {
        MessageBoxA(dialog, Text(TextId::InvalidNameCharacters), "Tapestrique", MB_ICONWARNING);
        return;
    }
    if (FindPictureIndex(state.main->titles, title.c_str()) >= 0) {
        MessageBoxA(dialog, Text(TextId::RenameDuplicateTitle), "Tapestrique", MB_ICONWARNING);
        SetFocus(field);
        return;
    }
    state.title = title;
    EndDialog(dialog, kDialogOk);
}

INT_PTR CALLBACK RenameProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    RenameDialog* state = AttachedDialogState<RenameDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            return OnRenameInit(*state, dialog);
        case WM_COMMAND:
            if (LOWORD(wParam) == kRenameTitle && HIWORD(wParam) == EN_CHANGE) {
                (void)SetControlEnabled(GetDlgItem(dialog, kDialogOk),
                                        GetWindowTextLengthA(GetDlgItem(dialog, kRenameTitle)) > 0);
                return TRUE;
            }
            if (LOWORD(wParam) == kDialogOk) {
                OnRenameOk(*state, dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == kDialogCancel) {
                EndDialog(dialog, kDialogCancel);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// --- The export confirmation ---

struct ExportedDialog {
    MainWindow* main = nullptr;
    std::string path;
    LinkLabel link;
};

INT_PTR OnExportedInit(ExportedDialog& state, HWND dialog) {
    state.main->frontWindow = dialog;
    HWND field = GetDlgItem(dialog, kImageExportedPath);
    SetWindowTextA(field, state.path.c_str());
    SendMessageA(field, EM_SETSEL, 0, -1);
    StartLinkLabel(state.link, dialog, kLinkLabel, kLinkFont);
    CenterWindow(dialog, state.main->window, true);
    MessageBeep(0);
    return TRUE;
}

INT_PTR OnExportedCommand(const ExportedDialog& state, HWND dialog, WPARAM command) {
    if (IsLinkClick(state.link, command)) {
        OpenLinkTarget(state.main->exportedFolder.c_str());
        return TRUE;
    }
    switch (LOWORD(command)) {
        case kImageExportedOpen:
            ShellExecuteA(dialog, nullptr, state.path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        case kDialogCancel:
        case kDialogOk:
            EndDialog(dialog, kDialogCancel);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK ExportedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    ExportedDialog* state = AttachedDialogState<ExportedDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    INT_PTR result = FALSE;
    if (HandleLinkLabelMessage(state->link, dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            return OnExportedInit(*state, dialog);
        case WM_COMMAND:
            return OnExportedCommand(*state, dialog, wParam);
        default:
            return FALSE;
    }
}

bool ReadSelected(const MainWindow& state, OwnedPicture& record) {
    record = MakeOwnedPicture();
    return ReadCollectionPicture(state.imagesFolder.c_str(), state.selectedName.c_str(), *record, true) == kFileOk;
}

}  // namespace

bool AddPictureToCollection(MainWindow& state, const PictureRecord& record, HWND owner) {
    // A title from outside (a picture file, a download) becomes a file name: it must be one.
    if (CheckTitle(record.title, kStoredTitleLength) != TitleCheck::kValid) {
        MessageBoxA(owner, Text(TextId::InvalidNameCharacters), "Tapestrique", MB_ICONWARNING);
        return false;
    }
    const bool exists = FindPictureIndex(state.titles, record.title) >= 0;
    if (exists && !AskOkCancel(owner, Format(TextId::OverwriteImage, record.title))) return false;
    if (StoreCollectionPicture(state.imagesFolder.c_str(), record) != kFileOk) {
        ShowUnknownError(owner);
        return false;
    }
    if (exists) return true;  // the list already shows it
    SelectPicture(state, InsertPictureTitle(state, record.title));
    return true;
}

void DeleteSelectedPicture(MainWindow& state) {
    if (state.selectedName.empty()) return;
    const std::string title = state.selectedName;
    if (!AskOkCancel(state.window, Format(TextId::ConfirmDeleteImage, title.c_str()))) return;
    if (DeleteCollectionPicture(state.imagesFolder.c_str(), title.c_str()) != kFileOk) {
        ShowUnknownError(state.window);
        return;
    }
    if (EqualNoCaseCp1252(state.settings().szCurrentWallpaper, title)) RemoveWallpaper(state);
    RemovePictureTitle(state, FindPictureIndex(state.titles, title.c_str()));
    SelectPicture(state, -1);
}

void RenameSelectedPicture(MainWindow& state) {
    if (state.selectedName.empty()) return;
    const std::string oldTitle = state.selectedName;
    RenameDialog dialog{&state, oldTitle};
    INT_PTR answer;
    {
        OpenDialogMark mark(state, OpenDialog::Rename);
        answer = RunDialog(state.process->instance, TextId::DialogRenameImage, state.window, RenameProcedure,
                           reinterpret_cast<LPARAM>(&dialog));
    }
    if (answer != kDialogOk) return;
    if (RenameCollectionPicture(state.imagesFolder.c_str(), oldTitle.c_str(), dialog.title.c_str()) != kFileOk) {
        ShowUnknownError(state.window);
        return;
    }
    const bool wasCurrent = EqualNoCaseCp1252(state.settings().szCurrentWallpaper, oldTitle);
    RemovePictureTitle(state, FindPictureIndex(state.titles, oldTitle.c_str()));
    SelectPicture(state, InsertPictureTitle(state, dialog.title));
    if (wasCurrent) SetCurrentWallpaper(state, dialog.title.c_str());
}

void ExportSelectedPicture(MainWindow& state) {
    if (state.selectedName.empty()) return;
    const std::string title = state.selectedName;
    const std::string fileName = title + ".jpg";
    OpenDialogMark mark(state, OpenDialog::ExportConfirmation);
    if (!AskOkCancel(state.window, Format(TextId::ConfirmExport, fileName.c_str()))) return;
    const std::string target = ExportedPicturePath(state.exportedFolder.c_str(), title.c_str());
    if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !AskOkCancel(state.window, Format(TextId::OverwriteExportedImage, fileName.c_str()))) {
        return;
    }
    std::string exported;
    if (ExportCollectionPicture(state.imagesFolder.c_str(), title.c_str(), state.exportedFolder.c_str(), exported) !=
        kFileOk) {
        ShowUnknownError(state.window);
        return;
    }
    ExportedDialog dialog{&state, exported, {}};
    (void)RunDialog(state.process->instance, TextId::DialogImageExported, state.window, ExportedProcedure,
                    reinterpret_cast<LPARAM>(&dialog));
}

void PreviewSelectedPicture(MainWindow& state) {
    if (state.selectedName.empty()) return;
    OwnedPicture record;
    if (!ReadSelected(state, record)) return;
    (void)ShowFullScreenPreview(std::move(record), state.screen);
}
