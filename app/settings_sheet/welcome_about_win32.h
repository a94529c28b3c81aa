// The two small dialogs over the main window besides the settings: the welcome of the first
// run, which switches the wallpaper changer and the screensaver on or off, and the About box
// with the logo, the version, the maker's web address and the licence. Each returns when it
// is closed; while it is open it is the window that opening the application brings forward.
#pragma once

struct MainWindow;

void ShowWelcomeDialog(MainWindow& main);
void ShowAboutDialog(MainWindow& main);
