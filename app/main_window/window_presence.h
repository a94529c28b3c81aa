// Where the main window appears and what its tray icon says: the window at its remembered
// position, or centred on the screen on the first start; the tray tooltip with the current
// picture's name.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

// The remembered position, or, while ptTapestriqueExeWindowPosition is still unplaced in both
// coordinates, the position that centres a window of the skin's size on the screen (halves
// rounded down).
[[nodiscard]] WindowPoint MainWindowPosition(const WindowPoint& remembered,
                                             int screenWidth,
                                             int screenHeight,
                                             int skinWidth,
                                             int skinHeight);

// The tray icon's tooltip: "Tapestrique", or "Tapestrique - " and the current picture's name,
// cut to the 63 characters the icon holds.
[[nodiscard]] std::string TrayTooltip(std::string_view currentName);
