#include "app/startup/install_dialog_win32.h"

#include <string>

#include "app/online/service_pages.h"
#include "ui/control_ids.h"
#include "ui/link_label_win32.h"
#include "ui/localization/dialog_template_win32.h"
#include "win32/window_state_win32.h"

namespace {

constexpr uint8_t kLinkFont = 10;  // Arial 9 points, underlined (ui/skin_record.h)

struct InstallDialog {
    std::string downloadAddress;
    LinkLabel link;
};

INT_PTR OnInitDialog(InstallDialog& state, HWND dialog) {
    StartLinkLabel(state.link, dialog, kLinkLabel, kLinkFont);
    MessageBeep(MB_ICONHAND);
    return TRUE;
}

INT_PTR OnCommand(const InstallDialog& state, HWND dialog, WPARAM command) {
    if (IsLinkClick(state.link, command)) {
        OpenLinkTarget(state.downloadAddress.c_str());
        EndDialog(dialog, kDialogCancel);
        return TRUE;
    }
    if (LOWORD(command) == kDialogCancel) {
        EndDialog(dialog, kDialogCancel);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK InstallDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    InstallDialog* state = AttachedDialogState<InstallDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    INT_PTR result = FALSE;
    if (HandleLinkLabelMessage(state->link, dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(*state, dialog);
        case WM_COMMAND:
            return OnCommand(*state, dialog, wParam);
        default:
            return FALSE;
    }
}

}  // namespace

void ShowInstallDialog(HINSTANCE instance, const Settings& settings) {
    InstallDialog state;
    state.downloadAddress = ServicePageAddress(ServicePage::Download, settings);
    (void)RunDialog(instance, TextId::DialogInstall, nullptr, InstallDialogProcedure, reinterpret_cast<LPARAM>(&state));
}
