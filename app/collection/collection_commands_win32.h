// The collection's commands on the main window: storing a picture (import, a saved picture
// file, a download), deleting, renaming, exporting and previewing the selected picture. Each
// asks its questions and reports its failures with the program's messages; the files are
// handled by the portable collection (collection/collection_folder.h).
#pragma once

#include <windows.h>

#include "collection/picture_record.h"

struct MainWindow;

// Stores the picture under its title, asking first when the title is taken (owner: the
// window of the question); the list, the count and the selection follow. True when stored.
[[nodiscard]] bool AddPictureToCollection(MainWindow& state, const PictureRecord& record, HWND owner);

// Each acts on the selected picture and does nothing when none is selected.
void DeleteSelectedPicture(MainWindow& state);
void RenameSelectedPicture(MainWindow& state);
void ExportSelectedPicture(MainWindow& state);
void PreviewSelectedPicture(MainWindow& state);
