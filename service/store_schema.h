// What both store backends share: the statements every store runs, by number, and the tables
// apart from the pictures' key, which each database numbers its own way.
#pragma once

enum StoreStatement {
    kAddPicture,
    kAddClient,
    kNewest,
    kFindPicture,
    kFindClient,
    kTakeDownload,
    kStoreStatementCount,
};

// The pictures' columns after their key, with their uniqueness.
#define TQ_PICTURE_COLUMNS                                                                      \
    "category TEXT NOT NULL, gallery TEXT NOT NULL, image TEXT NOT NULL, title TEXT NOT NULL, " \
    "UNIQUE (category, gallery, image));\n"

// The clients and their daily download counts.
constexpr char kClientTables[] =
    "CREATE TABLE IF NOT EXISTS clients (id TEXT PRIMARY KEY);\n"
    "CREATE TABLE IF NOT EXISTS downloads (\n"
    "    client TEXT NOT NULL, day TEXT NOT NULL, count INTEGER NOT NULL, PRIMARY KEY (client, day));\n";
