// Dialogs in the current language. Each dialog exists as four templates in the program's
// resources, "DIALOG" + name + "_" + code (for example DIALOGABOUT_ES); these helpers pick the
// one of the current language (DialogTemplate, text_table.h) from a module's resources.
#pragma once

#include <windows.h>

#include "ui/localization/text_id.h"

// The current language's template of `dialog` in `module`, or nullptr when the module has none.
[[nodiscard]] const DLGTEMPLATE* FindDialogTemplate(HINSTANCE module, TextId dialog);

// Runs the dialog modally from the current language's template; the result of DialogBoxParam
// (-1 when the template is missing or the dialog cannot be created).
[[nodiscard]] INT_PTR RunDialog(HINSTANCE module, TextId dialog, HWND owner, DLGPROC procedure, LPARAM parameter);

// Creates the dialog modelessly from the current language's template; nullptr on failure.
[[nodiscard]] HWND CreateDialogWindow(HINSTANCE module, TextId dialog, HWND owner, DLGPROC procedure, LPARAM parameter);
