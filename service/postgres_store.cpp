// The shared backend: PostgreSQL through libpq. Any number of service instances use the same
// database; each keeps its own idle connections, with the statements prepared on each
// connection once. A connection that breaks is closed and replaced by the next request.
#include <libpq-fe.h>

#include <array>
#include <string>
#include <type_traits>

#include "service/connection_pool.h"
#include "service/service_store.h"
#include "service/store_schema.h"

namespace {

constexpr char kPicturesTable[] =
    "SET client_min_messages = warning;\n"
    "CREATE TABLE IF NOT EXISTS pictures (id BIGSERIAL PRIMARY KEY, " TQ_PICTURE_COLUMNS;

constexpr std::array<const char*, kStoreStatementCount> kStatementName = {
    "add_picture", "add_client", "newest", "find_picture", "find_client", "take_download",
};

constexpr std::array<const char*, kStoreStatementCount> kStatementText = {
    "INSERT INTO pictures (category, gallery, image, title) VALUES ($1, $2, $3, $4) "
    "ON CONFLICT (category, gallery, image) DO UPDATE SET title = excluded.title",
    "INSERT INTO clients (id) VALUES ($1) ON CONFLICT DO NOTHING",
    "SELECT category, gallery, image, title FROM pictures ORDER BY id DESC LIMIT $1::integer",
    "SELECT title FROM pictures WHERE category = $1 AND gallery = $2 AND image = $3",
    "SELECT 1 FROM clients WHERE id = $1",
    // One statement under the row's lock: the count rises only below the quota, and a row
    // comes back only then.
    "INSERT INTO downloads (client, day, count) VALUES ($1, $2, 1) "
    "ON CONFLICT (client, day) DO UPDATE SET count = downloads.count + 1 "
    "WHERE downloads.count < $3::integer RETURNING count",
};

struct PostgresConnection {
    PGconn* connection = nullptr;

    PostgresConnection() = default;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;
    ~PostgresConnection() { PQfinish(connection); }
};

// The owner of one query result.
class QueryResult {
public:
    explicit QueryResult(PGresult* result) : result_(result) {}
    QueryResult(const QueryResult&) = delete;
    QueryResult& operator=(const QueryResult&) = delete;
    ~QueryResult() { PQclear(result_); }
    [[nodiscard]] ExecStatusType Status() const { return PQresultStatus(result_); }
    [[nodiscard]] bool Succeeded() const { return Status() == PGRES_COMMAND_OK || Status() == PGRES_TUPLES_OK; }
    [[nodiscard]] int Rows() const { return PQntuples(result_); }
    [[nodiscard]] std::string Value(int row, int column) const {
        return std::string(PQgetvalue(result_, row, column), static_cast<size_t>(PQgetlength(result_, row, column)));
    }

private:
    PGresult* result_;
};

std::unique_ptr<PostgresConnection> OpenConnection(const std::string& address, std::string* error) {
    auto owner = std::make_unique<PostgresConnection>();
    owner->connection = PQconnectdb(address.c_str());
    if (PQstatus(owner->connection) != CONNECTION_OK) {
        if (error) *error = PQerrorMessage(owner->connection);
        return nullptr;
    }
    if (error) {
        std::string tables = std::string(kPicturesTable) + kClientTables;
        QueryResult schema(PQexec(owner->connection, tables.c_str()));
        if (!schema.Succeeded()) {
            *error = PQerrorMessage(owner->connection);
            return nullptr;
        }
    }
    for (int i = 0; i < kStoreStatementCount; ++i) {
        QueryResult prepared(PQprepare(owner->connection, kStatementName[i], kStatementText[i], 0, nullptr));
        if (!prepared.Succeeded()) {
            if (error) *error = PQerrorMessage(owner->connection);
            return nullptr;
        }
    }
    return owner;
}

class PostgresStore final : public ServiceStore {
public:
    explicit PostgresStore(std::string address)
        : pool_([address = std::move(address)] { return OpenConnection(address, nullptr); }) {}

    bool AddPicture(const CataloguePicture& picture) override {
        return Run(kAddPicture, {picture.category, picture.gallery, picture.image, picture.title}, nullptr);
    }

    bool AddClient(std::string_view client) override { return Run(kAddClient, {std::string(client)}, nullptr); }

    bool NewestPictures(int count, std::vector<CataloguePicture>& out) override {
        out.clear();
        return Run(kNewest, {std::to_string(count)}, [&](const QueryResult& result) {
            for (int row = 0; row < result.Rows(); ++row) {
                out.push_back({result.Value(row, 0), result.Value(row, 1), result.Value(row, 2), result.Value(row, 3)});
            }
        });
    }

    Lookup FindPicture(std::string_view category,
                       std::string_view gallery,
                       std::string_view image,
                       CataloguePicture& out) override {
        int rows = 0;
        bool ran =
            Run(kFindPicture, {std::string(category), std::string(gallery), std::string(image)},
                [&](const QueryResult& result) {
                    rows = result.Rows();
                    if (rows > 0) {
                        out = {std::string(category), std::string(gallery), std::string(image), result.Value(0, 0)};
                    }
                });
        return !ran ? Lookup::kFailed : rows > 0 ? Lookup::kFound : Lookup::kMissing;
    }

    Lookup FindClient(std::string_view client) override {
        int rows = 0;
        bool ran = Run(kFindClient, {std::string(client)}, [&](const QueryResult& result) { rows = result.Rows(); });
        return !ran ? Lookup::kFailed : rows > 0 ? Lookup::kFound : Lookup::kMissing;
    }

    DownloadGrant TakeDownload(std::string_view client, std::string_view day, int quota) override {
        int rows = 0;
        bool ran = Run(kTakeDownload, {std::string(client), std::string(day), std::to_string(quota)},
                       [&](const QueryResult& result) { rows = result.Rows(); });
        return !ran ? DownloadGrant::kFailed : rows > 0 ? DownloadGrant::kGranted : DownloadGrant::kQuotaReached;
    }

    [[nodiscard]] static bool Prepare(const std::string& address, std::string& error) {
        return OpenConnection(address, &error) != nullptr;
    }

private:
    template <typename Reader>
    bool Run(StoreStatement statement, const std::vector<std::string>& parameters, Reader&& read) {
        auto connection = pool_.Acquire();
        if (!connection) return false;
        std::vector<const char*> values;
        for (const std::string& parameter : parameters) values.push_back(parameter.c_str());
        QueryResult result(PQexecPrepared(connection->connection, kStatementName[statement],
                                          static_cast<int>(values.size()), values.data(), nullptr, nullptr, 0));
        if (!result.Succeeded()) {
            if (PQstatus(connection->connection) != CONNECTION_OK) connection.Spoil();
            return false;
        }
        if constexpr (!std::is_same_v<std::decay_t<Reader>, std::nullptr_t>) read(result);
        return true;
    }

    ConnectionPool<PostgresConnection> pool_;
};

}  // namespace

std::unique_ptr<ServiceStore> OpenPostgresStore(const std::string& address, std::string& error) {
    if (!PostgresStore::Prepare(address, error)) return nullptr;
    return std::make_unique<PostgresStore>(address);
}
