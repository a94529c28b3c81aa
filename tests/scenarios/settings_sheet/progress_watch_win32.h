// What the settings probe and its progress hook (progress_hook_win32.cpp, loaded into
// Tapestrique.exe) agree on: the probe's watching window and the message that brings it a
// progress bar's new position (wParam).
#pragma once

#include <windows.h>

inline constexpr char kProgressWatcherClass[] = "TapestriqueProbeProgressWatcher";
inline constexpr char kProgressHookLibrary[] = "settings_progress_hook.dll";
inline constexpr char kProgressHookProcedure[] = "WatchProgressPositions";
inline constexpr UINT kProgressPositionMessage = WM_APP + 1;
