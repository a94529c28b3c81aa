// The embedded backend: one SQLite file in write-ahead-log mode, one connection per request
// thread (SQLite connections must not be shared between threads at once), each with its
// statements prepared once. Writers wait for each other up to the busy timeout.
#include <sqlite3.h>

#include <array>
#include <string>

#include "service/connection_pool.h"
#include "service/service_store.h"
#include "service/store_schema.h"

namespace {

constexpr int kBusyTimeoutMilliseconds = 10000;

constexpr char kPicturesTable[] =
    "PRAGMA journal_mode = WAL;\n"
    "CREATE TABLE IF NOT EXISTS pictures (id INTEGER PRIMARY KEY AUTOINCREMENT, " TQ_PICTURE_COLUMNS;

constexpr std::array<const char*, kStoreStatementCount> kStatementText = {
    "INSERT INTO pictures (category, gallery, image, title) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (category, gallery, image) DO UPDATE SET title = excluded.title",
    "INSERT INTO clients (id) VALUES (?1) ON CONFLICT DO NOTHING",
    "SELECT category, gallery, image, title FROM pictures ORDER BY id DESC LIMIT ?1",
    "SELECT title FROM pictures WHERE category = ?1 AND gallery = ?2 AND image = ?3",
    "SELECT 1 FROM clients WHERE id = ?1",
    // One statement: the count rises only below the quota, and a row comes back only then.
    "INSERT INTO downloads (client, day, count) VALUES (?1, ?2, 1) "
    "ON CONFLICT (client, day) DO UPDATE SET count = count + 1 WHERE count < ?3 RETURNING count",
};

struct SqliteConnection {
    sqlite3* database = nullptr;
    std::array<sqlite3_stmt*, kStoreStatementCount> statements = {};

    SqliteConnection() = default;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection() {
        for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
        sqlite3_close(database);
    }
};

std::unique_ptr<SqliteConnection> OpenConnection(const std::string& path, std::string* error) {
    auto connection = std::make_unique<SqliteConnection>();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &connection->database, flags, nullptr) != SQLITE_OK) {
        if (error) *error = sqlite3_errmsg(connection->database);
        return nullptr;
    }
    sqlite3_busy_timeout(connection->database, kBusyTimeoutMilliseconds);
    // In write-ahead-log mode NORMAL syncs at checkpoints, not at every download counted: a
    // power cut may forget the last counts, never damage the file, and writers hold the lock
    // for microseconds instead of a disk flush.
    if (sqlite3_exec(connection->database, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (error) *error = sqlite3_errmsg(connection->database);
        return nullptr;
    }
    std::string schema = std::string(kPicturesTable) + kClientTables;
    if (error && sqlite3_exec(connection->database, schema.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = sqlite3_errmsg(connection->database);
        return nullptr;
    }
    for (int i = 0; i < kStoreStatementCount; ++i) {
        if (sqlite3_prepare_v3(connection->database, kStatementText[i], -1, SQLITE_PREPARE_PERSISTENT,
                               &connection->statements[i], nullptr) != SQLITE_OK) {
            if (error) *error = sqlite3_errmsg(connection->database);
            return nullptr;
        }
    }
    return connection;
}

// A prepared statement bound for one run, reset (and its bindings cleared) when it goes.
class BoundStatement {
public:
    explicit BoundStatement(sqlite3_stmt* statement) : statement_(statement) {}
    BoundStatement(const BoundStatement&) = delete;
    BoundStatement& operator=(const BoundStatement&) = delete;
    ~BoundStatement() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    void Text(int index, std::string_view text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
    void Integer(int index, int value) { sqlite3_bind_int(statement_, index, value); }
    // SQLITE_ROW, SQLITE_DONE or an error.
    [[nodiscard]] int Step() { return sqlite3_step(statement_); }
    [[nodiscard]] std::string Column(int index) const {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, index))) : std::string();
    }

private:
    sqlite3_stmt* statement_;
};

class SqliteStore final : public ServiceStore {
public:
    explicit SqliteStore(std::string path)
        : pool_([path = std::move(path)] { return OpenConnection(path, nullptr); }) {}

    bool AddPicture(const CataloguePicture& picture) override {
        auto connection = pool_.Acquire();
        if (!connection) return false;
        BoundStatement statement(connection->statements[kAddPicture]);
        statement.Text(1, picture.category);
        statement.Text(2, picture.gallery);
        statement.Text(3, picture.image);
        statement.Text(4, picture.title);
        return statement.Step() == SQLITE_DONE;
    }

    bool AddClient(std::string_view client) override {
        auto connection = pool_.Acquire();
        if (!connection) return false;
        BoundStatement statement(connection->statements[kAddClient]);
        statement.Text(1, client);
        return statement.Step() == SQLITE_DONE;
    }

    bool NewestPictures(int count, std::vector<CataloguePicture>& out) override {
        out.clear();
        auto connection = pool_.Acquire();
        if (!connection) return false;
        BoundStatement statement(connection->statements[kNewest]);
        statement.Integer(1, count);
        int step;
        while ((step = statement.Step()) == SQLITE_ROW) {
            out.push_back({statement.Column(0), statement.Column(1), statement.Column(2), statement.Column(3)});
        }
        return step == SQLITE_DONE;
    }

    Lookup FindPicture(std::string_view category,
                       std::string_view gallery,
                       std::string_view image,
                       CataloguePicture& out) override {
        auto connection = pool_.Acquire();
        if (!connection) return Lookup::kFailed;
        BoundStatement statement(connection->statements[kFindPicture]);
        statement.Text(1, category);
        statement.Text(2, gallery);
        statement.Text(3, image);
        int step = statement.Step();
        if (step == SQLITE_DONE) return Lookup::kMissing;
        if (step != SQLITE_ROW) return Lookup::kFailed;
        out = {std::string(category), std::string(gallery), std::string(image), statement.Column(0)};
        return Lookup::kFound;
    }

    Lookup FindClient(std::string_view client) override {
        auto connection = pool_.Acquire();
        if (!connection) return Lookup::kFailed;
        BoundStatement statement(connection->statements[kFindClient]);
        statement.Text(1, client);
        int step = statement.Step();
        return step == SQLITE_ROW ? Lookup::kFound : step == SQLITE_DONE ? Lookup::kMissing : Lookup::kFailed;
    }

    DownloadGrant TakeDownload(std::string_view client, std::string_view day, int quota) override {
        auto connection = pool_.Acquire();
        if (!connection) return DownloadGrant::kFailed;
        BoundStatement statement(connection->statements[kTakeDownload]);
        statement.Text(1, client);
        statement.Text(2, day);
        statement.Integer(3, quota);
        int step = statement.Step();
        if (step == SQLITE_ROW) return DownloadGrant::kGranted;
        return step == SQLITE_DONE ? DownloadGrant::kQuotaReached : DownloadGrant::kFailed;
    }

    // The first connection creates the tables and reports why opening failed.
    [[nodiscard]] static bool Prepare(const std::string& path, std::string& error) {
        return OpenConnection(path, &error) != nullptr;
    }

private:
    ConnectionPool<SqliteConnection> pool_;
};

}  // namespace

std::unique_ptr<ServiceStore> OpenSqliteStore(const std::string& path, std::string& error) {
    if (!SqliteStore::Prepare(path, error)) return nullptr;
    return std::make_unique<SqliteStore>(path);
}
