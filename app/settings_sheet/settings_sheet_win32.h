// The settings sheet of Tapestrique.exe: one modal property sheet over the main window with
// the General, Wallpaper and Screensaver pages. The keyboard shortcuts are unregistered while
// it is open (so their keys can be typed into it) and registered again after it; a language
// chosen on the General page is switched to once the sheet has closed, and when it was chosen
// through Apply the sheet opens again at once, in that language, on the page last shown.
#pragma once

struct MainWindow;

// Returns when the sheet is closed for good.
void RunSettingsSheet(MainWindow& main);
