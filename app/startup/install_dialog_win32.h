// The dialog of a damaged installation: it says the program will not run, beeps, and offers a
// link to the service's download page of the latest version. Shown without owner before any
// other window, once the fonts and cursors exist. Windows only.
#pragma once

#include <windows.h>

#include "settings/settings.h"

// Runs the dialog modally from `instance`'s templates in the current language until the user
// closes it or follows the link (which opens the download page named by `settings` and closes
// the dialog).
void ShowInstallDialog(HINSTANCE instance, const Settings& settings);
