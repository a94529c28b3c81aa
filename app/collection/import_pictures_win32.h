// Importing picture files into the collection: the open-file dialog with the formats the
// program reads, then a progress dialog whose worker thread decodes, checks and converts each
// file and hands it to the main window to store. Returns once the progress dialog has closed.
#pragma once

struct MainWindow;

void ImportPictures(MainWindow& state);
