#include "ui/localization/dialog_template_win32.h"

#include "ui/localization/text_table.h"

const DLGTEMPLATE* FindDialogTemplate(HINSTANCE module, TextId dialog) {
    HRSRC resource = FindResourceA(module, DialogTemplate(dialog), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (resource == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) return nullptr;
    return static_cast<const DLGTEMPLATE*>(LockResource(loaded));
}

INT_PTR RunDialog(HINSTANCE module, TextId dialog, HWND owner, DLGPROC procedure, LPARAM parameter) {
    // Looked up first so that a missing template is a plain failure, not a system error box.
    if (FindDialogTemplate(module, dialog) == nullptr) return -1;
    return DialogBoxParamA(module, DialogTemplate(dialog), owner, procedure, parameter);
}

HWND CreateDialogWindow(HINSTANCE module, TextId dialog, HWND owner, DLGPROC procedure, LPARAM parameter) {
    if (FindDialogTemplate(module, dialog) == nullptr) return nullptr;
    return CreateDialogParamA(module, DialogTemplate(dialog), owner, procedure, parameter);
}
