// Where the picture service keeps its catalogue, its clients and their download counts. Two
// backends share this interface: SQLite, embedded, for a single instance, and PostgreSQL,
// which several stateless instances share. Every call may come from any request thread at
// once; a backend hands each call a connection of its own. A download count lives only in the
// database and changes in one statement, so instances never disagree about a quota.
//
//     std::string error;
//     std::unique_ptr<ServiceStore> store = OpenServiceStore("sqlite:/srv/tq/service.db", error);
//     if (store && store->TakeDownload("client", "2026-12-07", 20) == DownloadGrant::kGranted) ...
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One picture of the catalogue: its identifier's three parts and its title.
struct CataloguePicture {
    std::string category;
    std::string gallery;
    std::string image;
    std::string title;
};

enum class Lookup { kFound, kMissing, kFailed };

enum class DownloadGrant {
    kGranted,       // counted: the client may download
    kQuotaReached,  // the client has had its quota today; nothing counted
    kFailed,        // the database did not answer
};

class ServiceStore {
public:
    virtual ~ServiceStore() = default;

    // Adds a picture, or gives an existing one (same three parts) its new title.
    [[nodiscard]] virtual bool AddPicture(const CataloguePicture& picture) = 0;
    // Registers a client identifier; registering a known one again succeeds.
    [[nodiscard]] virtual bool AddClient(std::string_view client) = 0;

    // At most `count` pictures, the most recently added first.
    [[nodiscard]] virtual bool NewestPictures(int count, std::vector<CataloguePicture>& out) = 0;
    // Fills `out` (title included) when the picture is in the catalogue.
    [[nodiscard]] virtual Lookup FindPicture(std::string_view category,
                                             std::string_view gallery,
                                             std::string_view image,
                                             CataloguePicture& out) = 0;
    [[nodiscard]] virtual Lookup FindClient(std::string_view client) = 0;

    // Counts one download of `client` on `day` unless it already had `quota` of them that day.
    [[nodiscard]] virtual DownloadGrant TakeDownload(std::string_view client, std::string_view day, int quota) = 0;
};

// Opens (and creates the tables of) the store that `address` names: "sqlite:PATH" or a
// PostgreSQL connection address ("postgresql://..." or "postgres://..."). Null, with `error`
// saying why, when the address is of neither kind or the database cannot be opened.
[[nodiscard]] std::unique_ptr<ServiceStore> OpenServiceStore(std::string_view address, std::string& error);

// The two backends, for OpenServiceStore and the tests.
[[nodiscard]] std::unique_ptr<ServiceStore> OpenSqliteStore(const std::string& path, std::string& error);
[[nodiscard]] std::unique_ptr<ServiceStore> OpenPostgresStore(const std::string& address, std::string& error);
