// The tray icon's popup menu and the five global hotkeys of the main window.
//
// The menu resource "MENUTAPESTRIQUE" holds one popup per language, in language order, each
// with the same command ids. Before a popup opens, its items are enabled and checked by the
// window's state (command_rules.h) and the hotkey items get their key names appended.
#pragma once

#include <windows.h>

struct MainWindow;

// Loads the menu and makes "open" the default (bold) item of each popup; false without it.
[[nodiscard]] bool LoadPopupMenu(MainWindow& state);

// Enables, checks and names the items of `menu` (one language's popup, or the whole menu).
void PrepareMenu(MainWindow& state, HMENU menu);

// Opens the current language's popup at the cursor, as the tray icon's right button does.
void ShowPopupMenu(MainWindow& state);

// Registers the hotkeys that have a key (a combination taken by another program stays
// unregistered without a message), and unregisters those that are registered.
void RegisterHotkeys(MainWindow& state);
void UnregisterHotkeys(MainWindow& state);
