// What the main window asks the system once as it starts, to set the application flags
// (app/startup/application_flags.h): whether the user may write the machine's settings,
// whether music can play and whether picture transitions can run. Windows only.
#pragma once

// Whether HKEY_LOCAL_MACHINE\Software opens for writing; nothing is created or changed.
[[nodiscard]] bool CanWriteMachineSoftwareKey();

// Whether a DirectShow filter graph can be made, which music playback needs. The caller has
// initialised COM on the thread.
[[nodiscard]] bool CanPlayDirectShow();

// Whether the transition engine can run the effects.
[[nodiscard]] bool AreTransitionsAvailable();
